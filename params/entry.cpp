#include "params.h"

#include <cstring>


AppParams appParams;
char entryDir[MAX_PATH];
char loadedName[128];
int isNew;

namespace {

// Both readers and writers of entry files allow other readers only: a file
// being rewritten on the share can't be opened and then reads as missing.
HANDLE OpenEntryForRead(const char* path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Overlays at most one record's worth of the file; 0 when it can't be opened.
int ReadEntryFile(const char* path, AppParams& into)
{
    HANDLE file = OpenEntryForRead(path);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    AppParams scratch = into;
    DWORD got = 0;
    if (!ReadFile(file, &scratch, sizeof scratch, &got, nullptr))
        got = 0;
    CloseHandle(file);
    ApplyEntryBytes(into, &scratch, got);
    return 1;
}

// Starts the search for entry files of entryDir; INVALID_HANDLE_VALUE when
// there are none (or entryDir is too long to search).
HANDLE FindFirstEntry(WIN32_FIND_DATAA& found)
{
    char pattern[MAX_PATH];
    if (!ComposeText(pattern, entryDir, "*.DAI"))
        return INVALID_HANDLE_VALUE;
    return FindFirstFileA(pattern, &found);
}

// A new application in the configurator starts with the server address of
// whichever entry the directory search returns first.
void TakeFirstServerAddress()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstEntry(found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    FindClose(search);
    char path[MAX_PATH];
    if (!ComposeText(path, entryDir, found.cFileName))
        return;
    AppParams first;
    std::memset(&first, 0, sizeof first);
    if (ReadEntryFile(path, first))
        CopyText(appParams.ipServidor, first.ipServidor);
}

}  // namespace

void ComputeEntryDir()
{
    char base[PATH_SIZE];
    if (ReadDirInst(base) && ComposeEntryDir(entryDir, base))
        return;
    // No usable DirInst: the entries are looked for below the current directory.
    DWORD got = GetCurrentDirectoryA(sizeof base, base);
    if (got == 0 || got >= sizeof base)
        base[0] = '\0';
    ComposeEntryDir(entryDir, base);
}

void LoadEntry()
{
    SetEntryDefaults(appParams);
    if (profile.kind != PROGRAM_TERMINAL && isNew == 1) {
        TakeFirstServerAddress();
    } else {
        char path[MAX_PATH];
        if (!ComposeText(path, entryDir, appParams.nombre, ".DAI"))
            return;
        if (!ReadEntryFile(path, appParams))
            return;
    }
    CopyText(loadedName, appParams.nombre);
}

void FillEntryList(HWND listBox)
{
    SendMessageA(listBox, LB_RESETCONTENT, 0, 0);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstEntry(found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    // The list box sorts; names that could not be loaded back are left out.
    do {
        char name[sizeof appParams.nombre];
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && EntryNameFromFile(name, found.cFileName))
            SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
