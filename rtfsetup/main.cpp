// Kelmin's start-up and its main dialog INICIO: install, update and
// uninstall of Pluvik.DLL and its grant in the Java runtime's policy file.
#include <cstring>

#include "../base/rollback.h"
#include "../base/runlog.h"
#include "../resources/kelmin/resource.h"
#include "kelmin.h"

const char LIBRARY_VERSION[] = "2.3";
const char NO_GRANT_NEEDED[] = "Este JRE (Java 24 o posterior) no usa JAVA.POLICY: Pluvik.DLL no necesita permisos.";

namespace {

// Why "Actualizar" is enabled. UPDATE_BLOCKED: the policy file could not be
// read, so nothing is offered, not even for an edited address.
enum { UPDATE_NONE = 0, UPDATE_INSTALL = 1, UPDATE_NEWER = 2, UPDATE_ADDRESS = 4, UPDATE_BLOCKED = 8 };

char sourceDir[DIR_SIZE];        // where Pluvik.DLL is taken from
bool sourceUsable;               // false: the command line named no usable directory
char jarAddress[JAR_URL_SIZE];   // the stored, normalised JAR address
Runtime jre;                     // found by the first refresh
bool jreFound;
int updateState;

const char SUPPORT_ADDRESS[] = "http://soporte.ostrel.example";

struct ErrorText {
    const char* caption;
    const char* text;
};

const ErrorText ERRORS[] = {
    {"ERROR - No existe JRE",
     "Debe instalar primero la versi\xF3n ejecutable de Java (Java Runtime Environment o JRE).\n"
     "Consulte la p\xE1gina de OSTREL en"},
    {"ERROR al actualizar el registro",
     "No se pudo crear la entrada en el registro de Windows para el DLL.\n"
     "Libere el registro e intentente nuevamente."},
    {"ERROR al copiar DLL",
     "No se pudo copiar el archivo Pluvik.DLL.\nRevise permisos, espacio en disco y que el archivo exista."},
    {"ERROR al crear entrada en JAVA.POLICY",
     "No se pudo crear la entrada en JAVA.POLICY.\nRevise permisos, espacio en disco y que el archivo exista."},
    {"Error en formato", "Formato incorrecto de la URL de los archivos JAR"},
};

void Enable(HWND dialog, int id, bool on)
{
    EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE);
}

// Texts differ when their lengths or any character differ.
bool AddressEdited(HWND dialog)
{
    char text[JAR_URL_SIZE];
    GetDlgItemTextA(dialog, IDC_INICIO_URL, text, sizeof text);
    return std::strcmp(text, jarAddress) != 0;
}

void Refresh(HWND dialog, WPARAM first)
{
    updateState = UPDATE_NONE;
    Enable(dialog, IDC_INICIO_ACTUALIZAR, false);
    Enable(dialog, IDC_INICIO_DESINSTALAR, false);
    if (first == 1) {
        jreFound = FindRuntime(nullptr, jre) != 0;
        if (!jreFound) {
            SetDlgItemTextA(dialog, IDC_INICIO_JRE_VERSION, "");
            SetDlgItemTextA(dialog, IDC_INICIO_JRE_HOME, "No est\xE1 instalado !");
            Enable(dialog, IDC_INICIO_INSTALAR, false);
            PostMessageA(dialog, WM_SHOW_ERROR, 1, 0);
            return;
        }
    } else if (!jreFound) {
        return;  // without a runtime there is no policy file to work on
    }
    Enable(dialog, IDC_INICIO_INSTALAR, true);
    updateState = UPDATE_INSTALL;
    char shown[RUNTIME_VERSION_SIZE + 16];
    DescribeRuntime(shown, jre);
    SetDlgItemTextA(dialog, IDC_INICIO_JRE_VERSION, shown);
    SetDlgItemTextA(dialog, IDC_INICIO_JRE_HOME, jre.home);
    SetDlgItemTextA(dialog, IDC_INICIO_A_INSTALAR, LIBRARY_VERSION);
    if (!ReadsPolicyFile(jre))
        SetDlgItemTextA(dialog, IDC_INICIO_NOTA, NO_GRANT_NEEDED);

    char installed[DLL_VERSION_SIZE];
    int state = InstalledState(jre, installed);
    if (state == INSTALLED_UNKNOWN) {
        // Whether the grant is there cannot be told: nothing is taken away.
        Enable(dialog, IDC_INICIO_INSTALAR, false);
        updateState = UPDATE_BLOCKED;
        SetDlgItemTextA(dialog, IDC_INICIO_INSTALADA, installed);
        ShowPolicyUnreadable(dialog, jre);
        return;
    }
    if (state == INSTALLED_WHOLE) {
        Enable(dialog, IDC_INICIO_INSTALAR, false);
        updateState = UPDATE_NONE;
        Enable(dialog, IDC_INICIO_DESINSTALAR, true);
        if (IsNewerVersion(LIBRARY_VERSION, installed)) {
            Enable(dialog, IDC_INICIO_ACTUALIZAR, true);
            updateState = UPDATE_NEWER;
        } else if (AddressEdited(dialog)) {
            Enable(dialog, IDC_INICIO_ACTUALIZAR, true);
            updateState = UPDATE_ADDRESS;
        }
        SetDlgItemTextA(dialog, IDC_INICIO_INSTALADA, installed);
        return;
    }
    SetDlgItemTextA(dialog, IDC_INICIO_INSTALADA, "No hay");
}

