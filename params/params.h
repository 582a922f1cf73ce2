// The parameter library's program-wide state and its Win32 operations.
#pragma once

#include <windows.h>

#include <array>
#include <vector>

#include "../base/base.h"
#include "record.h"

using FontName = std::array<char, 256>;

extern AppParams appParams;       // the program's one record
extern char entryDir[MAX_PATH];   // ends in '\', set once at start-up
extern char loadedName[128];      // nombre after the last LoadEntry that read
extern int isNew;                 // set by the caller before an editor opens
extern std::vector<FontName> fontNames;  // installed TrueType families

// entryDir = DirInst (or the current directory) + "Terminal\".
void ComputeEntryDir();

// Sets the defaults and reads the entry file of appParams.nombre over them;
// a new entry of the server-side programs takes the first entry's server.
void LoadEntry();

// Writes appParams as the entry file of nombre through the whole-file
// replacement, then the current icon (if any) as its icon file. A rename
// (isNew 0, nombre differing from loadedName) removes the old entry file
// once the new one is complete; the old icon stays. 1, or 0 with every file
// as it was when nombre can't be a file name or the entry can't be written.
int SaveEntry();

// Deletes the entry file of nombre, then its icon file. 1 when the entry file
// is gone (a missing icon file is no failure), 0 when it could not be deleted.
int DeleteEntry();

// Empties the list box and adds every entry name (file name without ".DAI").
void FillEntryList(HWND listBox);

// A main dialog INICIO over the list of entries: the list, the button that
// acts on the selected entry (a double click does the same), the adding
// button (0: none), help and end. edit acts on appParams.nombre with isNew
// 0, or adds with 1; the list is filled anew after it when there is an
// adding button.
struct EntryListDialog {
    int list, act, add, help, quit;
    void (*edit)(HWND inicio, int isNewEntry);
};
// WM_INITDIALOG: the main dialog's icon and brush, the list filled with the
// acting button disabled, the fonts collected.
void InitEntryListDialog(HWND dialog, const EntryListDialog& form);
// WM_COMMAND of those controls (and Esc): true when it was one of them.
bool EntryListCommand(HWND dialog, const EntryListDialog& form, WPARAM wParam, LPARAM lParam);
// The dialog procedure of a main dialog that holds nothing else.
INT_PTR EntryListDialogMessage(HWND dialog, const EntryListDialog& form, UINT message, WPARAM wParam, LPARAM lParam);

// EnumFontFamiliesA callback: keeps TrueType families in fontNames.
int CALLBACK CollectFontFamily(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType, LPARAM data);

// fontNames anew from the families of window's screen (null: the screen).
void CollectFontNames(HWND window);

// Adds every collected family, in collection order, to the combo box.
void FillFontCombo(HWND combo);
