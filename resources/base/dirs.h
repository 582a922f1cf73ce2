/* Identifiers of the directory dialogs SELEC_DIRECTORIO and CREAR_DIRECTORIO,
   in the two forms the programs carry: T terminal installer and general
   installer, S setup program. Read by dirs.rc and by the code. */
#pragma once

#define DIRS_FORM_TERMINAL 0
#define DIRS_FORM_SETUP 1

/* Drive and directory kinds of the browser's lists */
#define IDB_KIND_NONE 1070
#define IDB_KIND_REMOVABLE 1080
#define IDB_KIND_CDROM 1081
#define IDB_KIND_FIXED 1082
#define IDB_KIND_RAMDISK 1083
#define IDB_KIND_NETWORK 1084
#define IDB_KIND_DIRECTORY 1085
#define IDB_KIND_PARENT 1086
#define IDB_DIRS_WARNING 135

/* Terminal form */
#define IDC_DIRS_T_DRIVES 1037
#define IDC_DIRS_T_DIRS 1038
#define IDC_DIRS_T_PATH 1039
#define IDC_DIRS_T_ACEPTAR 1024
#define IDC_DIRS_T_CANCELAR 1002
#define IDC_DIRS_T_PENDING 1001

/* Setup form */
#define IDC_DIRS_S_DRIVES 1033
#define IDC_DIRS_S_DIRS 1034
#define IDC_DIRS_S_PATH 1036
#define IDC_DIRS_S_ACEPTAR 1025
#define IDC_DIRS_S_CANCELAR 1004
#define IDC_DIRS_S_PENDING 1000

/* Both forms */
#define IDC_DIRS_AYUDA 1026