void AddressChanged(HWND dialog)
{
    if (!jreFound)
        return;
    bool edited = AddressEdited(dialog);
    if (updateState == UPDATE_NONE && edited) {
        Enable(dialog, IDC_INICIO_ACTUALIZAR, true);
        updateState = UPDATE_ADDRESS;
    } else if (updateState == UPDATE_ADDRESS && !edited) {
        Enable(dialog, IDC_INICIO_ACTUALIZAR, false);
        updateState = UPDATE_NONE;
    }
}

// The field's text, normalised, becomes the stored address and is shown.
bool TakeAddress(HWND dialog)
{
    char text[JAR_URL_SIZE];
    GetDlgItemTextA(dialog, IDC_INICIO_URL, text, sizeof text);
    if (!NormaliseJarUrl(text, jarAddress))
        return false;
    SetDlgItemTextA(dialog, IDC_INICIO_URL, jarAddress);
    return true;
}

const char* LibrarySource()
{
    return sourceUsable ? sourceDir : nullptr;
}

// Errors 2 to 5 are sent: the box and its undo come before the refresh.
void Install(HWND dialog, int update)
{
    int error = TakeAddress(dialog) ? InstallLibrary(jre, LibrarySource(), jarAddress, update) : 5;
    if (error != 0)
        SendMessageA(dialog, WM_SHOW_ERROR, error, 0);
    PostMessageA(dialog, WM_REFRESH_STATE, 0, 0);
}

void Uninstall(HWND dialog)
{
    if (DialogBoxParamA(hInstance, IDD_DESINST, dialog, DesinstDialogProc, 0) != 1)
        return;
    int left = UninstallLibrary(ReadsPolicyFile(jre) ? &jre : nullptr);
    Refresh(dialog, 0);
    if (left == 0)
        return;
    // Not "No hay" while something stays; it can be taken away again.
    if (updateState == UPDATE_INSTALL) {
        SetDlgItemTextA(dialog, IDC_INICIO_INSTALADA, "Incompleta");
        Enable(dialog, IDC_INICIO_DESINSTALAR, true);
    }
    char policy[POLICY_PATH_SIZE] = "", text[POLICY_PATH_SIZE + 300];
    ComposePolicyPath(policy, jre);
    ComposeText(text, "No se pudo quitar:",
                left & LEFT_KEY ? "\n- el registro del DLL (HKEY_LOCAL_MACHINE\\SOFTWARE\\VONDRA\\DLLRTF)" : "",
                left & LEFT_LIBRARY ? "\n- Pluvik.DLL del directorio del sistema" : "",
                left & LEFT_GRANT ? "\n- los permisos de " : "", left & LEFT_GRANT ? policy : "",
                "\n\nRevise permisos y que no est\xE9n en uso, e intente nuevamente.");
    ShowError(dialog, text, "ERROR al desinstalar");
}

