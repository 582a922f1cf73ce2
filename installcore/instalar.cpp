// INSTALAR: the installation directory, the archive question and the name
// of a new installation; and what the editor does over an installation.
#include "instalar.h"

#include "../base/dirdialogs.h"

namespace {

// What the dialog edits, and what it hands back on its accepting button.
struct InstalarState {
    Entry& entry;
    Installation& target;
    Installation working;
};

const InstalarForm& Form()
{
    return *profile.instalar;
}

InstalarState& StateOf(HWND dialog)
{
    return *reinterpret_cast<InstalarState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void ReadInstallDir(HWND dialog, Installation& working)
{
    GetDlgItemTextA(dialog, Form().directory, working.dir, sizeof working.dir);
}

// Text, check state and enabled state of the archive check box, from
// JarStatus of the directory shown.
void UpdateJarCheckBox(HWND dialog, const Installation& working)
{
    int jars = Form().jars;
    int status = JarStatus(working.dir);
    bool none = status == JARS_MISSING || status == JARS_NONE;
    SetDlgItemTextA(dialog, jars, none ? "Copiar archivos &JAR" : "Actualizar archivos &JAR");
    CheckDlgButton(dialog, jars, status == JARS_CURRENT ? BST_UNCHECKED : BST_CHECKED);
    EnableWindow(GetDlgItem(dialog, jars), status == JARS_OUT_OF_DATE);
}

void Install(HWND dialog, InstalarState& state)
{
    const InstalarForm& form = Form();
    ReadInstallDir(dialog, state.working);
    if (RefuseEntryDirectory(dialog, state.working.dir) || !EnsureDirectory(dialog, state.working.dir))
        return;
    char name[sizeof(AppParams::nombre)];
    GetDlgItemTextA(dialog, form.nombre, name, sizeof name);
    if (name[0] == '\0') {
        Refuse(dialog, "La aplicaci\xF3n debe tener nombre !");
        return;
    }
    // The program's own test: the general installer also keeps the entries,
    // so an entry file of that name counts as well.
    int (*nameTaken)(const char*) = profile.editorActions.nameTaken;
    if (nameTaken != nullptr ? nameTaken(name) : ShortcutExists(name)) {
        Refuse(dialog, "El nombre de la aplicaci\xF3n ya existe !");
        return;
    }
    state.working.copyJars = IsDlgButtonChecked(dialog, form.jars) == BST_CHECKED ? 1 : 0;
    CopyText(state.entry.record.nombre, name);
    state.target = state.working;
    EndDialog(dialog, 1);
}

void Browse(HWND dialog, InstalarState& state)
{
    const InstalarForm& form = Form();
    char chosen[PATH_SIZE];
    GetDlgItemTextA(dialog, form.directory, chosen, sizeof chosen);
    if (BrowseDirectory(chosen, dialog) == 1)
        SetDlgItemTextA(dialog, form.directory, chosen);
    ReadInstallDir(dialog, state.working);
    UpdateJarCheckBox(dialog, state.working);
}

void InitInstalar(HWND dialog, InstalarState& state)
{
    const InstalarForm& form = Form();
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
    // Longer text could not be read back whole into the directory.
    SendDlgItemMessageA(dialog, form.directory, EM_LIMITTEXT, sizeof state.working.dir - 1, 0);
    SendDlgItemMessageA(dialog, form.nombre, EM_LIMITTEXT, sizeof(AppParams::nombre) - 1, 0);
    SetDlgItemTextA(dialog, form.nombre, state.entry.record.nombre);
    SetDlgItemTextA(dialog, form.directory, state.working.dir);
    char shown[RUNTIME_VERSION_SIZE + 16];
    DescribeRuntime(shown, state.working.runtime);
    if (form.jreVersion != 0)
        SetDlgItemTextA(dialog, form.jreVersion, shown);
    if (form.jreDir != 0)
        SetDlgItemTextA(dialog, form.jreDir, state.working.runtime.home);
    // Filling the directory normally sets the check box through its change
    // notification; do not depend on it.
    UpdateJarCheckBox(dialog, state.working);
    SetFocus(GetDlgItem(dialog, form.directory));
}

INT_PTR CALLBACK InstalarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        InitInstalar(dialog, StateOf(dialog));
        return FALSE;  // focus is on the directory
    }
    if (message != WM_COMMAND || GetWindowLongPtrA(dialog, DWLP_USER) == 0)
        return FALSE;
    InstalarState& state = StateOf(dialog);
    const InstalarForm& form = Form();
    int id = LOWORD(wParam);
    if (id == form.directory) {
        ReadInstallDir(dialog, state.working);
        UpdateJarCheckBox(dialog, state.working);
    } else if (id == form.browse) {
        Browse(dialog, state);
    } else if (id == form.accept) {
        Install(dialog, state);
    } else if (id == form.help) {
        DialogBoxParamA(hInstance, IDD_AYUDA_INSTALA, dialog, PlainDialogProc, 0);
    } else if (id == form.cancel || id == IDCANCEL) {
        EndDialog(dialog, 0);
    } else {
        return FALSE;
    }
    return TRUE;
}

int InstallNameTaken(const char* name)
{
    return ShortcutExists(name);
}

int Uninstall(HWND editor, const Entry& edited, void* context)
{
    if (DialogBoxParamA(hInstance, IDD_CONF_BORRAR, editor, PlainDialogProc, 0) != 1)
        return 0;
    UninstallApplication(edited.listedName, *static_cast<const Installation*>(context));
    return 1;
}

}  // namespace

const EditorActions INSTALL_EDITOR_ACTIONS = {InstallNameTaken, AskArchives, Uninstall};

INT_PTR OpenInstalar(HWND owner, Entry& entry, Installation& installation)
{
    InstalarState state{entry, installation, installation};
    return DialogBoxParamA(hInstance, IDD_INSTALAR, owner, InstalarDialogProc, reinterpret_cast<LPARAM>(&state));
}

int FindJreOrSay(HWND owner, Runtime& runtime, const char* pinnedHome)
{
    if (FindRuntime(pinnedHome, runtime))
        return 1;
    ShowError(owner,
              "El JRE de Java no est\xE1 instalado !\n"
              "Favor de instalarlo antes de intentar una instalaci\xF3n de VONDRA.",
              "ERROR en JRE");
    return 0;
}

int AskArchives(HWND editor, Entry& edited, void* context)
{
    Installation& installation = *static_cast<Installation*>(context);
    if (edited.isNew == 1)
        installation.copyJars = 1;
    else if (int status = JarStatus(installation.dir); status == JARS_MISSING || status == JARS_OUT_OF_DATE)
        installation.copyJars =
            DialogBoxParamA(hInstance, IDD_CONF_COPIAR_JAR, editor, PlainDialogProc, 0) == 1 ? 1 : 0;
    return 1;
}
