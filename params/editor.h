// The parameter editor PARAMETROS over appParams, in the program's form
// (profile.editor); its delete button, name check and what follows an
// accepted record are the program's (profile.editorActions).
#pragma once

#include <windows.h>

#include "editform.h"
#include "params.h"

// Opens PARAMETROS modally; the caller has set appParams.nombre and isNew,
// the dialog loads the entry itself. 1 when accepted with valid data (the
// caller then installs or saves), 0 when cancelled, closed or after the
// delete button did its work.
INT_PTR OpenParametros(HWND owner);

// Copies the editor's controls into appParams.
void ReadParamsBack(HWND dialog);

// The editors that keep entries. EntryNameTaken: the entry file of nombre
// exists. SaveEditedEntry: SaveEntry after refusing a name that is no file
// name or, on a rename, another entry's name; every refusal and a failed
// save is shown, owned by editor, and gives 0. DeleteLoadedEntry: DeleteEntry
// of the entry last loaded (nombre then names it), a failure shown and 0.
int EntryNameTaken();
int SaveEditedEntry(HWND editor);
int DeleteLoadedEntry(HWND editor);
