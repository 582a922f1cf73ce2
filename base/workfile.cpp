#include "workfile.h"

#include "rollback.h"


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

Replacement::Replacement(const char* target, bool durable) : target_(target), durable_(durable)
{
    size_t slash = target_.find_last_of("\\/:");
    size_t start = slash == std::string::npos ? 0 : slash + 1;
    if (start >= target_.size())
        return;
    // The work file's name is as long as the target's, so it fits wherever
    // the target does: "~" for the first character and a digit or letter for
    // the last ("Vondra.JAR" -> "~ondra.JA0"), which no pattern the suite
    // lists (*.JAR, *.DAI, *.ICO) matches. CREATE_NEW never takes over a
    // file that happens to carry that name; the next candidate is tried.
    static const char LAST[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string base = target_.substr(0, start) + "~";
    if (target_.size() - start > 1)
        base += target_.substr(start + 1, target_.size() - start - 2);
    for (const char* last = LAST; *last != '\0' && !work_.Valid(); ++last) {
        workPath_ = base + *last;
        // Announced first: a run cut short leaves no work file behind.
        if (!KeepNewFile(workPath_.c_str()))
            break;
        work_.handle = CreateFileA(workPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                   nullptr);
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

int Replacement::Commit(bool targetMissing)
{
    if (!IsOpen() || failed_) {
        Discard();
        return 0;
    }
    // Flushed before the move: after a crash the name must not point at
    // contents that never reached the disk.
    bool ready = !durable_ || FlushFileBuffers(work_.handle) != 0;
    ready = work_.Close() && ready;
    DWORD through = durable_ ? MOVEFILE_WRITE_THROUGH : 0;
    // Asking for the attributes of a name that isn't there costs a search of
    // the whole directory on some systems; a move that replaces nothing
    // needs no look at the target.
    // Within a run's journal the earlier target becomes its backup first
    // (a read-only one stays, as below).
    if (ready && JournalOpen()) {
        DWORD attributes = targetMissing ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(target_.c_str());
        ready = (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0) &&
                KeepFile(target_.c_str());
        targetMissing = true;
    }
    if (ready && targetMissing && MoveFileExA(workPath_.c_str(), target_.c_str(), through)) {
        workPath_.clear();
        return 1;
    }
    DWORD attributes = GetFileAttributesA(target_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        ready = false;
    if (ready && MoveFileExA(workPath_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | through)) {
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
