// The initial message STANDALONE and its flag in the registry.
#include "../base/regkey.h"
#include "../resources/brenko/resource.h"
#include "brenko.h"

namespace {

const char FLAG[] = "Brenko";

// Only the first character counts; a longer value does not fit and an empty
// one leaves nothing to look at: both are treated as missing.
int QueryFlag(HKEY key, char (&flag)[2])
{
    DWORD size = sizeof flag;
    return RegQueryValueExA(key, FLAG, nullptr, nullptr, reinterpret_cast<BYTE*>(flag), &size) == ERROR_SUCCESS &&
           size > 0;
}

void SetFlag(HKEY key, char value)
{
    const char flag[2] = {value, '\0'};
    RegSetValueExA(key, FLAG, 0, REG_SZ, reinterpret_cast<const BYTE*>(flag), sizeof flag);
}

INT_PTR CALLBACK StandaloneDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MSG_CONTINUAR:
            if (IsDlgButtonChecked(dialog, IDC_MSG_NO_MOSTRAR) == BST_CHECKED)
                WriteMessageFlag(0);
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_MSG_TERMINAR:
            EndDialog(dialog, 1);
            return TRUE;
        case IDC_MSG_FOSTRA:
            EndDialog(dialog, 2);
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

int ReadMessageFlag()
{
    RegKey key;
    char flag[2];
    return key.Open(HKEY_CURRENT_USER, VONDRA_KEY, KEY_QUERY_VALUE) && QueryFlag(key.handle, flag) && flag[0] == '1';
}

void WriteMessageFlag(int show)
{
    RegKey key;
    if (key.OpenForWriting(HKEY_CURRENT_USER, VONDRA_KEY))
        SetFlag(key.handle, show ? '1' : '0');
}

INT_PTR CheckInitialMessage(HWND inicio)
{
    bool due;
    {
        RegKey key;
        if (!key.OpenForWriting(HKEY_CURRENT_USER, VONDRA_KEY))
            return 0;
        char flag[2];
        if (QueryFlag(key.handle, flag)) {
            due = flag[0] == '1';
        } else {
            due = true;
            SetFlag(key.handle, '1');
        }
    }
    if (!due)
        return 0;
    return DialogBoxParamA(hInstance, IDD_STANDALONE, inicio, StandaloneDialogProc, 0);
}
