// Control and resource identifiers of Kelmin's dialogs.
#pragma once

#define IDB_BANNER 140

#define IDC_INICIO_INSTALAR 3000
#define IDC_INICIO_DESINSTALAR 3001
#define IDC_INICIO_JRE_VERSION 3002
#define IDC_INICIO_JRE_HOME 3003
#define IDC_INICIO_INSTALADA 3004
#define IDC_INICIO_A_INSTALAR 3005
#define IDC_INICIO_ACTUALIZAR 3006
#define IDC_INICIO_URL 3007
#define IDC_INICIO_NOTA 3008
#define IDC_INICIO_TERMINAR 2000

#define IDC_DESINST_DESINSTALAR 3001
#define IDC_DESINST_CANCELAR 3005

// Layout shared by the dialogs (dialog units).
#define MARGIN 7
#define BUTTON_WIDTH 60
#define BUTTON_HEIGHT 14
#define EDIT_HEIGHT 12
