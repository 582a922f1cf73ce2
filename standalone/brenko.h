// Brenko, the general stand-alone installer: program-wide declarations.
#pragma once

#include "../installcore/instalar.h"

// Posted by INICIO to itself, so that the initial message comes once the
// main dialog is on screen.
enum { WM_INITIAL_MESSAGE = WM_USER + 100 };

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The flag "Brenko" of the user's key: ReadMessageFlag is 1 when it reads
// "1" (0 also when it or the key is missing); WriteMessageFlag stores "1" or
// "0".
int ReadMessageFlag();
void WriteMessageFlag(int show);

// Shows STANDALONE when the flag asks for it (a missing flag is written as
// "1") and returns its result: 0 carry on (also when not shown), 1 end the
// program, 2 end it and start Fostra.
INT_PTR CheckInitialMessage(HWND inicio);

// "&Agregar" (1) or "&Modificar" (0) of the listed entry: the entry edited,
// saved and installed on this machine, with INICIO hidden meanwhile. 0 when
// the entry could not be read (said).
int EditAndInstall(HWND inicio, const char* listedName, int isNewEntry);

// Kelmin.EXE of entryDir, run to its end with INICIO hidden.
void RunRtfInstaller(HWND inicio);

// Servidor\Fostra.EXE below the current directory, not waited for; a failed
// start goes unreported, since Brenko is ending.
void StartFostra();

// The error box of a program that could not be started.
void ShowStartError(DWORD code, const char* path, HWND owner);

// What the editor does here: names taken by an entry or a shortcut are
// refused, accepting saves (and stays open when that fails) and asks about
// the archives, "&Desinstalar" deletes the entry and uninstalls.
extern const EditorActions STANDALONE_EDITOR_ACTIONS;
