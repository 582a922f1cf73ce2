// PARAM_AREA: the colours of the eight kinds of area, edited on a working
// copy of the table that only a valid "&Aceptar" writes back.
#include <cstring>

#include "../base/base.h"
#include "../resources/params/resource.h"
#include "appearance.h"

namespace {

struct AreaState {
    AppParams& record;
    uint8_t working[AREA_COUNT][COLOUR_ROLE_COUNT];
    int shown;
};

AreaState& StateOf(HWND dialog)
{
    return *reinterpret_cast<AreaState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// A byte above NO_COLOUR (from a foreign file) selects the empty item.
void ShowRow(HWND dialog, const uint8_t (&row)[COLOUR_ROLE_COUNT])
{
    for (int column = 0; column < COLOUR_ROLE_COUNT; ++column) {
        int colour = row[column] <= NO_COLOUR ? row[column] : static_cast<int>(NO_COLOUR);
        SendDlgItemMessageA(dialog, AREA_COLOUR_COMBOS[column], CB_SETCURSEL, colour, 0);
    }
}

// A combo whose text was typed has no selection: no colour.
void StoreRow(HWND dialog, uint8_t (&row)[COLOUR_ROLE_COUNT])
{
    for (int column = 0; column < COLOUR_ROLE_COUNT; ++column) {
        LRESULT index = SendDlgItemMessageA(dialog, AREA_COLOUR_COMBOS[column], CB_GETCURSEL, 0, 0);
        row[column] = static_cast<uint8_t>(index >= 0 && index < NO_COLOUR ? index : static_cast<LRESULT>(NO_COLOUR));
    }
}

void InitArea(HWND dialog, AreaState& state)
{
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
    FillParamCombo(dialog, IDC_AREA_LIST, 0, KIND_AREA, state.record);
    for (int combo : AREA_COLOUR_COMBOS)
        FillParamCombo(dialog, combo, 0, KIND_AREA_COLOUR, state.record);
    std::memcpy(state.working, state.record.areas, sizeof state.working);
    for (auto& row : state.working)
        for (auto& colour : row)
            if (colour > NO_COLOUR)
                colour = NO_COLOUR;
    state.shown = 0;
    SendDlgItemMessageA(dialog, IDC_AREA_LIST, CB_SETCURSEL, 0, 0);
    ShowRow(dialog, state.working[0]);
}

void SwitchArea(HWND dialog, AreaState& state)
{
    LRESULT chosen = SendDlgItemMessageA(dialog, IDC_AREA_LIST, CB_GETCURSEL, 0, 0);
    if (chosen < 0 || chosen >= AREA_COUNT || chosen == state.shown)
        return;
    StoreRow(dialog, state.working[state.shown]);
    state.shown = static_cast<int>(chosen);
    ShowRow(dialog, state.working[state.shown]);
}

void AcceptArea(HWND dialog, AreaState& state)
{
    StoreRow(dialog, state.working[state.shown]);
    char message[AREA_MESSAGE_SIZE];
    if (!CheckAreaTable(state.working, message, sizeof message)) {
        ShowError(dialog, message, "Error en par\xE1metros de 'Area'");
        return;
    }
    std::memcpy(state.record.areas, state.working, sizeof state.record.areas);
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK AreaDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        InitArea(dialog, StateOf(dialog));
        return TRUE;
    }
    if (message != WM_COMMAND || GetWindowLongPtrA(dialog, DWLP_USER) == 0)
        return FALSE;
    AreaState& state = StateOf(dialog);
    int id = LOWORD(wParam);
    if (id == IDC_AREA_LIST) {
        SwitchArea(dialog, state);
        return TRUE;
    }
    if (id == profile.accept) {
        AcceptArea(dialog, state);
        return TRUE;
    }
    if (id == profile.cancel || id == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR OpenParamArea(HWND owner, AppParams& record)
{
    AreaState state{record, {}, 0};
    return DialogBoxParamA(hInstance, IDD_PARAM_AREA, owner, AreaDialogProc, reinterpret_cast<LPARAM>(&state));
}
