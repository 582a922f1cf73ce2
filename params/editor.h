// The parameter editor PARAMETROS over appParams, in the form of the
// program (programKind), and what it needs of the rest of the suite.
#pragma once

#include <windows.h>

#include "editform.h"
#include "params.h"

const EditorForm& EditorFormOf(ProgramKind kind);

// Opens PARAMETROS modally; the caller has set appParams.nombre and isNew,
// the dialog loads the entry itself. 1 when accepted with valid data (the
// caller then installs), 0 when cancelled, closed or after an uninstall.
INT_PTR OpenParametros(HWND owner);

// Copies the editor's controls into appParams.
void ReadParamsBack(HWND dialog);

// The editor's calls into the icon, printer and installation operations,
// one line each (editor_links.cpp).
int EditorLoadIcon(const char* path);  // null: the user picks a file; 1 when loaded
bool EditorPaintIcon(HWND dialog, int x, int y);  // false when there is none to draw
void EditorReleaseIcon();
INT_PTR EditorChoosePrinter(HWND dialog, int nameEdit);
int EditorShortcutExists();
int EditorJarStatus();  // of installDir: 0 current, above 0 to be copied
void EditorSetCopyJars(int copy);
void EditorUninstall();
