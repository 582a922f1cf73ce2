// The parameter editor PARAMETROS over an entry, in the program's form
// (profile.editor); its delete button, name check and what follows an
// accepted record are the program's (profile.editorActions).
#pragma once

#include <windows.h>

#include "editform.h"
#include "params.h"

// Opens PARAMETROS modally over a working copy of entry, which is written
// back only when accepted. context goes to the program's editor actions.
// 1 when accepted with valid data (the caller then installs or saves), 0
// when cancelled, closed or after the delete button did its work.
INT_PTR OpenParametros(HWND owner, Entry& entry, void* context = nullptr);

// LoadEntry, and when the entry file can't be read, an error box owned by
// owner with its path. 1 when entry is ready to edit.
int LoadPickedEntry(HWND owner, const char* name, int isNew, Entry& entry);

// The editors that keep entries. EntryNameTaken: the entry file of name
// exists. SaveEditedEntry: SaveEntry after refusing a name that is no file
// name or, on a rename, another entry's name; every refusal and a failed
// save is shown, owned by editor, and gives 0; once saved (1) an old entry
// file or icon file that failed is shown too, and the entry's listed name is
// its new name. DeleteListedEntry: DeleteEntry of the listed name, each
// failure shown; 0 when the entry file is still there.
int EntryNameTaken(const char* name);
int SaveEditedEntry(HWND editor, Entry& edited, void* context);
int DeleteListedEntry(HWND editor, const Entry& edited);
