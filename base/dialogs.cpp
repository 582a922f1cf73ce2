#include "base.h"
#include "runlog.h"

INT_PTR CALLBACK PlainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == profile.accept) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (id == profile.cancel || id == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

void ShowError(HWND owner, const char* text, const char* caption)
{
    // An unattended run has no one to answer a box: what it says is logged.
    if (IsUnattended()) {
        LogError(caption, text);
        return;
    }
    MessageBoxA(owner, text, caption, MB_OK | MB_ICONERROR);
}

void Refuse(HWND owner, const char* text, const char* detail)
{
    char message[512];
    ComposeText(message, text, detail);
    ShowError(owner, message, "Error");
}
