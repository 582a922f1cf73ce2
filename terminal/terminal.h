// Dalvo, the terminal installer: program-wide declarations.
#pragma once

#include "../installcore/installcore.h"
#include "../params/params.h"

// Java runtime check, then the installation of appParams.nombre.
void StartInstall(HWND owner);

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The installation of appParams.nombre after the runtime check, with the
// main dialog hidden meanwhile.
void RunInstallFlow(HWND inicio);

// Text, check state and enabled state of INSTALAR's archive check box, from
// JarStatus of installDir.
void UpdateJarCheckBox(HWND dialog);

INT_PTR CALLBACK InstalarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ExisteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