void InitInicio(HWND dialog)
{
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
    HANDLE small = LoadImageA(hInstance, "IC_Kelmin", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                              GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendDlgItemMessageA(dialog, IDC_INICIO_URL, EM_LIMITTEXT, JAR_URL_SIZE - 1, 0);
    if (!ReadDllValue("URL", jarAddress, sizeof jarAddress))
        jarAddress[0] = '\0';
    SetDlgItemTextA(dialog, IDC_INICIO_URL, jarAddress);
    SetDlgItemTextA(dialog, IDC_INICIO_A_INSTALAR, LIBRARY_VERSION);
    PostMessageA(dialog, WM_REFRESH_STATE, 1, 0);
}

}  // namespace

void ShowErrorCode(HWND dialog, WPARAM code, const Runtime&)
{
    if (code < 1 || code > sizeof ERRORS / sizeof ERRORS[0])
        return;
    const ErrorText& error = ERRORS[code - 1];
    if (code == 1) {
        char text[400];
        ComposeText(text, error.text, " ", SUPPORT_ADDRESS, " para mayor informaci\xF3n");
        ShowError(dialog, text, error.caption);
        return;
    }
    // What the failed installation had changed is undone already.
    ShowError(dialog, error.text, error.caption);
}

void ShowPolicyUnreadable(HWND dialog, const Runtime& runtime)
{
    char path[POLICY_PATH_SIZE];
    char text[POLICY_PATH_SIZE + 100];
    ComposePolicyPath(path, runtime);
    ComposeText(text, "No se pudo leer el archivo de permisos de Java; no se modific\xF3 la instalaci\xF3n del DLL.",
                "\n\n", path);
    ShowError(dialog, text, "Error");
}

int InstalledState(const Runtime& runtime, char (&installed)[DLL_VERSION_SIZE])
{
    if (!ReadDllValue("Version", installed, sizeof installed))
        return INSTALLED_NONE;
    int granted = ReadsPolicyFile(runtime) ? HasPolicyGrant(runtime) : 1;
    if (granted == POLICY_UNREADABLE)
        return INSTALLED_UNKNOWN;
    // The library of the other bits is none this runtime can load.
    int bits = RecordedBits();
    if (granted && bits == runtime.bits && LibraryInstalled(bits))
        return INSTALLED_WHOLE;
    // A registration without its grant or its file is cleaned up, whole or not at all.
    if (BeginJournal(""))
        EndJournal(RemoveDllKey() && DeleteLibrary(bits));
    return INSTALLED_NONE;
}

namespace {

int InstallSteps(const Runtime& runtime, const char* source, const char* address, int update)
{
    int registered = !update || RemoveDllKey();
    int stored = WriteDllValue("URL", address);
    LogStep("Direcci\xF3n de los JAR en el registro:", address, stored);
    registered = registered && stored;
    int copied = CopyLibrary(source, runtime.bits);
    char step[40];
    ComposeText(step, LibrarySourceName(runtime.bits), " copiado desde:");
    LogStep(step, source != nullptr ? source : "", copied, copied ? 0 : GetLastError());
    if (!copied)
        return 3;
    if (ReadsPolicyFile(runtime)) {
        // An update replaces the grant instead of adding a second one.
        if (update)
            RemovePolicyGrant(runtime);
        int granted = AddPolicyGrant(runtime, address);
        LogStep("Permisos en JAVA.POLICY de:", runtime.home, granted, granted ? 0 : GetLastError());
        if (granted && address[0] == '\0')
            LogNote("AVISO: los permisos valen para JAR de cualquier origen (sin direcci\xF3n de los JAR)");
        if (!granted)
            return 4;
    }
    // Which library the uninstall is to remove.
    const char* bits = runtime.bits == 64 ? "64" : "32";
    stored = WriteDllValue("Bits", bits);
    LogStep("Bits del DLL en el registro:", bits, stored);
    registered = registered && stored && WriteDllValue("Version", LIBRARY_VERSION);
    LogStep("Versi\xF3n del DLL en el registro:", LIBRARY_VERSION, registered);
    return registered ? 0 : 2;
}

}  // namespace

