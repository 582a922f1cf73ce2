// Saving and deleting entries: the entry file and its icon file.
#include <cstring>

#include "../base/rollback.h"
#include "../base/workfile.h"
#include "icons.h"
#include "params.h"

namespace {

// The last call failed for a file that is not there: nothing to do.
bool Gone()
{
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

int EntryPath(char (&path)[MAX_PATH], const char* name, const char* extension)
{
    return ComposeText(path, entryDir, name, extension);
}

// The entry file at oldPath takes the spelling of path (the same name but for
// the letter case). Wine keeps a file's spelling when renamed to itself, so
// the file passes through a name of the same length beside it; that name is
// never one that exists, and when the second step fails the file goes back.
void Respell(const char* oldPath, const char* path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(oldPath, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    FindClose(search);
    const char* name = std::strrchr(path, '\\');
    name = name == nullptr ? path : name + 1;
    if (std::strcmp(found.cFileName, name) == 0)
        return;
    MoveFileA(oldPath, path);
    search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    FindClose(search);
    if (std::strcmp(found.cFileName, name) == 0)
        return;
    char aside[MAX_PATH];
    CopyText(aside, path);
    aside[std::strlen(aside) - 1] = '~';
    if (MoveFileA(oldPath, aside) && !MoveFileA(aside, path))
        MoveFileA(aside, oldPath);
}

// The entry file at path (rewritten at respelled and then respelled when
// the name changes only in letter case), the old entry file at moved deleted
// and its icon copied.
int SaveFiles(const Entry& entry, const char* path, const char* respelled, const char* moved, const char* oldIcon)
{
    // The new file is complete before the old one goes: a save that fails
    // leaves the entry as it was, under its old name.
    if (!WriteWholeFile(respelled != nullptr ? respelled : path, &entry.record, sizeof entry.record))
        return 0;
    // From here the entry is saved: what fails is reported, not undone.
    int result = ENTRY_DONE;
    DWORD error = 0;
    if (respelled != nullptr)
        Respell(respelled, path);
    else if (moved != nullptr && !RemoveFile(moved, error))
        result |= ENTRY_OLD_KEPT;

    char icon[MAX_PATH];
    if (!EntryPath(icon, entry.record.nombre, ".ICO"))
        return result;
    // The entry's icon file is rewritten only with an icon the user chose (or
    // the default for an entry that had none): the icon shown may be a stand-in
    // for one that could not be read.
    if (entry.writeIcon && !currentIcon.images.empty()) {
        if (!WriteIconFile(icon))
            result |= ENTRY_ICON_FAILED;
    } else if (moved != nullptr && (!KeepFile(icon) || !CopyFileA(oldIcon, icon, FALSE)) && !Gone()) {
        result |= ENTRY_ICON_FAILED;
    }
    // The icon takes the new spelling too: the two files keep one name.
    if (respelled != nullptr)
        Respell(oldIcon, icon);
    return result;
}

}  // namespace

int SaveEntry(const Entry& entry)
{
    const AppParams& record = entry.record;
    char path[MAX_PATH];
    if (!EntryNameUsable(record.nombre, entryDir) || !EntryPath(path, record.nombre, ".DAI"))
        return 0;
    const char* listed = entry.listedName;
    bool renamed = entry.isNew == 0 && std::strcmp(record.nombre, listed) != 0;
    // Alfa -> ALFA names one file on Windows: it is rewritten in place and
    // then takes the new spelling. Deleting "the old one" would delete it.
    bool caseOnly = renamed && SameFileName(record.nombre, listed);
    char oldPath[MAX_PATH] = "", oldIcon[MAX_PATH] = "";
    if (renamed && (!EntryPath(oldPath, listed, ".DAI") || !EntryPath(oldIcon, listed, ".ICO")))
        oldPath[0] = '\0';

    // A rename is journaled: cut short, it leaves the old entry or the new
    // one, never both nor neither; within the journal it is done whole or
    // not at all (0, every file as it was).
    bool moved = renamed && !caseOnly && oldPath[0] != '\0';
    if (moved && !BeginJournal(record.nombre))
        return 0;
    int result = SaveFiles(entry, path, caseOnly && oldPath[0] != '\0' ? oldPath : nullptr, moved ? oldPath : nullptr,
                           oldIcon);
    if (!moved)
        return result;
    bool whole = result == ENTRY_DONE || !JournalOpen();
    EndJournal(whole);
    return whole ? result : 0;
}

int DeleteEntry(const char* listedName)
{
    char path[MAX_PATH], icon[MAX_PATH];
    if (!EntryNameUsable(listedName, entryDir) || !EntryPath(path, listedName, ".DAI"))
        return 0;
    int result = DeleteFileA(path) || Gone() ? ENTRY_DONE : 0;
    if (EntryPath(icon, listedName, ".ICO") && !DeleteFileA(icon) && !Gone())
        result |= ENTRY_ICON_FAILED;
    return result;
}
