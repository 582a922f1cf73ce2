// Dalvo, the terminal installer: program-wide declarations.
#pragma once

#include "../installcore/instalar.h"

// Java runtime check, then the installation of appParams.nombre.
void StartInstall(HWND owner);

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The installation of appParams.nombre after the runtime check, with the
// main dialog hidden meanwhile.
void RunInstallFlow(HWND inicio);

INT_PTR CALLBACK ExisteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
