// Brenko's start-up and its main dialog INICIO: the entries of this machine.
#include "../base/dirdialogs.h"
#include "../base/rollback.h"
#include "../params/appearance.h"
#include "../params/editform.h"
#include "../params/printers.h"
#include "../resources/brenko/resource.h"
#include "brenko.h"

namespace {

const InstalarForm INSTALAR_FORM = {IDC_INST_NOMBRE, IDC_INST_DIR,   IDC_INST_JARS,        IDC_INST_BUSCAR,
                                    IDC_INST_INSTALAR, IDC_INST_CANCELAR, IDC_INST_AYUDA, IDC_INST_JRE_VERSION,
                                    IDC_INST_JRE_DIR};

const EntryListDialog INICIO_FORM = {IDC_INICIO_LIST, IDC_INICIO_MODIFICAR, IDC_INICIO_AGREGAR, IDC_INICIO_AYUDA,
                                     IDC_INICIO_TERMINAR, EditAndInstall};

void InitInicio(HWND dialog)
{
    EnableWindow(GetDlgItem(dialog, IDC_INICIO_MENSAJE), ReadMessageFlag() == 0);
    InitEntryListDialog(dialog, INICIO_FORM);
    PostMessageA(dialog, WM_INITIAL_MESSAGE, 0, 0);
}

void InitialMessage(HWND dialog)
{
    INT_PTR result = CheckInitialMessage(dialog);
    if (result != 1 && result != 2)
        return;
    DestroyWindow(dialog);
    if (result == 2)
        StartFostra();
}

}  // namespace

int InitInstance()
{
    profile = {IDC_PLAIN_ACEPTAR,
               IDC_PLAIN_CANCELAR,
               &TERMINAL_DIR_IDS,
               &STANDALONE_FORMS,
               &STANDALONE_EDITOR,
               &TERMINAL_PRINTER_CONTROLS,
               &INSTALAR_FORM,
               STANDALONE_EDITOR_ACTIONS,
               1,
               "Brenko"};
    appIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_PROGRAM));
    ComputeEntryDir();
    RecoverJournals(nullptr);

    return RunMainDialog(IDD_INICIO, InicioDialogProc);
}

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result;
    if (MainDialogMessage(dialog, message, wParam, &result))
        return result;
    switch (message) {
    case WM_INITDIALOG:
        InitInicio(dialog);
        return TRUE;
    case WM_INITIAL_MESSAGE:
        InitialMessage(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_INICIO_RTF:
            RunRtfInstaller(dialog);
            return TRUE;
        case IDC_INICIO_MENSAJE:
            WriteMessageFlag(1);
            EnableWindow(GetDlgItem(dialog, IDC_INICIO_MENSAJE), FALSE);
            return TRUE;
        }
        return EntryListCommand(dialog, INICIO_FORM, wParam, lParam) ? TRUE : FALSE;
    }
    return FALSE;
}
