// What every program of the suite uses: start-up, program state, the plain
// dialogs and the error box, registry access, DirInst and the Java runtime
// lookup, files and directories, main-window painting. Operations return 1
// for success and 0 for failure.
#pragma once

#include <windows.h>

#include "dlgnames.h"
#include "paths.h"
#include "profile.h"
#include "runtime.h"
#include "textbuf.h"
#include "version.h"

extern HINSTANCE hInstance;      // this module, taken by the start-up layer
extern HICON appIcon;            // the program icon, loaded once at start

// The program's own start-up, called by the start-up layer; its result is
// the process exit code. It fills profile before any dialog opens.
int InitInstance();

int FileExists(const char* path);
// Deletes path as a logged step; a file already gone counts as deleted.
void DeleteInstalledFile(const char* step, const char* path);
int DirectoryExists(const char* path);

// Calls visit(name) for each file (not directory) matching dir + pattern, in
// the order the file system lists them, until it returns false. dir is empty
// (the current directory) or ends in '\'.
template <typename Visit>
void ForEachFile(const char* dir, const char* pattern, Visit visit)
{
    char search[PATH_SIZE];
    if (!ComposeText(search, dir, pattern))
        return;
    WIN32_FIND_DATAA found;
    HANDLE handle = FindFirstFileA(search, &found);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !visit(found.cFileName))
            break;
    } while (FindNextFileA(handle, &found));
    FindClose(handle);
}

// Creates every missing level of dir (the root never). 0 for an empty path.
int MakeDirectoryPath(const char* dir);

// A REG_SZ value of an open key into out (size bytes with the NUL), a
// REG_EXPAND_SZ one expanded: 1, or 0 when it is missing, not text, or too
// long to fit whole.
int QueryRegText(HKEY key, const char* name, char* out, size_t size);

// DirInst of the user's key, else of the machine key (then moved to the
// user's key when that has none). An empty value counts as missing. 1 with
// the directory in out, else 0 with out unchanged.
int ReadDirInst(char (&out)[PATH_SIZE]);
void WriteUserDirInst(const char* dir);
// 1 when the user's key holds a DirInst that is not empty.
int UserHasDirInst();
void DeleteMachineDirInst();

// The Java runtime to use: the one at pinnedHome when given, else the one
// the machine's JavaHome under SOFTWARE\Vondra\Java pins, else the newest
// of every runtime registered (RUNTIME_PLACES) or named by JAVA_HOME. A
// runtime counts only with its bin\JavaW.EXE. 1 with runtime filled; 0 when
// none counts, a pinned one without its launcher included. What was found
// goes to the log of an unattended run.
int FindRuntime(const char* pinnedHome, Runtime& runtime);
extern const char RUNTIME_PLACES[];
// The log's line about the runtime chosen: home, version, bits and why.
void LogRuntime(const Runtime& runtime);

// Informing and yes/no dialogs: the program's accepting button (profile)
// ends with 1, its cancelling button and the close box with 0.
INT_PTR CALLBACK PlainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows text with the error icon and the given caption.
void ShowError(HWND owner, const char* text, const char* caption);
// What the user must put right: text, then detail, under the caption "Error".
void Refuse(HWND owner, const char* text, const char* detail = "");

// The main dialogs' background: bitmap 105 tiled, banner 131 on top.
void PaintMainBackground(HWND dialog, HDC dc);

// WM_CTLCOLORSTATIC of the main dialogs: black on the static colour.
HBRUSH ColourStatic(HDC dc);

// The modeless main dialog: created without owner, shown, and the message
// loop run until the quit message. The process exit code (1 when the dialog
// could not be created).
int RunMainDialog(const char* name, DLGPROC procedure);
// WM_INITDIALOG of a main dialog: the program icon and the static colour's brush.
void InitMainDialog(HWND dialog);
// What every main dialog does alike: the painted background, the static
// colours, the close box, and at its end the brush freed and the quit
// message posted. true when the message was one of these (*result set).
bool MainDialogMessage(HWND dialog, UINT message, WPARAM wParam, INT_PTR* result);

// The text of a list box's selected item: 1, or 0 when none is selected or
// it does not fit size bytes.
int SelectedItemText(HWND list, char* out, size_t size);

enum { STATIC_RED = 163, STATIC_GREEN = 187, STATIC_BLUE = 252 };
