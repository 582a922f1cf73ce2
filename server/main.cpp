// Fostra's start-up and its main dialog INICIO: the list of entries.
#include "../params/appearance.h"
#include "../params/editform.h"
#include "../params/printers.h"
#include "../resources/fostra/resource.h"
#include "fostra.h"

int InitInstance()
{
    profile = {PROGRAM_SERVER,   IDC_PLAIN_ACEPTAR, IDC_PLAIN_CANCELAR,       nullptr, &SERVER_FORMS,
               &SERVER_EDITOR, &SERVER_PRINTER_CONTROLS, nullptr, SERVER_EDITOR_ACTIONS};
    isNew = 0;
    appIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_PROGRAM));
    ComputeEntryDir();

    return RunMainDialog("INICIO", InicioDialogProc);
}

namespace {

void ModifySelected(HWND dialog)
{
    if (!TakeSelectedEntry(dialog, IDC_INICIO_LIST))
        return;
    EditEntry(dialog, 0);
    RefillEntryList(dialog, IDC_INICIO_LIST, IDC_INICIO_MODIFICAR);
}

void InitInicio(HWND dialog)
{
    InitMainDialog(dialog);
    RefillEntryList(dialog, IDC_INICIO_LIST, IDC_INICIO_MODIFICAR);
    CollectFontNames(dialog);
}

}  // namespace

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result;
    if (MainDialogMessage(dialog, message, wParam, &result))
        return result;
    switch (message) {
    case WM_INITDIALOG:
        InitInicio(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_INICIO_LIST:
            if (EntryListNotified(dialog, IDC_INICIO_MODIFICAR, wParam, lParam))
                ModifySelected(dialog);
            return TRUE;
        case IDC_INICIO_AGREGAR:
            EditEntry(dialog, 1);
            RefillEntryList(dialog, IDC_INICIO_LIST, IDC_INICIO_MODIFICAR);
            return TRUE;
        case IDC_INICIO_MODIFICAR:
            ModifySelected(dialog);
            return TRUE;
        case IDC_INICIO_AYUDA:
            DialogBoxParamA(hInstance, "AYUDA_INICIO", dialog, PlainDialogProc, 0);
            return TRUE;
        case IDC_INICIO_TERMINAR:
        case IDCANCEL:
            DestroyWindow(dialog);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
