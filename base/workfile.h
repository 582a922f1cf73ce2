// Files replaced whole, the one way the suite rewrites a file: the new
// contents go to a work file of their own beside the target, are flushed to
// disk, and then take the target's place in one step. Whatever fails on the
// way, the target keeps its old contents; a reader sees the old file or the
// new one, never a cut or a missing one. Operations return 1 or 0.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// An open file, closed when it goes out of scope.
struct FileHandle {
    HANDLE handle = INVALID_HANDLE_VALUE;
    FileHandle() = default;
    explicit FileHandle(HANDLE opened) : handle(opened) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }
    bool Valid() const { return handle != INVALID_HANDLE_VALUE; }
    // 1 when the file was closed cleanly or nothing was open.
    int Close();
};

// 1 when every byte was written.
int WriteWhole(HANDLE file, const void* data, size_t size);

// The new contents of target, written through a work file beside it, named
// like the target with its first character '~' and its last a digit or
// letter. The work file is created new, never reused, so nothing that
// happens to lie beside the target is overwritten or deleted. An uncommitted
// work file is deleted when the replacement goes out of scope.
class Replacement {
public:
    // durable: the new contents reach the disk before they take the
    // target's place. Copies of files that stay at their source (the
    // archives) may leave that to the system: after a crash a copy that did
    // not reach the disk is seen as out of date and copied again.
    explicit Replacement(const char* target, bool durable = true);
    ~Replacement();
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    bool IsOpen() const { return work_.Valid(); }
    int Write(const void* data, size_t size);
    // Flushes (when durable) and closes the work file and moves it over the
    // target. A read-only target is not replaced, as an overwrite in place
    // would fail too; a target held open by someone else stays as it is.
    // targetMissing: the caller saw no target a moment ago. The work file
    // then takes the name without replacing anything, and only a target that
    // appeared meanwhile is looked at and replaced as above.
    int Commit(bool targetMissing = false);

private:
    void Discard();
    std::string target_;
    std::string workPath_;
    FileHandle work_;
    bool durable_;
    bool failed_ = false;
};

// bytes as the whole new contents of path.
int WriteWholeFile(const char* path, const void* bytes, size_t length);
