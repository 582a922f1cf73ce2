// PARAMETROS: the parameters of one application. Every control reads from and
// writes to the dialog's working copy of the entry, which only the accepting
// button hands back; which control is which comes from the program's form.
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

struct EditorState {
    const EditorForm& form;
    Entry working;
    Entry& target;
    void* context;
};

EditorState& StateOf(HWND dialog)
{
    return *reinterpret_cast<EditorState*>(GetWindowLongPtrA(dialog, DWLP_USER));
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

void ShowModBoxes(HWND dialog, const EditorForm& form, const AppParams& record)
{
    for (int p = 0; p < ED_PARAM_COUNT; ++p)
        if (form.params[p].modBox != 0)
            Check(dialog, form.params[p].modBox, EditorModFlag(record, static_cast<EditorParam>(p)));
    ModBox boxes[5];
    ModBoxes(form, boxes);
    for (const ModBox& m : boxes)
        if (m.box != 0) {
            int32_t value;
            std::memcpy(&value, reinterpret_cast<const char*>(&record) + m.offset, sizeof value);
            Check(dialog, m.box, value);
        }
}

void ReadModBoxes(HWND dialog, const EditorForm& form, AppParams& record)
{
    for (int p = 0; p < ED_PARAM_COUNT; ++p)
        if (form.params[p].modBox != 0)
            SetEditorModFlag(record, static_cast<EditorParam>(p), Checked(dialog, form.params[p].modBox) ? 1 : 0);
    ModBox boxes[5];
    ModBoxes(form, boxes);
    for (const ModBox& m : boxes)
        if (m.box != 0) {
            int32_t value = Checked(dialog, m.box) ? 1 : 0;
            std::memcpy(reinterpret_cast<char*>(&record) + m.offset, &value, sizeof value);
        }
}

// Fixed parameters stay fixed: with a Mod. flag of 0 the terminal form
// disables the control, its Pre. box and whatever else would change it.
bool Modifiable(const EditorForm& form, int32_t mod)
{
    return !form.modRestricts || mod != 0;
}

bool RcmAllowed(const EditorForm& form, const AppParams& record)
{
    return Modifiable(form, record.mod[SLOT_TAMANO]);
}

// The printer choice writes directaNombre: only while its Pre. box is clear
// and the direct printer is modifiable.
void EnablePrinterButton(HWND dialog, const EditorForm& form, const AppParams& record)
{
    Enable(dialog, form.printer,
           !Checked(dialog, form.params[ED_NOMBRE_DIRECTA].preBox) &&
               Modifiable(form, EditorModFlag(record, ED_NOMBRE_DIRECTA)));
}

// The entry's own icon, else the default one. An entry without an icon file
// gets the default written with it; one whose icon can't be read now (held,
// damaged) keeps its file: the default only stands in on screen.
void LoadEditorIcon(Entry& entry)
{
    char path[MAX_PATH];
    bool own = entry.isNew == 0 && ComposeText(path, entryDir, entry.listedName, ".ICO");
    if (own && LoadCurrentIcon(path))
        return;
    entry.writeIcon = !own || !FileExists(path);
    if (ComposeText(path, entryDir, DEFAULT_ICON))
        LoadCurrentIcon(path);
}

void SetLimits(HWND dialog, const EditorForm& form, const AppParams& record)
{
    const int edits[] = {form.params[ED_DIRECTORIO].control, form.params[ED_NOMBRE_DIRECTA].control,
                         form.enviador, form.servidor, form.clave};
    for (int id : edits)
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, TEXT_FIELD - 1, 0);
    SendDlgItemMessageA(dialog, form.tiempo, EM_LIMITTEXT, sizeof record.tiempo - 1, 0);
    for (int p = ED_MODERNO; p <= ED_MANUSCRITO; ++p)
        SendDlgItemMessageA(dialog, form.params[p].control, CB_LIMITTEXT, TEXT_FIELD - 1, 0);
    if (form.editsIdentity) {
        SendDlgItemMessageA(dialog, form.nombre, EM_LIMITTEXT, sizeof record.nombre - 1, 0);
        SendDlgItemMessageA(dialog, form.ip, EM_LIMITTEXT, sizeof record.ipServidor - 1, 0);
        SendDlgItemMessageA(dialog, form.parametros, EM_LIMITTEXT, sizeof record.parametrosP - 1, 0);
    }
}

