// Directory creation, file copies and the state of the Java archives of an
// installation directory.
#include <cstring>
#include <memory>

#include "../params/params.h"
#include "install.h"

namespace {

// A new version of a file that replaces the earlier one only once complete.
// The earlier file is set aside under a name of the same length (so it fits
// wherever the file does) and comes back when the new one fails half-way:
// a full disk or a failed read never leaves a cut file where a good one stood.
// (Writing a temporary and renaming it over the file would do too, but a
// rename over a file makes the file system flush the new data at once, which
// slows a copy of many archives considerably.)
class Replacement {
public:
    explicit Replacement(const char* destination)
    {
        if (!CopyText(destination_, destination) || destination_[0] == '\0')
            return;
        std::memcpy(aside_, destination_, sizeof aside_);
        char& last = aside_[std::strlen(aside_) - 1];
        last = last == '~' ? '#' : '~';  // "Vondra.JA~": outside "*.JAR"

        DWORD attributes = GetFileAttributesA(destination_);
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            // Read-only files and directories are not replaced, as a plain
            // create over them would fail too.
            if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
                return;
            DeleteFileA(aside_);  // left by an interrupted copy
            if (!MoveFileA(destination_, aside_))
                return;  // in use: it stays as it is
            setAside_ = true;
        }
        file_ = CreateFileA(destination_, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
        if (file_ == INVALID_HANDLE_VALUE)
            Restore();
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    ~Replacement()
    {
        if (file_ != INVALID_HANDLE_VALUE) {
            CloseHandle(file_);
            DeleteFileA(destination_);
            Restore();
        }
    }
    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
    bool Write(const void* bytes, DWORD length)
    {
        DWORD written = 0;
        return WriteFile(file_, bytes, length, &written, nullptr) && written == length;
    }
    // Closes the new file and lets the earlier one go.
    int Commit()
    {
        HANDLE file = file_;
        file_ = INVALID_HANDLE_VALUE;
        if (!CloseHandle(file)) {
            DeleteFileA(destination_);
            Restore();
            return 0;
        }
        if (setAside_)
            DeleteFileA(aside_);
        return 1;
    }

private:
    void Restore()
    {
        if (setAside_)
            MoveFileA(aside_, destination_);
        setAside_ = false;
    }

    char destination_[PATH_SIZE] = "";
    char aside_[PATH_SIZE] = "";
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool setAside_ = false;
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
        // One buffer for the whole run: archives are copied by the hundred,
        // and a fresh megabyte per file would cost more than the copying.
        enum { CHUNK = 1024 * 1024 };
        static std::unique_ptr<char[]> buffer(new char[CHUNK]);
        Replacement output(destination);
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
