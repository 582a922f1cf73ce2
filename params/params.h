// The parameter library's program-wide state and its Win32 operations.
#pragma once

#include <windows.h>

#include <array>
#include <vector>

#include "../base/base.h"
#include "record.h"

using FontName = std::array<char, 256>;

extern char entryDir[MAX_PATH];   // ends in '\', set once at start-up
extern std::vector<FontName> fontNames;  // installed TrueType families

// One application's entry as a program works on it. Files are named by
// listedName, the entry file the user picked; the name stored inside a file
// never names another.
struct Entry {
    AppParams record;
    char listedName[128];  // "" for a new entry
    int isNew;             // a new entry (Dalvo: a new installation of it)
    int writeIcon;         // SaveEntry writes the current icon as the entry's icon
    int whole;             // LoadEntry read a whole record from the file
};

// entryDir = DirInst (or the current directory) + "Terminal\".
void ComputeEntryDir();

// entry anew from the entry file of name over the defaults; the stored name
// gives way to name unless the two differ only in letter case. A new entry
// of the programs that keep entries (profile) reads no file: name stands,
// with the first entry's server address. 1 when entry is ready, 0 when the
// entry file is gone or can't be read (entry then holds the defaults).
int LoadEntry(const char* name, int isNew, Entry& entry);

// Results of SaveEntry and DeleteEntry: 0 when the entry file could not be
// written (deleted); else ENTRY_DONE, plus ENTRY_OLD_KEPT when a rename could
// not remove the old entry file and ENTRY_ICON_FAILED when the icon file
// could not be written (deleted). DeleteEntry gives ENTRY_ICON_FAILED alone
// when neither file could be deleted.
enum { ENTRY_DONE = 1, ENTRY_OLD_KEPT = 2, ENTRY_ICON_FAILED = 4 };

// Writes the record as the entry file of its nombre through the whole-file
// replacement, then the current icon as its icon file when writeIcon is set.
// A rename (not new, nombre other than listedName) removes the old entry
// file once the new one is complete; its icon goes along as a copy and the
// old icon stays. 0, with every file as it was, when nombre can't be a file
// name or the entry can't be written; what fails after that is reported in
// the result, the entry staying saved. Within the program's journal a rename
// is done whole or not at all (0, every file as it was).
int SaveEntry(const Entry& entry);

// Deletes the entry file of the listed name, then its icon file whatever
// became of the first (a missing file is no failure).
int DeleteEntry(const char* listedName);

// Empties the list box and adds every entry name (file name without ".DAI").
void FillEntryList(HWND listBox);

// A main dialog INICIO over the list of entries: the list, the button that
// acts on the selected entry (a double click does the same), the adding
// button (0: none), help and end. edit acts on the listed name with isNew
// 0, or adds with "" and 1; it returns 0 when the entry could not be read.
// The list is filled anew after it when there is an adding button or the
// entry could not be read.
struct EntryListDialog {
    int list, act, add, help, quit;
    int (*edit)(HWND inicio, const char* listedName, int isNewEntry);
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
