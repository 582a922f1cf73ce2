// PARAMETROS: the parameters of one application. Every control reads from and
// writes to appParams; which control is which comes from the program's form.
#include "editor.h"

#include <cstddef>
#include <cstring>

#include "appearance.h"
#include "icons.h"
#include "printers.h"

namespace {

const char NEW_CAPTION[] = "Agregar una nueva aplicaci\xF3n - Capturar sus par\xE1metros";
const char UPDATE_TEXT[] = "&Actualizar";
const char DEFAULT_ICON[] = "Telmir.ICO";
enum { ICON_X = 35, ICON_Y = 30, RCM_POSITION = 5, TAMANO_RCM = 5 };

const EditorForm& FormOf(HWND dialog)
{
    return *reinterpret_cast<const EditorForm*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void Check(HWND dialog, int id, int32_t value)
{
    CheckDlgButton(dialog, id, value ? BST_CHECKED : BST_UNCHECKED);
}

void Enable(HWND dialog, int id, bool enabled)
{
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

// The Mod. boxes of the server form for the single flags, by the flag's
// place in the packed record; the terminal form has none (box 0).
struct ModBox {
    int box;
    size_t offset;
};

void ModBoxes(const EditorForm& form, ModBox (&boxes)[5])
{
    boxes[0] = {form.modEnviador, offsetof(AppParams, modEnviador)};
    boxes[1] = {form.modServidor, offsetof(AppParams, modServidor)};
    boxes[2] = {form.modClave, offsetof(AppParams, modClave)};
    boxes[3] = {form.modImagen, offsetof(AppParams, modImagen)};
    boxes[4] = {form.modSeleccionar, offsetof(AppParams, modSeleccionar)};
}

void ShowModBoxes(HWND dialog, const EditorForm& form)
{
    for (int p = 0; p < ED_PARAM_COUNT; ++p)
        if (form.params[p].modBox != 0)
            Check(dialog, form.params[p].modBox, EditorModFlag(appParams, static_cast<EditorParam>(p)));
    ModBox boxes[5];
    ModBoxes(form, boxes);
    for (const ModBox& m : boxes)
        if (m.box != 0) {
            int32_t value;
            std::memcpy(&value, reinterpret_cast<const char*>(&appParams) + m.offset, sizeof value);
            Check(dialog, m.box, value);
        }
}

void ReadModBoxes(HWND dialog, const EditorForm& form)
{
    for (int p = 0; p < ED_PARAM_COUNT; ++p)
        if (form.params[p].modBox != 0)
            SetEditorModFlag(appParams, static_cast<EditorParam>(p), Checked(dialog, form.params[p].modBox) ? 1 : 0);
    ModBox boxes[5];
    ModBoxes(form, boxes);
    for (const ModBox& m : boxes)
        if (m.box != 0) {
            int32_t value = Checked(dialog, m.box) ? 1 : 0;
            std::memcpy(reinterpret_cast<char*>(&appParams) + m.offset, &value, sizeof value);
        }
}

// Fixed parameters stay fixed: with a Mod. flag of 0 the terminal form
// disables the control, its Pre. box and whatever else would change it.
bool Modifiable(const EditorForm& form, int32_t mod)
{
    return !form.modRestricts || mod != 0;
}

bool RcmAllowed(const EditorForm& form)
{
    return Modifiable(form, appParams.mod[SLOT_TAMANO]);
}

// The printer choice writes directaNombre: only while its Pre. box is clear
// and the direct printer is modifiable.
void EnablePrinterButton(HWND dialog, const EditorForm& form)
{
    Enable(dialog, form.printer,
           !Checked(dialog, form.params[ED_NOMBRE_DIRECTA].preBox) &&
               Modifiable(form, EditorModFlag(appParams, ED_NOMBRE_DIRECTA)));
}

void LoadEditorIcon(int isNewEntry)
{
    char path[MAX_PATH];
    if (!isNewEntry && ComposeText(path, entryDir, appParams.nombre, ".ICO") && LoadCurrentIcon(path))
        return;
    if (ComposeText(path, entryDir, DEFAULT_ICON))
        LoadCurrentIcon(path);
}

void SetLimits(HWND dialog, const EditorForm& form)
{
    const int edits[] = {form.params[ED_DIRECTORIO].control, form.params[ED_NOMBRE_DIRECTA].control,
                         form.enviador, form.servidor, form.clave};
    for (int id : edits)
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, TEXT_FIELD - 1, 0);
    SendDlgItemMessageA(dialog, form.tiempo, EM_LIMITTEXT, sizeof appParams.tiempo - 1, 0);
    for (int p = ED_MODERNO; p <= ED_MANUSCRITO; ++p)
        SendDlgItemMessageA(dialog, form.params[p].control, CB_LIMITTEXT, TEXT_FIELD - 1, 0);
    if (form.editsIdentity) {
        SendDlgItemMessageA(dialog, form.nombre, EM_LIMITTEXT, sizeof appParams.nombre - 1, 0);
        SendDlgItemMessageA(dialog, form.ip, EM_LIMITTEXT, sizeof appParams.ipServidor - 1, 0);
        SendDlgItemMessageA(dialog, form.parametros, EM_LIMITTEXT, sizeof appParams.parametrosP - 1, 0);
    }
}

void InitEditor(HWND dialog, const EditorForm& form)
{
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
    LoadEditorIcon(isNew == 1);
    if (isNew == 1) {
        SetWindowTextA(dialog, NEW_CAPTION);
        Enable(dialog, form.remove, false);
    }
    LoadEntry();

    Check(dialog, form.directaI, appParams.directaI);
    Check(dialog, form.directaF, appParams.directaF);
    Check(dialog, form.directaA, appParams.directaA);
    SetDlgItemTextA(dialog, form.nombre, appParams.nombre);
    SetDlgItemTextA(dialog, form.ip, appParams.ipServidor);
    SetDlgItemTextA(dialog, form.parametros, appParams.parametrosP);
    Check(dialog, form.paginaInicial, appParams.paginaInicial);
    Check(dialog, form.imagenesGrandes, appParams.imagenesGrandes);

    FillParamCombo(dialog, form.imagen, 0, KIND_IMAGEN);
    SendDlgItemMessageA(dialog, form.imagen, CB_SETCURSEL, appParams.imagen, 0);
    Check(dialog, form.seleccionarSi, appParams.seleccionarImpresora == 1);
    Check(dialog, form.seleccionarNo, appParams.seleccionarImpresora != 1);

    for (int p = 0; p < ED_PARAM_COUNT; ++p) {
        const EditorPreControl& c = form.params[p];
        int32_t preSet = EditorPreFlag(appParams, static_cast<EditorParam>(p));
        Check(dialog, c.preBox, preSet);
        Enable(dialog, c.control, !preSet);
    }
    for (int p = 0; p < ED_PARAM_COUNT; ++p) {
        const EditorPreControl& c = form.params[p];
        int kind = EditorParamKind(static_cast<EditorParam>(p));
        if (KindListOf(kind) == KIND_LIST_NONE)
            ApplyPreBox(dialog, c.control, c.preBox, kind);
        else
            FillParamCombo(dialog, c.control, c.preBox, kind);
    }

    ShowModBoxes(dialog, form);
    SetDlgItemTextA(dialog, form.enviador, appParams.correoEnviador);
    SetDlgItemTextA(dialog, form.servidor, appParams.correoServidor);
    SetDlgItemTextA(dialog, form.clave, appParams.correoClave);
    SetDlgItemTextA(dialog, form.tiempo, appParams.tiempo);
    SetLimits(dialog, form);

    if (form.modRestricts) {
        for (int p = 0; p < ED_PARAM_COUNT; ++p)
            if (EditorModFlag(appParams, static_cast<EditorParam>(p)) == 0) {
                Enable(dialog, form.params[p].control, false);
                Enable(dialog, form.params[p].preBox, false);
            }
        if (appParams.mod[SLOT_DIRECTA_DIRECTORIO] == 0) {
            Enable(dialog, form.directaI, false);
            Enable(dialog, form.directaF, false);
            Enable(dialog, form.directaA, false);
        }
        Enable(dialog, form.enviador, appParams.modEnviador != 0);
        Enable(dialog, form.servidor, appParams.modServidor != 0);
        Enable(dialog, form.clave, appParams.modClave != 0);
        Enable(dialog, form.imagen, appParams.modImagen != 0);
        Enable(dialog, form.seleccionarSi, appParams.modSeleccionar != 0);
        Enable(dialog, form.seleccionarNo, appParams.modSeleccionar != 0);
    }
    EnablePrinterButton(dialog, form);

    if (isNew == 0)
        SetDlgItemTextA(dialog, form.accept, UPDATE_TEXT);
    BoundRowsColumns(appParams);
    Enable(dialog, form.rcm, appParams.tamano == TAMANO_RCM && RcmAllowed(form));
}

// The text of a parameter's control into the record (at most 127 characters).
void ReadParam(HWND dialog, const EditorForm& form, EditorParam p)
{
    char text[TEXT_FIELD];
    GetDlgItemTextA(dialog, form.params[p].control, text, sizeof text);
    ReadEditorText(appParams, p, text);
}

void ReadText(HWND dialog, int id, char* field, int size)
{
    GetDlgItemTextA(dialog, id, field, size);
}

void ReadBack(HWND dialog, const EditorForm& form)
{
    if (form.editsIdentity) {
        ReadText(dialog, form.nombre, appParams.nombre, sizeof appParams.nombre);
        ReadText(dialog, form.ip, appParams.ipServidor, sizeof appParams.ipServidor);
        ReadText(dialog, form.parametros, appParams.parametrosP, sizeof appParams.parametrosP);
        appParams.imagenesGrandes = Checked(dialog, form.imagenesGrandes) ? 1 : 0;
        ReadModBoxes(dialog, form);
    }
    appParams.paginaInicial = Checked(dialog, form.paginaInicial) ? 1 : 0;
    for (int p = 0; p < ED_PARAM_COUNT; ++p)
        SetEditorPreFlag(appParams, static_cast<EditorParam>(p), Checked(dialog, form.params[p].preBox) ? 1 : 0);
    for (int p = 0; p < ED_PARAM_COUNT; ++p)
        if (!EditorPreFlag(appParams, static_cast<EditorParam>(p)))
            ReadParam(dialog, form, static_cast<EditorParam>(p));
    appParams.directaI = Checked(dialog, form.directaI) ? 1 : 0;
    appParams.directaF = Checked(dialog, form.directaF) ? 1 : 0;
    appParams.directaA = Checked(dialog, form.directaA) ? 1 : 0;
    ReadText(dialog, form.enviador, appParams.correoEnviador, sizeof appParams.correoEnviador);
    ReadText(dialog, form.servidor, appParams.correoServidor, sizeof appParams.correoServidor);
    ReadText(dialog, form.clave, appParams.correoClave, sizeof appParams.correoClave);

    char typed[TEXT_FIELD];
    GetDlgItemTextA(dialog, form.imagen, typed, sizeof typed);
    LRESULT position = SendDlgItemMessageA(dialog, form.imagen, CB_GETCURSEL, 0, 0);
    appParams.imagen = ImagenChoice(static_cast<long>(position), typed, appParams.imagen);
    appParams.seleccionarImpresora = Checked(dialog, form.seleccionarSi) ? 1 : 0;
    ReadText(dialog, form.tiempo, appParams.tiempo, sizeof appParams.tiempo);
}

// A Pre. box was clicked. A box just set first takes what the control showed,
// so that clearing it again brings the user's value back.
void PreBoxClicked(HWND dialog, const EditorForm& form, EditorParam p)
{
    const EditorPreControl& c = form.params[p];
    if (Checked(dialog, c.preBox))
        ReadParam(dialog, form, p);
    ApplyPreBox(dialog, c.control, c.preBox, EditorParamKind(p));
    ReadBack(dialog, form);
    if (p == ED_NOMBRE_DIRECTA)
        EnablePrinterButton(dialog, form);
}

// The current icon at its place; false when there is none to draw.
bool PaintIcon(HWND dialog)
{
    int width = 0, height = 0;
    HICON icon = CurrentIconHandle(&width, &height);
    if (icon == nullptr)
        return false;
    DrawIconAt(dialog, icon, ICON_X, ICON_Y, width, height);
    DestroyIcon(icon);
    return true;
}

void EndEditor(HWND dialog, INT_PTR result)
{
    if (result == 0)
        ReleaseIcon();
    EndDialog(dialog, result);
}

void Accept(HWND dialog, const EditorForm& form)
{
    ReadBack(dialog, form);
    const EditorActions& actions = profile.editorActions;
    EditorVerdict verdict = CheckEditedRecord(appParams, isNew, actions.nameTaken);
    if (verdict != EDIT_VALID) {
        ShowError(dialog, EditorVerdictText(verdict), "Error");
        return;
    }
    if (isNew == 0 && DialogBoxParamA(hInstance, "Conf_Guardar", dialog, PlainDialogProc, 0) != 1)
        return;
    if (actions.accepted != nullptr && actions.accepted(dialog) == 0)
        return;
    EndDialog(dialog, 1);
}

bool EditorCommand(HWND dialog, const EditorForm& form, int id, int code)
{
    for (int p = 0; p < ED_PARAM_COUNT; ++p)
        if (id == form.params[p].preBox) {
            PreBoxClicked(dialog, form, static_cast<EditorParam>(p));
            return true;
        }
    if (id == form.params[ED_TAMANO].control) {
        if (code == CBN_SELCHANGE) {
            LRESULT position = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
            Enable(dialog, form.rcm, position == RCM_POSITION && RcmAllowed(form));
        }
        return true;
    }
    if (id == form.printer) {
        ChoosePrinter(dialog, form.params[ED_NOMBRE_DIRECTA].control);
    } else if (id == form.changeIcon) {
        if (LoadCurrentIcon(nullptr) == 1)
            InvalidateRect(dialog, nullptr, TRUE);
    } else if (id == form.rcm) {
        OpenParamRcm(dialog);
    } else if (id == form.estilo) {
        OpenParamEstilo(dialog);
        PaintAppearancePreview(dialog);
    } else if (id == form.area) {
        OpenParamArea(dialog);
    } else if (id == form.help) {
        DialogBoxParamA(hInstance, "Ayuda_Parametros", dialog, PlainDialogProc, 0);
    } else if (id == form.remove) {
        if (profile.editorActions.remove != nullptr && profile.editorActions.remove(dialog) == 1)
            EndEditor(dialog, 0);
    } else if (id == form.cancel || id == IDCANCEL) {
        EndEditor(dialog, 0);
    } else if (id == form.accept) {
        Accept(dialog, form);
    } else {
        return false;
    }
    return true;
}

INT_PTR CALLBACK EditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        InitEditor(dialog, FormOf(dialog));
        return TRUE;
    case WM_PAINT:
        if (!PaintIcon(dialog)) {
            PAINTSTRUCT paint;
            BeginPaint(dialog, &paint);
            EndPaint(dialog, &paint);
        }
        PaintAppearancePreview(dialog);
        return TRUE;
    case WM_COMMAND:
        if (GetWindowLongPtrA(dialog, DWLP_USER) == 0)
            return FALSE;
        return EditorCommand(dialog, FormOf(dialog), LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    }
    return FALSE;
}

}  // namespace

void ReadParamsBack(HWND dialog)
{
    ReadBack(dialog, FormOf(dialog));
}

INT_PTR OpenParametros(HWND owner)
{
    return DialogBoxParamA(hInstance, "Parametros", owner, EditorDialogProc,
                           reinterpret_cast<LPARAM>(profile.editor));
}