int InstallLibrary(const Runtime& runtime, const char* source, const char* address, int update)
{
    // Done whole or undone: a failed step leaves the installation there before.
    if (!BeginJournal(""))
        return 3;
    int error = InstallSteps(runtime, source, address, update);
    EndJournal(error == 0);
    return error;
}

int UninstallLibrary(const Runtime* runtime)
{
    // The library recorded, whichever runtime is there now.
    int bits = RecordedBits(), left = 0;
    char installed[DLL_VERSION_SIZE];
    // Taken away whole or not at all.
    if (!BeginJournal(""))
        return LEFT_KEY | LEFT_LIBRARY | (runtime != nullptr ? LEFT_GRANT : 0);
    if (!RemoveDllKey() || ReadDllValue("Version", installed, sizeof installed))
        left |= LEFT_KEY;
    LogStep("Registro del DLL quitado:", "SOFTWARE\\VONDRA\\DLLRTF", !(left & LEFT_KEY));
    if (!DeleteLibrary(bits) || LibraryInstalled(bits))
        left |= LEFT_LIBRARY;
    LogStep("Pluvik.DLL quitado del directorio del sistema:", bits == 64 ? "64 bits" : "", !(left & LEFT_LIBRARY));
    if (runtime != nullptr) {
        DWORD error = RemovePolicyGrant(*runtime) ? 0 : GetLastError();
        // A file that can't be read may still hold it.
        if (HasPolicyGrant(*runtime) != 0)
            left |= LEFT_GRANT;
        LogStep("Permisos quitados de JAVA.POLICY de:", runtime->home, !(left & LEFT_GRANT), error);
    }
    if (EndJournal(left == 0) && left == 0)
        return 0;
    // Undone: what is there again stays.
    left = ReadDllValue("Version", installed, sizeof installed) ? LEFT_KEY : 0;
    left |= LibraryInstalled(bits) ? LEFT_LIBRARY : 0;
    return left | (runtime != nullptr && HasPolicyGrant(*runtime) != 0 ? LEFT_GRANT : 0);
}

int InitInstance()
{
    profile.journal = "Kelmin";
    // Options make the run unattended; a line without them is read as always.
    CommandLine command;
    int parsed = ParseCommandLine(SkipProgramName(GetCommandLineA()), ACCEPTS_URL | ACCEPTS_SOURCE | ACCEPTS_JAVA, command);
    if (!parsed || command.action != COMMAND_INTERACTIVE)
        return RunCommand(command, parsed);
    switch (SourceDirFromCommandLine(GetCommandLineA(), sourceDir, sizeof sourceDir)) {
    case SOURCE_GIVEN:
        sourceUsable = true;
        break;
    case SOURCE_CURRENT: {
        DWORD length = GetCurrentDirectoryA(sizeof sourceDir, sourceDir);
        sourceUsable = length > 0 && length < sizeof sourceDir;
        break;
    }
    case SOURCE_TOO_LONG:
        sourceUsable = false;
        break;
    }
    appIcon = LoadIconA(hInstance, "IC_Kelmin");
    RecoverJournals(nullptr);
    // Kelmin ends with 0 even when its dialog cannot be made.
    RunMainDialog(IDD_INICIO, InicioDialogProc);
    return 0;
}

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitInicio(dialog);
        return TRUE;
    case WM_REFRESH_STATE:
        Refresh(dialog, wParam);
        return TRUE;
    case WM_SHOW_ERROR:
        ShowErrorCode(dialog, wParam, jre);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_INICIO_URL:
            AddressChanged(dialog);
            return TRUE;
        case IDC_INICIO_INSTALAR:
        case IDC_INICIO_ACTUALIZAR:
            Install(dialog, LOWORD(wParam) == IDC_INICIO_ACTUALIZAR);
            return TRUE;
        case IDC_INICIO_DESINSTALAR:
            Uninstall(dialog);
            return TRUE;
        case IDC_INICIO_TERMINAR:
        case IDCANCEL:
            DestroyWindow(dialog);
            return TRUE;
        }
        break;
    case WM_CLOSE:
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}
