// Dalvo's start-up and its main dialog INICIO.
#include "terminal.h"

#include "../base/dirdialogs.h"
#include "../base/rollback.h"
#include "../params/appearance.h"
#include "../params/editform.h"
#include "../params/printers.h"
#include "../resources/dalvo/resource.h"

namespace {

const InstalarForm INSTALAR_FORM = {IDC_INST_NOMBRE, IDC_INST_DIR,   IDC_INST_JARS,        IDC_INST_BUSCAR,
                                    IDC_INST_INSTALAR, IDC_INST_CANCELAR, IDC_INST_AYUDA, IDC_INST_JRE_VERSION,
                                    IDC_INST_JRE_DIR};

}  // namespace

int InitInstance()
{
    profile = {IDC_PLAIN_ACEPTAR,
               IDC_PLAIN_CANCELAR,
               &TERMINAL_DIR_IDS,
               &TERMINAL_FORMS,
               &TERMINAL_EDITOR,
               &TERMINAL_PRINTER_CONTROLS,
               &INSTALAR_FORM,
               INSTALL_EDITOR_ACTIONS,
               0,
               "Dalvo"};
    // The system's list of programs uninstalls through this very program.
    DWORD got = GetModuleFileNameA(nullptr, uninstaller, sizeof uninstaller);
    if (got == 0 || got >= sizeof uninstaller)
        uninstaller[0] = '\0';
    CommandLine command;
    int parsed = ParseCommandLine(SkipProgramName(GetCommandLineA()), ACCEPTS_NAME | ACCEPTS_DIR | ACCEPTS_JAVA, command);
    if (!parsed || command.action != COMMAND_INTERACTIVE)
        return RunCommand(command, parsed);

    appIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_PROGRAM));
    ComputeEntryDir();
    RecoverJournals(nullptr);

    return RunMainDialog(IDD_INICIO, InicioDialogProc);
}

int StartInstall(HWND owner, const char* listedName)
{
    Runtime runtime{};
    return FindJreOrSay(owner, runtime) ? RunInstallFlow(owner, listedName, runtime) : 1;
}

namespace {

int Install(HWND inicio, const char* listedName, int)
{
    return StartInstall(inicio, listedName);
}

const EntryListDialog INICIO_FORM = {IDC_INICIO_LIST, IDC_INICIO_INSTALAR, 0, IDC_INICIO_AYUDA, IDC_INICIO_TERMINAR,
                                     Install};

}  // namespace

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return EntryListDialogMessage(dialog, INICIO_FORM, message, wParam, lParam);
}
