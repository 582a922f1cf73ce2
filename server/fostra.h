// Fostra, the server configurator: program-wide declarations.
#pragma once

#include "../params/params.h"

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The editor over one entry with INICIO hidden; the entry is saved from the
// editor's "&Guardar", which stays open when the save fails.
void EditEntry(HWND inicio, int isNewEntry);

// What the editor does in this program: a new entry's name must be free,
// "&Guardar" saves, "&Borrar" deletes after CONF_BORRAR.
extern const EditorActions SERVER_EDITOR_ACTIONS;
