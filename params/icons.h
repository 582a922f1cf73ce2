// The application icon currently loaded: read from an icon file or from an
// icon group of a program or library, drawn, and written as an icon file.
#pragma once

#include <windows.h>

#include <string>

#include "iconfile.h"

// The one current icon; no images means there is none.
extern IconSet currentIcon;

// Reads the icon of path, or of a file the user picks when path is null (0
// at once, current icon untouched, when the user cancels). The file is tried
// as an icon file, then as a program or library, with the picker when it
// holds several icon groups. The result replaces the current icon; when
// neither way yields one there is none afterwards. Returns 1 when loaded.
int LoadCurrentIcon(const char* path);

// Writes the current icon as an icon file. Returns 0 when there is none or
// the file can't be written whole; a file that existed then stays as it was.
int WriteIconFile(const char* path);

// A drawable icon of the first image and its size; null when there is no
// current icon or the image can't be converted. The caller destroys it.
HICON CurrentIconHandle(int* width, int* height);

// Paints icon into window at (x, y) in the given size, as WM_PAINT.
void DrawIconAt(HWND window, HICON icon, int x, int y, int width, int height);

void ReleaseIcon();

// An icon group's id, or its name when name is not empty.
struct IconGroupName {
    WORD id = 0;
    std::string name;
};

// The picker (dialog 404) over the icon groups of module, a program or
// library file: 1 with the chosen group, 0 when cancelled or there is none.
int PickIconGroup(HMODULE module, const char* file, IconGroupName& chosen);
INT_PTR CALLBACK SacarIconoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
