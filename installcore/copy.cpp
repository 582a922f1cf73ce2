// Directory creation, file copies and the state of the Java archives of an
// installation directory.
#include <cstring>
#include <memory>

#include "../params/params.h"
#include "install.h"

namespace {

// A new version of a file, written beside it and moved over it only once
// complete: a full disk or a failed read leaves the earlier file, not a cut one.
class Replacement {
public:
    explicit Replacement(const char* destination)
    {
        if (!CopyText(destination_, destination))
            return;
        // A suffix after the extension keeps the temporary out of "*.JAR".
        if (!ComposeText(temporary_, destination, ".~tmp")) {
            char dir[PATH_SIZE];
            CopyText(dir, destination);
            if (char* slash = std::strrchr(dir, '\\'))
                slash[1] = '\0';
            else
                std::strcpy(dir, ".");
            if (!GetTempFileNameA(dir, "VND", 0, temporary_))
                return;
        }
        file_ = CreateFileA(temporary_, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    ~Replacement()
    {
        if (file_ != INVALID_HANDLE_VALUE)
            CloseHandle(file_);
        if (!committed_ && temporary_[0] != '\0')
            DeleteFileA(temporary_);
    }
    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
    bool Write(const void* bytes, DWORD length)
    {
        DWORD written = 0;
        return WriteFile(file_, bytes, length, &written, nullptr) && written == length;
    }
    // Closes the temporary and puts it in the destination's place.
    int Commit()
    {
        bool closed = CloseHandle(file_) != 0;
        file_ = INVALID_HANDLE_VALUE;
        if (!closed || !MoveFileExA(temporary_, destination_, MOVEFILE_REPLACE_EXISTING))
            return 0;
        committed_ = true;
        return 1;
    }

private:
    char destination_[PATH_SIZE] = "";
    char temporary_[PATH_SIZE] = "";
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool committed_ = false;
};

// Each match of dir + pattern that is a file, until visit returns false.
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

ULONGLONG Size(const WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

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
        CreateDirectoryA(path, nullptr);
        if (dir[used] == '\0')
            break;
        path[used] = '\\';
        ++used;
    }
    return 1;
}

int WriteWholeFile(const char* path, const void* bytes, size_t length)
{
    Replacement file(path);
    if (!file.IsOpen() || !file.Write(bytes, static_cast<DWORD>(length)))
        return 0;
    return file.Commit();
}

int CopyFileRaw(const char* destination, const char* source)
{
    HANDLE input = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
    if (input == INVALID_HANDLE_VALUE)
        return 0;
    int result = 0;
    {
        Replacement output(destination);
        enum { CHUNK = 64 * 1024 };
        std::unique_ptr<char[]> buffer(new char[CHUNK]);
        if (output.IsOpen()) {
            // Until end of file: a short read alone (a share, a pipe) is no end.
            for (;;) {
                DWORD got = 0;
                if (!ReadFile(input, buffer.get(), CHUNK, &got, nullptr))
                    break;
                if (got == 0) {
                    result = output.Commit();
                    break;
                }
                if (!output.Write(buffer.get(), got))
                    break;
            }
        }
    }
    CloseHandle(input);
    return result;
}

void CopyJars()
{
    ForEachFile(entryDir, "*.JAR", [](const char* name) {
        char source[PATH_SIZE], target[PATH_SIZE];
        if (ComposeText(source, entryDir, name) && ComposeInstallPath(target, installDir, name, ""))
            CopyFileRaw(target, source);
        return true;
    });
}

int JarStatus(const char* dir)
{
    int status = JARS_MISSING;
    bool any = false;
    ForEachFile(entryDir, "*.JAR", [&](const char* name) {
        any = true;
        char source[PATH_SIZE], target[PATH_SIZE];
        WIN32_FILE_ATTRIBUTE_DATA from, to;
        if (!ComposeInstallPath(source, entryDir, name, "") || !ComposeInstallPath(target, dir, name, "") ||
            !FileExists(source) || !FileExists(target) ||
            !GetFileAttributesExA(source, GetFileExInfoStandard, &from) ||
            !GetFileAttributesExA(target, GetFileExInfoStandard, &to)) {
            status = JARS_MISSING;
            return false;
        }
        if (CompareFileTime(&from.ftLastWriteTime, &to.ftLastWriteTime) > 0 || Size(from) != Size(to)) {
            status = JARS_OUT_OF_DATE;
            return false;
        }
        status = JARS_CURRENT;
        return true;
    });
    return any ? status : JARS_MISSING;
}
