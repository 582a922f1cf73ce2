// A policy file and its work copy in memory, with faults on demand: reads in
// pieces of a chosen size, and reads, rewinds or writes that fail.
#pragma once

#include <cstdint>
#include <string>

#include "rtfsetup/grant.h"

struct MemoryFiles {
    std::string policy;
    std::string work;
    size_t at = 0;
    size_t piece = 0;              // most bytes one read returns (0: as asked)
    size_t failReadAt = SIZE_MAX;  // a read starting at or beyond this offset fails
    size_t writeRoom = SIZE_MAX;   // the work copy's room: a write beyond it fails
    bool failRewind = false;

    static int Read(void* context, char* buffer, size_t size, size_t* got)
    {
        auto* files = static_cast<MemoryFiles*>(context);
        if (files->at >= files->failReadAt)
            return 0;
        size_t n = files->policy.size() - files->at;
        if (n > size)
            n = size;
        if (files->piece != 0 && n > files->piece)
            n = files->piece;
        files->policy.copy(buffer, n, files->at);
        files->at += n;
        *got = n;
        return 1;
    }
    static int Rewind(void* context)
    {
        auto* files = static_cast<MemoryFiles*>(context);
        files->at = 0;
        return files->failRewind ? 0 : 1;
    }
    static int Write(void* context, const char* data, size_t size)
    {
        auto* files = static_cast<MemoryFiles*>(context);
        // Like a full disk: what fits is written, then the write fails.
        size_t room = files->writeRoom > files->work.size() ? files->writeRoom - files->work.size() : 0;
        files->work.append(data, size < room ? size : room);
        return size <= room ? 1 : 0;
    }
    PolicyIo Io() { return PolicyIo{this, Read, Rewind, Write}; }
};
