// Path steps of the directory browser and the directory creation question.
// No windows.h: this builds natively too.
#pragma once

#include <cstddef>
#include <cstdint>

#include "paths.h"

// A directory-list item of exactly ten blanks: the parent directory.
extern const char PARENT_ITEM[];

// Kind codes of the browser's items, and the bitmaps that show them.
enum {
    KIND_NONE = 0,
    KIND_REMOVABLE = 11,
    KIND_NETWORK = 12,
    KIND_CDROM = 13,
    KIND_RAMDISK = 14,
    KIND_FIXED = 15,
    KIND_DIRECTORY = 21,
    KIND_PARENT = 22,
};

// The kind code of a drive type as GetDriveType reports it; 0 for types
// that are not listed (unknown, no root directory).
int DriveKind(unsigned driveType);
// Bitmap resource of a kind code; 1070 for codes without their own.
int KindBitmap(int kind);

// Deeper than a drive root: the directory list then starts with PARENT_ITEM.
int HasParent(const char* path);

// One level up: C:\A\B and C:\A\B\ become C:\A\, C:\A becomes C:\. A path
// with no '\' before its last character is left as it is.
void ParentPath(char (&path)[PATH_SIZE]);

// path + '\' (when missing) + name. Returns 0, path unchanged, when the
// result would not fit.
int ChildPath(char (&path)[PATH_SIZE], const char* name);

// dir + '\' (when missing) + "*.*". Returns 0, out empty, when too long.
int SearchPattern(char (&out)[PATH_SIZE], const char* dir);

// A directory entry the browser lists: a directory, not hidden, not
// beginning with '.'. attributes are the file system's attribute bits.
int IsListedDirectory(const char* name, uint32_t attributes);

// Empty or only blanks: no directory at all.
int IsBlankPath(const char* path);
