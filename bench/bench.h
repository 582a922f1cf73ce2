// What the benchmark programs share: a clock, the median of the rounds, and
// files of reproducible pseudo-random bytes.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Seconds on the performance counter.
inline double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The archive benchmarks' set: 200 archives from 12 KiB to about 1 MiB,
// 100 MB in all, in no particular order of size.
const int ARCHIVE_SET = 200;

inline std::string ArchiveName(int i)
{
    char name[32];
    std::snprintf(name, sizeof name, "Archivo%03d.JAR", i);
    return name;
}

inline size_t ArchiveSize(int i)
{
    return 12 * 1024 + static_cast<size_t>((i * 7919) % ARCHIVE_SET) * 5000;
}

// size bytes that only seed decides, as the whole new content of path.
inline bool WriteSeededFile(const std::string& path, size_t size, unsigned seed)
{
    std::vector<char> bytes(size);
    for (size_t k = 0; k < size; ++k) {
        seed = seed * 1103515245u + 12345u;
        bytes[k] = static_cast<char>(seed >> 16);
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(size), &written, nullptr) && written == size;
    CloseHandle(file);
    return ok;
}

// The baselines' file calls: the whole file read, or written as the new
// content of path (flushed to disk when asked, as the suite's writes are).
inline bool ReadPlain(const std::string& path, std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    bytes.resize(size);
    DWORD got = 0;
    bool ok = ReadFile(file, bytes.data(), size, &got, nullptr) && got == size;
    CloseHandle(file);
    return ok;
}

inline bool WritePlain(const std::string& path, const void* bytes, size_t size, bool flush = false)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD put = 0;
    bool ok = WriteFile(file, bytes, static_cast<DWORD>(size), &put, nullptr) && put == size;
    ok = ok && (!flush || FlushFileBuffers(file));
    return CloseHandle(file) && ok;
}
