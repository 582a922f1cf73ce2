// Files replaced whole: the new contents are written under a work name beside
// the target and moved over it only once complete and on disk, so the target
// always holds either its old or its new complete contents. Operations return
// 1 for success and 0 for failure.
#pragma once

#include <windows.h>

#include <cstddef>

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

// Creates (or empties) the work file for writing, not shared.
int CreateWorkFile(FileHandle& work, const char* workPath);

// Puts the finished work file in target's place: flushes and closes it, then
// moves it over target. On failure the work file is deleted and target is
// left as it stood; a read-only target is not replaced.
int CommitWorkFile(FileHandle& work, const char* workPath, const char* target);

// Closes and deletes an unfinished work file.
void DiscardWorkFile(FileHandle& work, const char* workPath);
