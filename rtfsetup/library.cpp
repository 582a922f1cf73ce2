// Pluvik.DLL from the source directory to the system directory of the
// runtime's bits.
#include "../base/rollback.h"
#include "../base/workfile.h"
#include "kelmin.h"

namespace {

const char LIBRARY_FILE[] = "Pluvik.DLL";
const char LIBRARY64_FILE[] = "Pluvik64.DLL";
enum { LIBRARY_PATH_SIZE = DIR_SIZE + sizeof LIBRARY64_FILE + 2 };

int LibraryPath(char (&path)[LIBRARY_PATH_SIZE], const char* dir, const char* name)
{
    char base[DIR_SIZE];
    if (!CopyText(base, dir) || !AddBackslash(base))
        return 0;
    return ComposeText(path, base, name);
}

// This program is 32-bit: its system directory is the 32-bit one
// (SysWOW64 on 64-bit Windows); Sysnative names the 64-bit system32.
int InstalledPath(char (&path)[LIBRARY_PATH_SIZE], int bits)
{
    char system[DIR_SIZE];
    UINT length = bits == 64 ? GetWindowsDirectoryA(system, sizeof system) : GetSystemDirectoryA(system, sizeof system);
    if (length == 0 || length >= sizeof system)
        return 0;
    if (bits != 64)
        return LibraryPath(path, system, LIBRARY_FILE);
    char native[DIR_SIZE];
    return AddBackslash(system) && ComposeText(native, system, "Sysnative") && LibraryPath(path, native, LIBRARY_FILE);
}

}  // namespace

const char* LibrarySourceName(int bits)
{
    return bits == 64 ? LIBRARY64_FILE : LIBRARY_FILE;
}

int CopyLibrary(const char* sourceDir, int bits)
{
    char source[LIBRARY_PATH_SIZE];
    char target[LIBRARY_PATH_SIZE];
    if (sourceDir == nullptr || !LibraryPath(source, sourceDir, LibrarySourceName(bits)) || !InstalledPath(target, bits))
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

int DeleteLibrary(int bits)
{
    char target[LIBRARY_PATH_SIZE];
    DWORD error = 0;
    return !InstalledPath(target, bits) || RemoveFile(target, error);
}

int LibraryInstalled(int bits)
{
    char target[LIBRARY_PATH_SIZE];
    if (!InstalledPath(target, bits))
        return 0;
    FileHandle file(CreateFileA(target, 0, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid() ? 1 : 0;
}
