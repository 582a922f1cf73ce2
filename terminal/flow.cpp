// Dalvo's installation flow: INSTALAR for a new installation or EXISTE for
// an update, then the entry in the editor, then the installation itself.
#include "../params/editor.h"
#include "../resources/dalvo/resource.h"
#include "terminal.h"

INT_PTR CALLBACK ExisteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_EXISTE_NOMBRE, appParams.nombre);
        SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_EXISTE_ACTUALIZAR:
            EndDialog(dialog, 1);
            return TRUE;
        case IDC_EXISTE_CANCELAR:
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

namespace {

// The name stored in the entry becomes the names of the parameter file, the
// icon, the marker and the shortcut: a name that is no file name (a path,
// a device) is refused before anything is written. An empty one is left to
// the editor, which asks for a name.
bool StoredNameUsable(HWND owner)
{
    char listed[sizeof appParams.nombre];
    CopyText(listed, appParams.nombre);
    LoadEntry();
    bool usable = appParams.nombre[0] == '\0' || EntryNameUsable(appParams.nombre, entryDir) != 0;
    if (!usable) {
        char message[64 + sizeof appParams.nombre];
        ComposeText(message, "El nombre de la aplicaci\xF3n no es v\xE1lido como nombre de archivo !\n",
                    appParams.nombre);
        ShowError(owner, message, "Error");
    }
    CopyText(appParams.nombre, listed);
    return usable;
}

}  // namespace

void RunInstallFlow(HWND inicio)
{
    if (!StoredNameUsable(inicio))
        return;
    ShowWindow(inicio, SW_HIDE);
    int found = FindInstallation();
    isNew = found ? 0 : 1;
    // -1 means the dialog could not be shown: nothing was chosen.
    INT_PTR chosen = found ? DialogBoxParamA(hInstance, "EXISTE", inicio, ExisteDialogProc, 0)
                           : DialogBoxParamA(hInstance, "INSTALAR", inicio, InstalarDialogProc, 0);
    if (chosen > 0) {
        LoadEntry();
        if (OpenParametros(nullptr) > 0)
            InstallApplication();
    }
    ShowWindow(inicio, SW_SHOW);
}
