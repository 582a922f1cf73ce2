// INSTALAR: the installation directory, the archive question and the name
// of a new installation; and what the editor does over an installation.
#include "instalar.h"

#include "../base/dirdialogs.h"

namespace {

const InstalarForm& Form()
{
    return *profile.instalar;
}

void ReadInstallDir(HWND dialog)
{
    GetDlgItemTextA(dialog, Form().directory, installDir, sizeof installDir);
}

void Refuse(HWND dialog, const char* text)
{
    ShowError(dialog, text, "Error");
}

void Install(HWND dialog)
{
    const InstalarForm& form = Form();
    ReadInstallDir(dialog);
    if (!EnsureDirectory(dialog, installDir))
        return;
    GetDlgItemTextA(dialog, form.nombre, appParams.nombre, sizeof appParams.nombre);
    if (appParams.nombre[0] == '\0') {
        Refuse(dialog, "La aplicaci\xF3n debe tener nombre !");
        return;
    }
    // The program's own test: the general installer also keeps the entries,
    // so an entry file of that name counts as well.
    int (*nameTaken)() = profile.editorActions.nameTaken;
    if (nameTaken != nullptr ? nameTaken() : ShortcutExists()) {
        Refuse(dialog, "El nombre de la aplicaci\xF3n ya existe !");
        return;
    }
    copyJars = IsDlgButtonChecked(dialog, form.jars) == BST_CHECKED ? 1 : 0;
    EndDialog(dialog, 1);
}

void Browse(HWND dialog)
{
    const InstalarForm& form = Form();
    GetDlgItemTextA(dialog, form.directory, pendingDir, sizeof pendingDir);
    if (BrowseDirectory(pendingDir, dialog) == 1)
        SetDlgItemTextA(dialog, form.directory, pendingDir);
    ReadInstallDir(dialog);
    UpdateJarCheckBox(dialog);
}

void InitInstalar(HWND dialog)
{
    const InstalarForm& form = Form();
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
    FindInstallation();
    // Longer text could not be read back whole into installDir.
    SendDlgItemMessageA(dialog, form.directory, EM_LIMITTEXT, sizeof installDir - 1, 0);
    SendDlgItemMessageA(dialog, form.nombre, EM_LIMITTEXT, sizeof appParams.nombre - 1, 0);
    SetDlgItemTextA(dialog, form.nombre, appParams.nombre);
    SetDlgItemTextA(dialog, form.directory, installDir);
    if (form.jreVersion != 0)
        SetDlgItemTextA(dialog, form.jreVersion, jreVersion);
    if (form.jreDir != 0)
        SetDlgItemTextA(dialog, form.jreDir, javaHome);
    // Filling the directory normally sets the check box through its change
    // notification; do not depend on it.
    UpdateJarCheckBox(dialog);
    SetFocus(GetDlgItem(dialog, form.directory));
}

int InstallNameTaken()
{
    return ShortcutExists();
}

int Uninstall(HWND editor)
{
    if (DialogBoxParamA(hInstance, "Conf_Borrar", editor, PlainDialogProc, 0) != 1)
        return 0;
    UninstallApplication();
    return 1;
}

}  // namespace

const EditorActions INSTALL_EDITOR_ACTIONS = {InstallNameTaken, AskArchives, Uninstall};

int FindJreOrSay(HWND owner)
{
    if (FindNewestJre(jreVersion, javaHome))
        return 1;
    ShowError(owner,
              "El JRE de Java no est\xE1 instalado !\n"
              "Favor de instalarlo antes de intentar una instalaci\xF3n de VONDRA.",
              "ERROR en JRE");
    return 0;
}

int AskArchives(HWND editor)
{
    if (isNew == 1)
        copyJars = 1;
    else if (JarStatus(installDir) > 0)
        copyJars = DialogBoxParamA(hInstance, "CONF_Copiar_JAR", editor, PlainDialogProc, 0) == 1;
    return 1;
}

void UpdateJarCheckBox(HWND dialog)
{
    int jars = Form().jars;
    int status = JarStatus(installDir);
    SetDlgItemTextA(dialog, jars, status == JARS_MISSING ? "Copiar archivos &JAR" : "Actualizar archivos &JAR");
    CheckDlgButton(dialog, jars, status == JARS_CURRENT ? BST_UNCHECKED : BST_CHECKED);
    EnableWindow(GetDlgItem(dialog, jars), status == JARS_OUT_OF_DATE);
}

INT_PTR CALLBACK InstalarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitInstalar(dialog);
        return FALSE;  // focus is on the directory
    case WM_COMMAND: {
        const InstalarForm& form = Form();
        int id = LOWORD(wParam);
        if (id == form.directory) {
            ReadInstallDir(dialog);
            UpdateJarCheckBox(dialog);
        } else if (id == form.browse) {
            Browse(dialog);
        } else if (id == form.accept) {
            Install(dialog);
        } else if (id == form.help) {
            DialogBoxParamA(hInstance, "AYUDA_INSTALA", dialog, PlainDialogProc, 0);
        } else if (id == form.cancel || id == IDCANCEL) {
            EndDialog(dialog, 0);
        } else {
            break;
        }
        return TRUE;
    }
    }
    return FALSE;
}
