#include "params.h"

#include <cstring>


char entryDir[MAX_PATH];

namespace {

// Both readers and writers of entry files allow other readers only: a file
// being rewritten on the share can't be opened and then reads as missing.
HANDLE OpenEntryForRead(const char* path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Overlays at most one record's worth of the file; 0 when it can't be read.
// whole: the file held a whole record.
int ReadEntryFile(const char* path, AppParams& into, int* whole = nullptr)
{
    HANDLE file = OpenEntryForRead(path);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    AppParams scratch = into;
    DWORD got = 0;
    BOOL read = ReadFile(file, &scratch, sizeof scratch, &got, nullptr);
    CloseHandle(file);
    if (!read)
        return 0;
    ApplyEntryBytes(into, &scratch, got);
    if (whole != nullptr)
        *whole = got == sizeof scratch;
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
void TakeFirstServerAddress(AppParams& record)
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
        CopyText(record.ipServidor, first.ipServidor);
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

int LoadEntry(const char* name, int isNew, Entry& entry)
{
    AppParams& record = entry.record;
    SetEntryDefaults(record);
    CopyText(record.nombre, name);
    entry.isNew = isNew;
    entry.writeIcon = 0;
    entry.whole = 0;
    if (profile.newEntryTakesFirstServer && isNew == 1) {
        entry.listedName[0] = '\0';
        TakeFirstServerAddress(record);
        return 1;
    }
    CopyText(entry.listedName, name);
    char path[MAX_PATH];
    if (!EntryNameUsable(name, entryDir) || !ComposeText(path, entryDir, name, ".DAI") ||
        !ReadEntryFile(path, record, &entry.whole))
        return 0;
    // The name inside a file (copied, edited elsewhere, hostile) never names
    // files: the listed name stands unless it is the same name.
    if (!SameFileName(record.nombre, name))
        CopyText(record.nombre, name);
    return 1;
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
        char name[sizeof(AppParams::nombre)];
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && EntryNameFromFile(name, found.cFileName))
            SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
