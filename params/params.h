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

// The main dialogs' list of entries and the button that acts on its
// selection. RefillEntryList: FillEntryList, the button disabled since
// nothing is selected then. EntryListNotified: the button enabled exactly
// while an item is selected; true for a double click, which acts as the
// button. TakeSelectedEntry: the selected name into appParams.nombre, 1, or
// 0 with nombre unchanged.
void RefillEntryList(HWND dialog, int list, int button);
bool EntryListNotified(HWND dialog, int button, WPARAM wParam, LPARAM lParam);
int TakeSelectedEntry(HWND dialog, int list);

// EnumFontFamiliesA callback: keeps TrueType families in fontNames.
int CALLBACK CollectFontFamily(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType, LPARAM data);

// fontNames anew from the families of window's screen (null: the screen).
void CollectFontNames(HWND window);

// Adds every collected family, in collection order, to the combo box.
void FillFontCombo(HWND combo);
