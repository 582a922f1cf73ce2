// Fostra, the server configurator: program-wide declarations.
#pragma once

#include "../params/params.h"

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The editor over the listed entry (or a new one) with INICIO hidden; the
// entry is saved from the editor's "&Guardar", which stays open when the
// save fails. 0 when the entry could not be read (said).
int EditEntry(HWND inicio, const char* listedName, int isNewEntry);

// What the editor does in this program: a new entry's name must be free,
// "&Guardar" saves, "&Borrar" deletes after CONF_BORRAR.
extern const EditorActions SERVER_EDITOR_ACTIONS;
