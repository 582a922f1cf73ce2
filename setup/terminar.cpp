// TERMINAR, the last window of a setup: every way out ends the program,
// two of them start a companion program in its own directory.
#include "../resources/instalar/resource.h"
#include "instalar.h"

void StartCompanion(const char* dir, const char* program)
{
    if (!SetCurrentDirectoryA(dir))
        return;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(program, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

namespace {

void Finish(HWND dialog)
{
    EndDialog(dialog, 0);
    PostQuitMessage(0);
}

}  // namespace

INT_PTR CALLBACK TerminarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_TERMINAR_BRENKO:
            Finish(dialog);
            StartCompanion(setupDir, "Brenko.EXE");
            return TRUE;
        case IDC_TERMINAR_FOSTRA: {
            Finish(dialog);
            char server[PATH_SIZE];
            if (ComposeInstallPath(server, setupDir, "Servidor", ""))
                StartCompanion(server, "Fostra.EXE");
            return TRUE;
        }
        case IDC_TERMINAR_TERMINAR:
        case IDCANCEL:
            Finish(dialog);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
