// Control and resource identifiers of Dalvo's dialogs.
#pragma once

#define IDI_PROGRAM 128
#define IDB_TILE 105
#define IDB_BANNER 131
#define IDB_HELP 136

#define IDC_INICIO_LIST 1000
#define IDC_INICIO_TERMINAR 1002
#define IDC_INICIO_INSTALAR 1005
#define IDC_INICIO_AYUDA 1026
#define IDC_AYUDA_CONTINUAR 1024
