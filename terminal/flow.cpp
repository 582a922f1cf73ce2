// Dalvo's installation flow: INSTALAR for a new installation or EXISTE for
// an update, then the entry in the editor, then the installation itself.
#include "../params/editor.h"
#include "../resources/dalvo/resource.h"
#include "terminal.h"

// lParam: the application's name.
INT_PTR CALLBACK ExisteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_EXISTE_NOMBRE, reinterpret_cast<const char*>(lParam));
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

// The name becomes the names of the parameter file, the icon, the marker and
// the shortcut: one that is no file name (a device) is refused before
// anything is written; so is a text that would add lines to the parameter
// file or arguments to the client's command line.
bool Installable(HWND owner, const AppParams& record)
{
    if (!EntryNameUsable(record.nombre, entryDir)) {
        Refuse(owner, "El nombre de la aplicaci\xF3n no es v\xE1lido como nombre de archivo !\n", record.nombre);
        return false;
    }
    if (const char* field = UnsafeField(record)) {
        Refuse(owner, EditorVerdictText(EDIT_UNSAFE_TEXT), field);
        return false;
    }
    return true;
}

int RunInstallFlow(HWND inicio, const char* listedName, const Runtime& runtime)
{
    Entry entry{};
    if (!LoadPickedEntry(inicio, listedName, 1, entry))
        return 0;
    if (!Installable(inicio, entry.record))
        return 1;
    ShowWindow(inicio, SW_HIDE);
    Installation installation{};
    installation.runtime = runtime;
    int found = FindInstallation(entry.record.nombre, installation);
    entry.isNew = found ? 0 : 1;
    // -1 means the dialog could not be shown: nothing was chosen.
    INT_PTR chosen = found ? DialogBoxParamA(hInstance, IDD_EXISTE, inicio, ExisteDialogProc,
                                             reinterpret_cast<LPARAM>(entry.record.nombre))
                           : OpenInstalar(inicio, entry, installation);
    if (chosen > 0 && OpenParametros(nullptr, entry, &installation) > 0)
        InstallApplication(inicio, entry.record, installation);
    ShowWindow(inicio, SW_SHOW);
    return 1;
}