void InitEditor(HWND dialog, const EditorForm& form, Entry& entry)
{
    AppParams& record = entry.record;
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
    LoadEditorIcon(entry);
    if (entry.isNew == 1) {
        SetWindowTextA(dialog, NEW_CAPTION);
        Enable(dialog, form.remove, false);
    }

    Check(dialog, form.directaI, record.directaI);
    Check(dialog, form.directaF, record.directaF);
    Check(dialog, form.directaA, record.directaA);
    SetDlgItemTextA(dialog, form.nombre, record.nombre);
    SetDlgItemTextA(dialog, form.ip, record.ipServidor);
    SetDlgItemTextA(dialog, form.parametros, record.parametrosP);
    Check(dialog, form.paginaInicial, record.paginaInicial);
    Check(dialog, form.imagenesGrandes, record.imagenesGrandes);

    FillParamCombo(dialog, form.imagen, 0, KIND_IMAGEN, record);
    SendDlgItemMessageA(dialog, form.imagen, CB_SETCURSEL, record.imagen, 0);
    Check(dialog, form.seleccionarSi, record.seleccionarImpresora == 1);
    Check(dialog, form.seleccionarNo, record.seleccionarImpresora != 1);

    for (int p = 0; p < ED_PARAM_COUNT; ++p) {
        const EditorPreControl& c = form.params[p];
        int32_t preSet = EditorPreFlag(record, static_cast<EditorParam>(p));
        Check(dialog, c.preBox, preSet);
        Enable(dialog, c.control, !preSet);
    }
    for (int p = 0; p < ED_PARAM_COUNT; ++p) {
        const EditorPreControl& c = form.params[p];
        int kind = EditorParamKind(static_cast<EditorParam>(p));
        if (KindListOf(kind) == KIND_LIST_NONE)
            ApplyPreBox(dialog, c.control, c.preBox, kind, record);
        else
            FillParamCombo(dialog, c.control, c.preBox, kind, record);
    }

    ShowModBoxes(dialog, form, record);
    SetDlgItemTextA(dialog, form.enviador, record.correoEnviador);
    SetDlgItemTextA(dialog, form.servidor, record.correoServidor);
    SetDlgItemTextA(dialog, form.clave, record.correoClave);
    SetDlgItemTextA(dialog, form.tiempo, record.tiempo);
    SetLimits(dialog, form, record);

    if (form.modRestricts) {
        for (int p = 0; p < ED_PARAM_COUNT; ++p)
            if (EditorModFlag(record, static_cast<EditorParam>(p)) == 0) {
                Enable(dialog, form.params[p].control, false);
                Enable(dialog, form.params[p].preBox, false);
            }
        if (record.mod[SLOT_DIRECTA_DIRECTORIO] == 0) {
            Enable(dialog, form.directaI, false);
            Enable(dialog, form.directaF, false);
            Enable(dialog, form.directaA, false);
        }
        Enable(dialog, form.enviador, record.modEnviador != 0);
        Enable(dialog, form.servidor, record.modServidor != 0);
        Enable(dialog, form.clave, record.modClave != 0);
        Enable(dialog, form.imagen, record.modImagen != 0);
        Enable(dialog, form.seleccionarSi, record.modSeleccionar != 0);
        Enable(dialog, form.seleccionarNo, record.modSeleccionar != 0);
    }
    EnablePrinterButton(dialog, form, record);

    if (entry.isNew == 0)
        SetDlgItemTextA(dialog, form.accept, UPDATE_TEXT);
    BoundRowsColumns(record);
    Enable(dialog, form.rcm, record.tamano == TAMANO_RCM && RcmAllowed(form, record));
}

// The text of a parameter's control into the record (at most 127 characters).
void ReadParam(HWND dialog, const EditorForm& form, EditorParam p, AppParams& record)
{
    char text[TEXT_FIELD];
    GetDlgItemTextA(dialog, form.params[p].control, text, sizeof text);
    ReadEditorText(record, p, text);
}

void ReadText(HWND dialog, int id, char* field, int size)
{
    GetDlgItemTextA(dialog, id, field, size);
}

void ReadBack(HWND dialog, const EditorForm& form, AppParams& record)
{
    if (form.editsIdentity) {
        ReadText(dialog, form.nombre, record.nombre, sizeof record.nombre);
        ReadText(dialog, form.ip, record.ipServidor, sizeof record.ipServidor);
        ReadText(dialog, form.parametros, record.parametrosP, sizeof record.parametrosP);
        record.imagenesGrandes = Checked(dialog, form.imagenesGrandes) ? 1 : 0;
        ReadModBoxes(dialog, form, record);
    }
    record.paginaInicial = Checked(dialog, form.paginaInicial) ? 1 : 0;
    for (int p = 0; p < ED_PARAM_COUNT; ++p)
        SetEditorPreFlag(record, static_cast<EditorParam>(p), Checked(dialog, form.params[p].preBox) ? 1 : 0);
    for (int p = 0; p < ED_PARAM_COUNT; ++p)
        if (!EditorPreFlag(record, static_cast<EditorParam>(p)))
            ReadParam(dialog, form, static_cast<EditorParam>(p), record);
    record.directaI = Checked(dialog, form.directaI) ? 1 : 0;
    record.directaF = Checked(dialog, form.directaF) ? 1 : 0;
    record.directaA = Checked(dialog, form.directaA) ? 1 : 0;
    ReadText(dialog, form.enviador, record.correoEnviador, sizeof record.correoEnviador);
    ReadText(dialog, form.servidor, record.correoServidor, sizeof record.correoServidor);
    ReadText(dialog, form.clave, record.correoClave, sizeof record.correoClave);

    char typed[TEXT_FIELD];
    GetDlgItemTextA(dialog, form.imagen, typed, sizeof typed);
    LRESULT position = SendDlgItemMessageA(dialog, form.imagen, CB_GETCURSEL, 0, 0);
    record.imagen = ImagenChoice(static_cast<long>(position), typed, record.imagen);
    record.seleccionarImpresora = Checked(dialog, form.seleccionarSi) ? 1 : 0;
    ReadText(dialog, form.tiempo, record.tiempo, sizeof record.tiempo);
}

