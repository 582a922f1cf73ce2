// Pluvik.DLL from the source directory to the system directory.
#include "../base/workfile.h"
#include "kelmin.h"

namespace {

const char LIBRARY_FILE[] = "Pluvik.DLL";
enum { LIBRARY_PATH_SIZE = DIR_SIZE + sizeof LIBRARY_FILE + 2 };

int LibraryPath(char (&path)[LIBRARY_PATH_SIZE], const char* dir)
{
    char base[DIR_SIZE];
    if (!CopyText(base, dir) || !AddBackslash(base))
        return 0;
    return ComposeText(path, base, LIBRARY_FILE);
}

int InstalledPath(char (&path)[LIBRARY_PATH_SIZE])
{
    char system[DIR_SIZE];
    UINT length = GetSystemDirectoryA(system, sizeof system);
    if (length == 0 || length >= sizeof system)
        return 0;
    return LibraryPath(path, system);
}

}  // namespace

int CopyLibrary(const char* sourceDir)
{
    char source[LIBRARY_PATH_SIZE];
    char target[LIBRARY_PATH_SIZE];
    if (sourceDir == nullptr || !LibraryPath(source, sourceDir) || !InstalledPath(target))
        return 0;
    FileHandle from(CreateFileA(source, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!from.Valid())
        return 0;
    Replacement to(target);
    if (!to.IsOpen())
        return 0;
    static char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(from.handle, buffer, sizeof buffer, &got, nullptr))
            return 0;
        if (got == 0)
            break;
        if (!to.Write(buffer, got))
            return 0;
    }
    from.Close();
    // A library that a running Java client holds cannot be replaced: the
    // move fails and the old one stays.
    return to.Commit();
}

int DeleteLibrary()
{
    char target[LIBRARY_PATH_SIZE];
    if (InstalledPath(target))
        DeleteFileA(target);
    return 1;
}

int LibraryInstalled()
{
    char target[LIBRARY_PATH_SIZE];
    if (!InstalledPath(target))
        return 0;
    FileHandle file(CreateFileA(target, 0, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid() ? 1 : 0;
}
