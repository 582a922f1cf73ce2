// Fostra's start-up and its main dialog INICIO: the list of entries.
#include "../base/rollback.h"
#include "../params/appearance.h"
#include "../params/editform.h"
#include "../params/printers.h"
#include "../resources/fostra/resource.h"
#include "fostra.h"

int InitInstance()
{
    profile = {IDC_PLAIN_ACEPTAR,        IDC_PLAIN_CANCELAR, nullptr, &SERVER_FORMS, &SERVER_EDITOR,
               &SERVER_PRINTER_CONTROLS, nullptr,            SERVER_EDITOR_ACTIONS,
               1,
               "Fostra"};
    appIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_PROGRAM));
    ComputeEntryDir();
    // A rename cut short is finished or undone before the list is read.
    RecoverJournals(nullptr);

    return RunMainDialog(IDD_INICIO, InicioDialogProc);
}

namespace {

const EntryListDialog INICIO_FORM = {IDC_INICIO_LIST, IDC_INICIO_MODIFICAR, IDC_INICIO_AGREGAR, IDC_INICIO_AYUDA,
                                     IDC_INICIO_TERMINAR, EditEntry};

}  // namespace

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return EntryListDialogMessage(dialog, INICIO_FORM, message, wParam, lParam);
}
