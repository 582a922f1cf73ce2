// The main dialogs' list of entries and the buttons around it.
#include "params.h"

namespace {

void Refill(HWND dialog, const EntryListDialog& form)
{
    FillEntryList(GetDlgItem(dialog, form.list));
    EnableWindow(GetDlgItem(dialog, form.act), FALSE);
}

void ActOnSelected(HWND dialog, const EntryListDialog& form)
{
    char name[sizeof(AppParams::nombre)];
    if (!SelectedItemText(GetDlgItem(dialog, form.list), name, sizeof name))
        return;
    // An entry that could not be read may be gone: the list shows what is there.
    if (!form.edit(dialog, name, 0) || form.add != 0)
        Refill(dialog, form);
}

}  // namespace

void InitEntryListDialog(HWND dialog, const EntryListDialog& form)
{
    InitMainDialog(dialog);
    Refill(dialog, form);
    CollectFontNames(dialog);
}

bool EntryListCommand(HWND dialog, const EntryListDialog& form, WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam);
    if (id == form.list) {
        bool selected = SendMessageA(reinterpret_cast<HWND>(lParam), LB_GETCURSEL, 0, 0) != LB_ERR;
        EnableWindow(GetDlgItem(dialog, form.act), selected);
        if (HIWORD(wParam) == LBN_DBLCLK)
            ActOnSelected(dialog, form);
    } else if (id == form.act) {
        ActOnSelected(dialog, form);
    } else if (form.add != 0 && id == form.add) {
        form.edit(dialog, "", 1);
        Refill(dialog, form);
    } else if (id == form.help) {
        DialogBoxParamA(hInstance, IDD_AYUDA_INICIO, dialog, PlainDialogProc, 0);
    } else if (id == form.quit || id == IDCANCEL) {
        DestroyWindow(dialog);
    } else {
        return false;
    }
    return true;
}

INT_PTR EntryListDialogMessage(HWND dialog, const EntryListDialog& form, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result;
    if (MainDialogMessage(dialog, message, wParam, &result))
        return result;
    switch (message) {
    case WM_INITDIALOG:
        InitEntryListDialog(dialog, form);
        return TRUE;
    case WM_COMMAND:
        return EntryListCommand(dialog, form, wParam, lParam) ? TRUE : FALSE;
    }
    return FALSE;
}
