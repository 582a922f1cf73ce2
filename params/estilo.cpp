// PARAM_ESTILO: font, colours and effects of the Java client's windows. Every
// choice goes into the record at once; closing keeps them all.
#include "../base/base.h"
#include "appearance.h"

namespace {

// The dialog's form and the editor's working record.
struct EstiloState {
    const EstiloForm& form;
    AppParams& record;
};

EstiloState& StateOf(HWND dialog)
{
    return *reinterpret_cast<EstiloState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

bool Checked(HWND dialog, int box)
{
    return IsDlgButtonChecked(dialog, box) == BST_CHECKED;
}

void Enable(HWND dialog, int id, bool enabled)
{
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

// The gradient combos and the "Usar gradiente" box follow the effects.
void ApplyEnables(HWND dialog, const EstiloForm& form, const AppParams& record)
{
    EstiloEnables e = EstiloEnablesOf(record);
    Enable(dialog, form.gradienteFondo, e.gradienteFondo);
    Enable(dialog, form.gradienteAreas, e.gradienteAreas);
    Enable(dialog, form.usarGradiente, e.usarGradiente);
    Enable(dialog, form.gradienteSinEfecto, e.gradienteSinEfecto);
}

void InitEstilo(HWND dialog, const EstiloForm& form, AppParams& record)
{
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
    BoundAppearance(record);
    DeriveEffectPre(record);
    for (const EstiloParam& p : form.params) {
        CheckDlgButton(dialog, p.preBox, record.pre[p.slot] ? BST_CHECKED : BST_UNCHECKED);
        if (p.modBox != 0)
            CheckDlgButton(dialog, p.modBox, record.mod[p.slot] ? BST_CHECKED : BST_UNCHECKED);
    }
    CheckDlgButton(dialog, form.usarGradiente, record.usarGradienteAreas ? BST_CHECKED : BST_UNCHECKED);
    for (const EstiloParam& p : form.params)
        if (record.pre[p.slot])
            Enable(dialog, p.combo, false);
    for (const EstiloParam& p : form.params)
        FillParamCombo(dialog, p.combo, p.preBox, p.kind, record);
    FillParamCombo(dialog, form.gradienteFondo, 0, KIND_GRADIENTE_FONDO, record);
    FillParamCombo(dialog, form.gradienteAreas, 0, KIND_GRADIENTE_AREAS, record);
    FillParamCombo(dialog, form.gradienteSinEfecto, 0, KIND_GRADIENTE_SIN_EFECTO, record);
    ApplyEnables(dialog, form, record);
    if (form.modRestricts)
        for (const EstiloParam& p : form.params)
            if (record.mod[p.slot] == 0) {
                Enable(dialog, p.combo, false);
                Enable(dialog, p.preBox, false);
            }
}

// The text of the list item chosen in a combo, into its field.
void StoreChoice(HWND dialog, int combo, EstiloField field, AppParams& record)
{
    HWND control = GetDlgItem(dialog, combo);
    LRESULT index = SendMessageA(control, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return;
    char text[256];
    LRESULT length = SendMessageA(control, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR || length >= static_cast<LRESULT>(sizeof text))
        return;
    SendMessageA(control, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    StoreEstiloChoice(record, field, text);
}

void CloseEstilo(HWND dialog, const EstiloForm& form, AppParams& record)
{
    for (const EstiloParam& p : form.params) {
        record.pre[p.slot] = Checked(dialog, p.preBox) ? 1 : 0;
        if (p.modBox != 0)
            record.mod[p.slot] = Checked(dialog, p.modBox) ? 1 : 0;
    }
    EndDialog(dialog, 0);
}

// Returns true when the command was one of the dialog's own.
bool EstiloCommand(HWND dialog, const EstiloForm& form, AppParams& record, int id, int code)
{
    const struct {
        int combo;
        EstiloField field;
    } gradients[] = {{form.gradienteFondo, ESTILO_GRADIENTE_FONDO},
                     {form.gradienteAreas, ESTILO_GRADIENTE_AREAS},
                     {form.gradienteSinEfecto, ESTILO_GRADIENTE_SIN_EFECTO}};
    for (const EstiloParam& p : form.params) {
        if (id == p.combo) {
            if (code == CBN_SELENDOK) {
                StoreChoice(dialog, p.combo, p.field, record);
                ApplyEnables(dialog, form, record);
                PaintAppearancePreview(dialog, record);
            }
            return true;
        }
        if (id == p.preBox) {
            ApplyPreBox(dialog, p.combo, p.preBox, p.kind, record);
            // A preset effect brings its gradient controls along with it.
            ApplyEnables(dialog, form, record);
            PaintAppearancePreview(dialog, record);
            return true;
        }
        if (id == p.modBox)
            return true;  // an automatic box: read when the dialog closes
    }
    for (const auto& g : gradients)
        if (id == g.combo) {
            if (code == CBN_SELENDOK) {
                StoreChoice(dialog, g.combo, g.field, record);
                PaintAppearancePreview(dialog, record);
            }
            return true;
        }
    if (id == form.usarGradiente) {
        record.usarGradienteAreas = Checked(dialog, form.usarGradiente) ? 1 : 0;
        ApplyEnables(dialog, form, record);
        PaintAppearancePreview(dialog, record);
        return true;
    }
    if (id == form.help) {
        DialogBoxParamA(hInstance, IDD_AYUDA_PARAMETROS1, dialog, PlainDialogProc, 0);
        return true;
    }
    if (id == IDCANCEL) {
        CloseEstilo(dialog, form, record);
        return true;
    }
    return id == IDOK;  // Enter: the dialog has no accepting button
}

INT_PTR CALLBACK EstiloDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        InitEstilo(dialog, StateOf(dialog).form, StateOf(dialog).record);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(dialog, &paint);
        EndPaint(dialog, &paint);
        if (GetWindowLongPtrA(dialog, DWLP_USER) != 0)
            PaintAppearancePreview(dialog, StateOf(dialog).record);
        return TRUE;
    }
    case WM_COMMAND:
        if (GetWindowLongPtrA(dialog, DWLP_USER) == 0)
            return FALSE;
        return EstiloCommand(dialog, StateOf(dialog).form, StateOf(dialog).record, LOWORD(wParam), HIWORD(wParam))
                   ? TRUE
                   : FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR OpenParamEstilo(HWND owner, AppParams& record)
{
    EstiloState state{profile.paramForms->estilo, record};
    return DialogBoxParamA(hInstance, IDD_PARAM_ESTILO, owner, EstiloDialogProc, reinterpret_cast<LPARAM>(&state));
}
