// A stand-in for a dialog that asks for a directory, as INSTALAR does: an
// edit with the directory, "Buscar" runs the directory browser on it,
// "Aceptar" ensures the directory and ends only when it is there.
//   dirs_host OUT.TXT [START]
// "Buscar" puts the browser's buffer into the edit whatever its result, and
// the result into a static text, so a test sees what the browser left. On
// "Aceptar" the directory is written to OUT.TXT; the exit code is the
// dialog's result, 90 and up are failures of the host.
#include <cstdio>
#include <cstring>

#include "dirs_host.h"
#include "base/dirdialogs.h"
#include "base/base.h"

namespace {

const char* outFile;

void Browse(HWND dialog)
{
    char path[PATH_SIZE];
    GetDlgItemTextA(dialog, IDC_HOST_DIR, path, sizeof path);
    int result = BrowseDirectory(path, dialog);
    SetDlgItemTextA(dialog, IDC_HOST_DIR, path);
    SetDlgItemTextA(dialog, IDC_HOST_RESULT, result == 1 ? "1" : "0");
}

void Accept(HWND dialog)
{
    char dir[PATH_SIZE];
    GetDlgItemTextA(dialog, IDC_HOST_DIR, dir, sizeof dir);
    int result = EnsureDirectory(dialog, dir);
    SetDlgItemTextA(dialog, IDC_HOST_RESULT, result == 1 ? "1" : "0");
    if (result != 1)
        return;
    FILE* out = std::fopen(outFile, "wb");
    if (out == nullptr) {
        EndDialog(dialog, 95);
        return;
    }
    bool written = std::fputs(dir, out) >= 0;
    EndDialog(dialog, std::fclose(out) == 0 && written ? 1 : 95);
}

INT_PTR CALLBACK HostProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_HOST_DIR, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_HOST_BUSCAR:
            Browse(dialog);
            return TRUE;
        case IDC_HOST_ACEPTAR:
            Accept(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

int InitInstance()
{
    profile.dirDialogs = DIRS_FORM == DIRS_FORM_SETUP ? &SETUP_DIR_IDS : &TERMINAL_DIR_IDS;
    appIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(128));
    if (__argc < 2)
        return 90;
    outFile = __argv[1];
    const char* start = __argc > 2 ? __argv[2] : "";
    INT_PTR result = DialogBoxParamA(hInstance, "PRUEBA_DIRECTORIOS", nullptr, HostProc, reinterpret_cast<LPARAM>(start));
    return result < 0 ? 94 : static_cast<int>(result);
}
