// PARAM_RCM: rows and columns of the monitor for the window size "RCM".
#include <cstdio>

#include "../base/base.h"
#include "../resources/params/resource.h"
#include "appearance.h"

namespace {

void FillNumbers(HWND dialog, int combo, int low, int high, int value)
{
    for (int n = low; n <= high; ++n) {
        char text[12];
        std::snprintf(text, sizeof text, "%d", n);
        SendDlgItemMessageA(dialog, combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendDlgItemMessageA(dialog, combo, CB_SETCURSEL, RcmPosition(value, low, high), 0);
}

// The number shown in the combo: a chosen item, or a typed text that is one
// of the items. Anything else keeps the stored value, since a number outside
// the list would reach the launch parameters before the editor corrects it.
void ReadNumber(HWND dialog, int combo, int low, int32_t& field)
{
    HWND control = GetDlgItem(dialog, combo);
    char text[16] = "";
    GetWindowTextA(control, text, sizeof text);
    LRESULT index = SendMessageA(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (text[0] != '\0' && index != CB_ERR)
        field = low + static_cast<int32_t>(index);
}

// lParam: the editor's working record.
INT_PTR CALLBACK RcmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        AppParams& record = *reinterpret_cast<AppParams*>(lParam);
        SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
        FillNumbers(dialog, IDC_RCM_RENGLONES, RCM_ROWS_MIN, RCM_ROWS_MAX, record.renglones);
        FillNumbers(dialog, IDC_RCM_COLUMNAS, RCM_COLUMNS_MIN, RCM_COLUMNS_MAX, record.columnas);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    int id = LOWORD(wParam);
    if (id == profile.accept) {
        AppParams& record = *reinterpret_cast<AppParams*>(GetWindowLongPtrA(dialog, DWLP_USER));
        ReadNumber(dialog, IDC_RCM_RENGLONES, RCM_ROWS_MIN, record.renglones);
        ReadNumber(dialog, IDC_RCM_COLUMNAS, RCM_COLUMNS_MIN, record.columnas);
        EndDialog(dialog, 0);
        return TRUE;
    }
    if (id == profile.cancel || id == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR OpenParamRcm(HWND owner, AppParams& record)
{
    return DialogBoxParamA(hInstance, IDD_PARAM_RCM, owner, RcmDialogProc, reinterpret_cast<LPARAM>(&record));
}
