// Instalar's start-up and its main dialog INICIO: the directory that
// receives the distribution, and the setup, update or removal of it.
#include <cstring>

#include "../base/dirdialogs.h"
#include "../base/regkey.h"
#include "../base/rollback.h"
#include "../resources/instalar/resource.h"
#include "instalar.h"

int InitInstance()
{
    profile = {IDC_PLAIN_ACEPTAR, IDC_PLAIN_CANCELAR, &SETUP_DIR_IDS, nullptr, nullptr, nullptr, nullptr, {}, 0,
               "Instalar"};
    CommandLine command;
    int parsed = ParseCommandLine(SkipProgramName(GetCommandLineA()), ACCEPTS_TARGET | ACCEPTS_JAVA, command);
    if (!parsed || command.action != COMMAND_INTERACTIVE)
        return RunCommand(command, parsed);
    RecoverJournals(nullptr);
    if (!ReadDirInst(setupDir))
        DefaultSetupDir(setupDir);
    appIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_PROGRAM));
    return RunMainDialog(IDD_INICIO, InicioDialogProc);
}

void DefaultSetupDir(char (&out)[PATH_SIZE])
{
    CopyText(out, "C:\\Vondra\\Java");
    char command[COMMAND_SIZE];
    RegKey key;
    if (!key.Open(HKEY_CLASSES_ROOT, "VONDRA\\VONDRA", KEY_QUERY_VALUE) ||
        !QueryRegText(key.handle, nullptr, command, sizeof command))
        return;
    if (SetupDirFromCommand(command, std::strlen(command), out))
        WriteUserDirInst(out);
}

void UpdateSetupButtons(const char* dir, HWND window)
{
    bool present = false;
    char path[PATH_SIZE];
    if (!IsBlankPath(dir) && ComposeInstallPath(path, dir, "Brenko.EXE", "")) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(path, &found);
        if (search != INVALID_HANDLE_VALUE) {
            present = true;
            FindClose(search);
        }
    }
    SetDlgItemTextA(window, IDC_INICIO_INSTALAR, present ? "&Actualizar" : "&Instalar");
    EnableWindow(GetDlgItem(window, IDC_INICIO_DESINSTALAR), present ? TRUE : FALSE);
}

namespace {

void ReadSetupDir(HWND dialog)
{
    GetDlgItemTextA(dialog, IDC_INICIO_DIR, setupDir, sizeof setupDir);
}

void Browse(HWND dialog)
{
    char path[PATH_SIZE];
    CopyText(path, setupDir);
    if (BrowseDirectory(path, dialog) != 1)
        return;
    SetDlgItemTextA(dialog, IDC_INICIO_DIR, path);
    ReadSetupDir(dialog);
    UpdateSetupButtons(setupDir, dialog);
}

// A failed copy keeps INICIO open to try again: no TERMINAR, no DirInst.
void Install(HWND dialog)
{
    ReadSetupDir(dialog);
    // A setup cut short or failed leaves the distribution there before (or
    // none, nor the directory made for it), never half of a new one.
    SetupFailures failures;
    if (!BeginJournal("")) {
        failures.push_back({setupDir, "no se pudo escribir el diario de la instalaci\xF3n"});
    } else if (EnsureDirectory(dialog, setupDir) != 1) {
        EndJournal(0);
        return;
    }
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    int copied = failures.empty() && CopyDistribution(failures);
    SetCursor(previous);
    EndJournal(copied);
    if (!copied) {
        ShowFailures(dialog, "No se pudo completar la instalaci\xF3n. Estos archivos no quedaron en su lugar:", failures,
                     "Se dej\xF3 todo como estaba. Corrija el problema e intente nuevamente.");
        UpdateSetupButtons(setupDir, dialog);
        return;
    }
    DialogBoxParamA(hInstance, IDD_TERMINAR, dialog, TerminarDialogProc, 0);
    DestroyWindow(dialog);
}

void Uninstall(HWND dialog)
{
    if (DialogBoxParamA(hInstance, IDD_CONF_BORRAR, dialog, PlainDialogProc, 0) != 1)
        return;
    SetupFailures failures;
    if (!RemoveDistribution(failures))
        ShowFailures(dialog, "No se pudieron eliminar estos archivos de la instalaci\xF3n:", failures,
                     "Cierre los programas que los usan o quite su atributo de s\xF3lo lectura e intente nuevamente.");
    UpdateSetupButtons(setupDir, dialog);
}

void InitInicio(HWND dialog)
{
    InitMainDialog(dialog);
    // Longer text could not be read back whole into setupDir.
    SendDlgItemMessageA(dialog, IDC_INICIO_DIR, EM_LIMITTEXT, sizeof setupDir - 1, 0);
    SetDlgItemTextA(dialog, IDC_INICIO_DIR, setupDir);
    UpdateSetupButtons(setupDir, dialog);
}

}  // namespace

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    INT_PTR result;
    if (MainDialogMessage(dialog, message, wParam, &result))
        return result;
    switch (message) {
    case WM_INITDIALOG:
        InitInicio(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_INICIO_DIR:
            ReadSetupDir(dialog);
            UpdateSetupButtons(setupDir, dialog);
            return TRUE;
        case IDC_INICIO_BUSCAR:
            Browse(dialog);
            return TRUE;
        case IDC_INICIO_INSTALAR:
            Install(dialog);
            return TRUE;
        case IDC_INICIO_DESINSTALAR:
            Uninstall(dialog);
            return TRUE;
        case IDC_INICIO_CANCELAR:
        case IDCANCEL:
            DestroyWindow(dialog);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
