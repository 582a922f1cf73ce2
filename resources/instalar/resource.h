// Control and resource identifiers of Instalar's dialogs.
#pragma once

#define IDI_PROGRAM 128
#define IDB_TILE 105
#define IDB_BANNER 131

// INICIO
#define IDC_INICIO_DIR 1000
#define IDC_INICIO_BUSCAR 1002
#define IDC_INICIO_CANCELAR 1004
#define IDC_INICIO_INSTALAR 1025
#define IDC_INICIO_DESINSTALAR 1046

// TERMINAR
#define IDC_TERMINAR_BRENKO 1003
#define IDC_TERMINAR_FOSTRA 1004
#define IDC_TERMINAR_TERMINAR 1005

// CONF_BORRAR and the other plain dialogs
#define IDC_PLAIN_ACEPTAR 1025
#define IDC_PLAIN_CANCELAR 1004
