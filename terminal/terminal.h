// Dalvo, the terminal installer: program-wide declarations.
#pragma once

#include "../installcore/installcore.h"
#include "../params/params.h"

// Java runtime check, then the installation of appParams.nombre.
void StartInstall(HWND owner);

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
