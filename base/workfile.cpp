#include "workfile.h"

#include <cstdio>

int FileHandle::Close()
{
    if (!Valid())
        return 1;
    BOOL closed = CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
    return closed ? 1 : 0;
}

int WriteWhole(HANDLE file, const void* data, size_t size)
{
    const char* at = static_cast<const char*>(data);
    while (size > 0) {
        DWORD piece = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        // A short write is a full disk as much as a failed one.
        if (!WriteFile(file, at, piece, &written, nullptr) || written != piece)
            return 0;
        at += piece;
        size -= piece;
    }
    return 1;
}

Replacement::Replacement(const char* target) : target_(target)
{
    if (target_.empty())
        return;
    size_t slash = target_.find_last_of("\\/:");
    std::string dir = slash == std::string::npos ? std::string() : target_.substr(0, slash + 1);
    // "~" + a number + ".TMP": no pattern the suite lists (*.JAR, *.DAI,
    // *.ICO) matches it, and CREATE_NEW never takes over an existing file.
    static unsigned counter;
    DWORD process = GetCurrentProcessId();
    for (int attempt = 0; attempt < 100 && !work_.Valid(); ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "~%04lX%04X.TMP", static_cast<unsigned long>(process & 0xFFFF),
                      ++counter & 0xFFFF);
        workPath_ = dir + name;
        work_.handle = CreateFileA(workPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (!work_.Valid() && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    if (!work_.Valid())
        workPath_.clear();
}

Replacement::~Replacement()
{
    Discard();
}

void Replacement::Discard()
{
    work_.Close();
    if (!workPath_.empty())
        DeleteFileA(workPath_.c_str());
    workPath_.clear();
}

int Replacement::Write(const void* data, size_t size)
{
    if (!IsOpen() || failed_ || !WriteWhole(work_.handle, data, size)) {
        failed_ = true;
        return 0;
    }
    return 1;
}

int Replacement::Commit()
{
    if (!IsOpen() || failed_) {
        Discard();
        return 0;
    }
    // Flushed before the move: after a crash the name must not point at
    // contents that never reached the disk.
    bool ready = FlushFileBuffers(work_.handle) != 0;
    ready = work_.Close() && ready;
    DWORD attributes = GetFileAttributesA(target_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        ready = false;
    if (ready &&
        MoveFileExA(workPath_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        workPath_.clear();
        return 1;
    }
    Discard();
    return 0;
}

int WriteWholeFile(const char* path, const void* bytes, size_t length)
{
    Replacement file(path);
    return file.Write(bytes, length) && file.Commit();
}
