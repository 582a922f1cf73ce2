// DESINST: the confirmation before uninstalling.
#include "../resources/kelmin/resource.h"
#include "kelmin.h"

INT_PTR CALLBACK DesinstDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
        // "Cancelar" is the default: Enter must not uninstall.
        SetFocus(GetDlgItem(dialog, IDC_DESINST_CANCELAR));
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DESINST_DESINSTALAR:
            EndDialog(dialog, 1);
            return TRUE;
        case IDC_DESINST_CANCELAR:
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
