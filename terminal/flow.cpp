// Dalvo's installation flow: INSTALAR for a new installation or EXISTE for
// an update, then the entry in the editor, then the installation itself.
#include "../installcore/dirdialogs.h"
#include "../installcore/install.h"
#include "../params/editor.h"
#include "../resources/dalvo/resource.h"
#include "terminal.h"

namespace {

void ReadInstallDir(HWND dialog)
{
    GetDlgItemTextA(dialog, IDC_INST_DIR, installDir, sizeof installDir);
}

void Refuse(HWND dialog, const char* text)
{
    ShowError(dialog, text, "Error");
}

void Install(HWND dialog)
{
    ReadInstallDir(dialog);
    if (!EnsureDirectory(dialog, installDir))
        return;
    GetDlgItemTextA(dialog, IDC_INST_NOMBRE, appParams.nombre, sizeof appParams.nombre);
    if (appParams.nombre[0] == '\0') {
        Refuse(dialog, "La aplicaci\xF3n debe tener nombre !");
        return;
    }
    if (ShortcutExists()) {
        Refuse(dialog, "El nombre de la aplicaci\xF3n ya existe !");
        return;
    }
    copyJars = IsDlgButtonChecked(dialog, IDC_INST_JARS) == BST_CHECKED ? 1 : 0;
    EndDialog(dialog, 1);
}

void Browse(HWND dialog)
{
    GetDlgItemTextA(dialog, IDC_INST_DIR, pendingDir, sizeof pendingDir);
    if (BrowseDirectory(pendingDir, dialog) == 1)
        SetDlgItemTextA(dialog, IDC_INST_DIR, pendingDir);
    ReadInstallDir(dialog);
    UpdateJarCheckBox(dialog);
}

void InitInstalar(HWND dialog)
{
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
    FindInstallation();
    // Longer text could not be read back whole into installDir.
    SendDlgItemMessageA(dialog, IDC_INST_DIR, EM_LIMITTEXT, sizeof installDir - 1, 0);
    SetDlgItemTextA(dialog, IDC_INST_NOMBRE, appParams.nombre);
    SetDlgItemTextA(dialog, IDC_INST_DIR, installDir);
    SetDlgItemTextA(dialog, IDC_INST_JRE_VERSION, jreVersion);
    SetDlgItemTextA(dialog, IDC_INST_JRE_DIR, javaHome);
    // Filling the directory normally sets the check box through its change
    // notification; do not depend on it.
    UpdateJarCheckBox(dialog);
    SetFocus(GetDlgItem(dialog, IDC_INST_DIR));
}

}  // namespace

void UpdateJarCheckBox(HWND dialog)
{
    int status = JarStatus(installDir);
    SetDlgItemTextA(dialog, IDC_INST_JARS,
                    status == JARS_MISSING ? "Copiar archivos &JAR" : "Actualizar archivos &JAR");
    CheckDlgButton(dialog, IDC_INST_JARS, status == JARS_CURRENT ? BST_UNCHECKED : BST_CHECKED);
    EnableWindow(GetDlgItem(dialog, IDC_INST_JARS), status == JARS_OUT_OF_DATE);
}

INT_PTR CALLBACK InstalarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitInstalar(dialog);
        return FALSE;  // focus is on the directory
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_INST_DIR:
            ReadInstallDir(dialog);
            UpdateJarCheckBox(dialog);
            return TRUE;
        case IDC_INST_BUSCAR:
            Browse(dialog);
            return TRUE;
        case IDC_INST_INSTALAR:
            Install(dialog);
            return TRUE;
        case IDC_INST_AYUDA:
            DialogBoxParamA(hInstance, "AYUDA_INSTALA", dialog, PlainDialogProc, 0);
            return TRUE;
        case IDC_INST_CANCELAR:
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK ExisteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_EXISTE_NOMBRE, appParams.nombre);
        SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_EXISTE_ACTUALIZAR:
            EndDialog(dialog, 1);
            return TRUE;
        case IDC_EXISTE_CANCELAR:
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void RunInstallFlow(HWND inicio)
{
    ShowWindow(inicio, SW_HIDE);
    int found = FindInstallation();
    isNew = found ? 0 : 1;
    // -1 means the dialog could not be shown: nothing was chosen.
    INT_PTR chosen = found ? DialogBoxParamA(hInstance, "EXISTE", inicio, ExisteDialogProc, 0)
                           : DialogBoxParamA(hInstance, "INSTALAR", inicio, InstalarDialogProc, 0);
    if (chosen > 0) {
        LoadEntry();
        if (OpenParametros(nullptr) > 0)
            InstallApplication();
    }
    ShowWindow(inicio, SW_SHOW);
}
