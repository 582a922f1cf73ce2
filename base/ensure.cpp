// EnsureDirectory and CREAR_DIRECTORIO: a missing directory is offered for
// creation, with every missing level.
#include "dirdialogs.h"

#include "base.h"

namespace {

// Ends with 0 for "&Crear", 1 for "C&ancelar" and the close box: the one
// question of the suite whose accepting button ends with 0.
// lParam: the directory to show.
INT_PTR CALLBACK CrearDirectorioProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
        SetDlgItemTextA(dialog, profile.dirDialogs->pending, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == profile.dirDialogs->accept) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        if (id == profile.dirDialogs->cancel || id == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

}  // namespace

int EnsureDirectory(HWND owner, const char* dir)
{
    // An empty field would mean the root of the current drive: no one's intent.
    if (IsBlankPath(dir)) {
        ShowError(owner, "Proporcione el directorio de instalaci\xF3n !", "Error");
        return 0;
    }
    char pattern[PATH_SIZE];
    if (SearchPattern(pattern, dir)) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(pattern, &found);
        if (search != INVALID_HANDLE_VALUE) {
            FindClose(search);
            return 1;
        }
    }
    if (DialogBoxParamA(hInstance, IDD_CREAR_DIRECTORIO, owner, CrearDirectorioProc, reinterpret_cast<LPARAM>(dir)) != 0)
        return 0;
    MakeDirectoryPath(dir);
    // Writing into a directory that is not there would fail silently later.
    if (!DirectoryExists(dir)) {
        ShowError(owner, "No se pudo crear el directorio !", "Error");
        return 0;
    }
    return 1;
}
