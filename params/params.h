// The parameter library's program-wide state and its Win32 operations.
#pragma once

#include <windows.h>

#include <array>
#include <vector>

#include "record.h"

enum ProgramKind { PROGRAM_TERMINAL, PROGRAM_SERVER, PROGRAM_STANDALONE };

using FontName = std::array<char, 256>;

extern AppParams appParams;       // the program's one record
extern char entryDir[MAX_PATH];   // ends in '\', set once at start-up
extern char loadedName[128];      // nombre after the last LoadEntry that read
extern int isNew;                 // set by the caller before an editor opens
extern ProgramKind programKind;   // decides how LoadEntry treats a new entry
extern std::vector<FontName> fontNames;  // installed TrueType families

// Sets the defaults and reads the entry file of appParams.nombre over them.
void LoadEntry();

// Empties the list box and adds every entry name (file name without ".DAI").
void FillEntryList(HWND listBox);

// EnumFontFamiliesA callback: keeps TrueType families in fontNames.
int CALLBACK CollectFontFamily(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType, LPARAM data);

// Adds every collected family, in collection order, to the combo box.
void FillFontCombo(HWND combo);
