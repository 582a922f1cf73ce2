// The directory browser SELEC_DIRECTORIO and the creation question
// CREAR_DIRECTORIO, shared by the installers. The dialogs' code is one; each
// program's control identifiers are data (profile.dirDialogs).
#pragma once

#include <windows.h>

#include "dirpath.h"

struct DirDialogIds {
    int drives;   // SELEC_DIRECTORIO: drive list, directory list, path edit
    int dirs;
    int path;
    int accept;   // "&Aceptar" / "&Crear"
    int cancel;   // "&Cancelar" / "C&ancelar"
    int pending;  // CREAR_DIRECTORIO: edit showing the directory to create
};

extern const DirDialogIds TERMINAL_DIR_IDS;  // Dalvo and Brenko
extern const DirDialogIds SETUP_DIR_IDS;     // Instalar

// Runs SELEC_DIRECTORIO from path. 1 with the chosen directory in path, or
// 0 with path unchanged.
int BrowseDirectory(char (&path)[PATH_SIZE], HWND owner);

// 1 when dir exists or has just been created (the user accepted
// CREAR_DIRECTORIO and the directory is there now); 0 when the user declined,
// or, after a message, when dir is blank or could not be created.
int EnsureDirectory(HWND owner, const char* dir);

// Refill the browser's drive list or directory list.
void FillDriveList(HWND dialog);
void FillDirList(HWND dialog);
// Draws one item of the browser's lists: the kind's bitmap, then the text.
void DrawBrowseItem(const DRAWITEMSTRUCT* item, int kind, const char* text);
