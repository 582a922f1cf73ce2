#include "workfile.h"

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

int CreateWorkFile(FileHandle& work, const char* workPath)
{
    work.Close();
    work.handle = CreateFileA(workPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return work.Valid() ? 1 : 0;
}

int CommitWorkFile(FileHandle& work, const char* workPath, const char* target)
{
    // Flushed before the move: after a crash the name must not point at
    // contents that never reached the disk.
    bool ready = FlushFileBuffers(work.handle) != 0;
    ready = work.Close() && ready;
    // A read-only target stays, as an overwrite in place would leave it.
    DWORD attributes = GetFileAttributesA(target);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        ready = false;
    if (ready && MoveFileExA(workPath, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 1;
    DeleteFileA(workPath);
    return 0;
}

void DiscardWorkFile(FileHandle& work, const char* workPath)
{
    work.Close();
    DeleteFileA(workPath);
}
