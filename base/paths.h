// Path composition shared by the installers. No windows.h.
#pragma once

#include <cstddef>

enum { PATH_SIZE = 260 };

// base + '\' (when missing) + "Terminal\" into out. Returns 0, out empty,
// when the result does not fit in a path buffer.
int ComposeEntryDir(char (&out)[PATH_SIZE], const char* base);

// dir, '\' when missing, name, extension: a file of an installation or of
// the distribution. Returns 0, path empty, when it does not fit a path buffer.
int ComposeInstallPath(char (&path)[PATH_SIZE], const char* dir, const char* name, const char* extension);

// The entry name of a directory listing: the file name cut at its last '.'.
// Returns 0 for names that are no entry file (another extension) or whose
// name would not fit the record's nombre field.
int EntryNameFromFile(char (&name)[128], const char* fileName);

// A name that can stand as an entry's file name in dir: not empty, none of
// \ / : * ? " < > | nor control characters, no device name (CON, PRN, AUX,
// NUL, COM1-9, LPT1-9, also before a '.'), not DirInst or Brenko (the
// values beside the markers), no trailing '.' or blank, and
// short enough that dir + name + ".DAI" fits a path buffer. The installers
// make files of the names stored in entries: a name that is a path would
// put them elsewhere.
int EntryNameUsable(const char* name, const char* dir);

// Two names of one file as the file system compares them: byte for byte
// once each code page 1252 character is upper-cased one for one (a-z, the
// accented small letters, \xFF, \x9A, \x9C, \x9E). "Stra\xDF" "e" and
// "Strasse" are two files, and so are "Al\xAD" "fa" and "Alfa". 1 when same.
int SameFileName(const char* a, const char* b);

// A directory given in full: "X:\..." or "\\server\share...", with no
// variable left to expand ('%').
int IsFullDirectory(const char* dir);
