#include "base.h"
#include "rollback.h"
#include "runlog.h"

#include <cstring>

int FileExists(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    CloseHandle(file);
    return 1;
}

int DirectoryExists(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int MakeDirectoryPath(const char* dir)
{
    if (dir[0] == '\0')
        return 0;
    const char* slash = std::strchr(dir, '\\');
    if (slash == nullptr)
        return 1;
    char path[PATH_SIZE];
    size_t used = static_cast<size_t>(slash - dir) + 1;
    if (strnlen(dir, sizeof path) >= sizeof path)
        return 0;
    std::memcpy(path, dir, used);
    // The root is never created; each further level is, whether or not it
    // exists already.
    while (dir[used] != '\0') {
        while (dir[used] != '\0' && dir[used] != '\\') {
            path[used] = dir[used];
            ++used;
        }
        path[used] = '\0';
        if (KeepDirectory(path))
            CreateDirectoryA(path, nullptr);
        if (dir[used] == '\0')
            break;
        path[used] = '\\';
        ++used;
    }
    return 1;
}

void DeleteInstalledFile(const char* step, const char* path)
{
    DWORD error = 0;
    RemoveFile(path, error);
    LogStep(step, path, error == 0, error);
}
