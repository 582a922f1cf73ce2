#include "appearance.h"

void ApplyPreBox(HWND dialog, int control, int box, int kind, AppParams& record)
{
    int preSet = box != 0 && IsDlgButtonChecked(dialog, box) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, control), !preSet);
    if (const char* text = ApplyKindPre(record, kind, preSet))
        SetDlgItemTextA(dialog, control, text);
}

void FillParamCombo(HWND dialog, int control, int box, int kind, AppParams& record)
{
    HWND combo = GetDlgItem(dialog, control);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    switch (KindListOf(kind)) {
    case KIND_LIST_FONTS:
        FillFontCombo(combo);
        break;
    case KIND_LIST_TABLE:
        for (size_t i = 0; i < KindItemCount(kind); ++i)
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(KindItem(kind, i)));
        break;
    case KIND_LIST_NONE:
        break;
    }
    ApplyPreBox(dialog, control, box, kind, record);
}