// A Pre. box was clicked. A box just set first takes what the control showed,
// so that clearing it again brings the user's value back.
void PreBoxClicked(HWND dialog, const EditorForm& form, EditorParam p, AppParams& record)
{
    const EditorPreControl& c = form.params[p];
    if (Checked(dialog, c.preBox))
        ReadParam(dialog, form, p, record);
    ApplyPreBox(dialog, c.control, c.preBox, EditorParamKind(p), record);
    ReadBack(dialog, form, record);
    if (p == ED_NOMBRE_DIRECTA)
        EnablePrinterButton(dialog, form, record);
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

void Accept(HWND dialog, EditorState& state)
{
    Entry& working = state.working;
    ReadBack(dialog, state.form, working.record);
    const EditorActions& actions = profile.editorActions;
    EditorVerdict verdict = CheckEditedRecord(working.record, working.isNew, actions.nameTaken);
    if (verdict != EDIT_VALID) {
        Refuse(dialog, EditorVerdictText(verdict), verdict == EDIT_UNSAFE_TEXT ? UnsafeField(working.record) : "");
        return;
    }
    if (working.isNew == 0 && DialogBoxParamA(hInstance, IDD_CONF_GUARDAR, dialog, PlainDialogProc, 0) != 1)
        return;
    if (actions.accepted != nullptr && actions.accepted(dialog, working, state.context) == 0)
        return;
    state.target = working;
    EndDialog(dialog, 1);
}

bool EditorCommand(HWND dialog, EditorState& state, int id, int code)
{
    const EditorForm& form = state.form;
    AppParams& record = state.working.record;
    for (int p = 0; p < ED_PARAM_COUNT; ++p)
        if (id == form.params[p].preBox) {
            PreBoxClicked(dialog, form, static_cast<EditorParam>(p), record);
            return true;
        }
    if (id == form.params[ED_TAMANO].control) {
        if (code == CBN_SELCHANGE) {
            LRESULT position = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
            Enable(dialog, form.rcm, position == RCM_POSITION && RcmAllowed(form, record));
        }
        return true;
    }
    if (id == form.printer) {
        char choice[PRINTER_CHOICE_SIZE];
        ChoosePrinter(dialog, form.params[ED_NOMBRE_DIRECTA].control, record, choice);
    } else if (id == form.changeIcon) {
        if (LoadCurrentIcon(nullptr) == 1) {
            state.working.writeIcon = 1;
            InvalidateRect(dialog, nullptr, TRUE);
        }
    } else if (id == form.rcm) {
        OpenParamRcm(dialog, record);
    } else if (id == form.estilo) {
        OpenParamEstilo(dialog, record);
        PaintAppearancePreview(dialog, record);
    } else if (id == form.area) {
        OpenParamArea(dialog, record);
    } else if (id == form.help) {
        DialogBoxParamA(hInstance, IDD_AYUDA_PARAMETROS, dialog, PlainDialogProc, 0);
    } else if (id == form.remove) {
        const EditorActions& actions = profile.editorActions;
        if (actions.remove != nullptr && actions.remove(dialog, state.working, state.context) == 1)
            EndEditor(dialog, 0);
    } else if (id == form.cancel || id == IDCANCEL) {
        EndEditor(dialog, 0);
    } else if (id == form.accept) {
        Accept(dialog, state);
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
        InitEditor(dialog, StateOf(dialog).form, StateOf(dialog).working);
        return TRUE;
    case WM_PAINT:
        if (!PaintIcon(dialog)) {
            PAINTSTRUCT paint;
            BeginPaint(dialog, &paint);
            EndPaint(dialog, &paint);
        }
        if (GetWindowLongPtrA(dialog, DWLP_USER) != 0)
            PaintAppearancePreview(dialog, StateOf(dialog).working.record);
        return TRUE;
    case WM_COMMAND:
        if (GetWindowLongPtrA(dialog, DWLP_USER) == 0)
            return FALSE;
        return EditorCommand(dialog, StateOf(dialog), LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR OpenParametros(HWND owner, Entry& entry, void* context)
{
    EditorState state{*profile.editor, entry, entry, context};
    return DialogBoxParamA(hInstance, IDD_PARAMETROS, owner, EditorDialogProc, reinterpret_cast<LPARAM>(&state));
}
