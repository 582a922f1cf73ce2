// Identifiers of the printer selection and icon picker dialogs.
#pragma once

// IMPRESORAS and CONFIRMADSP of the terminal and general installers.
#define IDC_IMPRESORAS_LIST 1036
#define IDC_USAR_NOMBRE 1037
#define IDC_USAR_PUERTO 1038
#define IDC_CONFIRMA_NOMBRE 1013
#define IDC_CONFIRMA_ACEPTAR 1040
#define IDC_CONFIRMA_CANCELAR 1041

// The server configurator numbers the same controls differently.
#define IDC_SERVER_IMPRESORAS_LIST 1040
#define IDC_SERVER_USAR_NOMBRE 1042
#define IDC_SERVER_USAR_PUERTO 1044
#define IDC_SERVER_CONFIRMA_NOMBRE 1014
#define IDC_SERVER_CONFIRMA_ACEPTAR 1047
#define IDC_SERVER_CONFIRMA_CANCELAR 1050

// The icon group picker.
#define IDD_SACAR_ICONO 404
#define IDC_SACAR_LIST 603
