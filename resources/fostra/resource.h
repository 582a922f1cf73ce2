// Control and resource identifiers of Fostra's dialogs.
#pragma once

#define IDI_PROGRAM 129
#define IDB_TILE 105
#define IDB_BANNER 131
#define IDB_WARNING 135
#define IDB_HELP 136

#define IDC_INICIO_LIST 1000
#define IDC_INICIO_AGREGAR 1001
#define IDC_INICIO_TERMINAR 1002
#define IDC_INICIO_MODIFICAR 1004
#define IDC_INICIO_AYUDA 1023
#define IDC_AYUDA_CONTINUAR 1022

// The plain dialogs: help, confirmations, PARAM_AREA and PARAM_RCM
#define IDC_PLAIN_ACEPTAR 1022
#define IDC_PLAIN_CANCELAR 1002
