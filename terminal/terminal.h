// Dalvo, the terminal installer: program-wide declarations.
#pragma once

#include "../base/cmdline.h"
#include "../installcore/instalar.h"

// Java runtime check, then the installation of the listed entry. 0 when the
// entry could not be read.
int StartInstall(HWND owner, const char* listedName);

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The installation of the listed entry after the runtime check, with the
// main dialog hidden meanwhile. 0 when the entry could not be read (said).
int RunInstallFlow(HWND inicio, const char* listedName, const Runtime& runtime);

INT_PTR CALLBACK ExisteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The entry's name and texts can be installed; refused (said) when not.
bool Installable(HWND owner, const AppParams& record);

// An unattended run of the command line (parsed: what ParseCommandLine
// returned): its exit code.
int RunCommand(const CommandLine& command, int parsed);
