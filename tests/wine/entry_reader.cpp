// Reads an entry file over and over, as the loader opens it, while another
// process rewrites it; classifies every read against the two records the
// writer alternates between.
// entry_reader ENTRY RECORD_A RECORD_B COUNTS EVENT
// Sets EVENT+"r" after its first read, stops when EVENT is set, then writes
// "reads old new torn missing busy" to COUNTS.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The whole file, or false when it can't be opened (error in *error).
bool ReadWhole(const char* path, std::string& out, DWORD* error)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = GetLastError();
        return false;
    }
    out.clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        out.append(buffer, got);
    CloseHandle(file);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 6)
        return 2;
    std::string a, b, seen;
    DWORD error = 0;
    if (!ReadWhole(argv[2], a, &error) || !ReadWhole(argv[3], b, &error))
        return 3;
    HANDLE stop = OpenEventA(SYNCHRONIZE, FALSE, argv[5]);
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, (std::string(argv[5]) + "r").c_str());
    if (stop == nullptr || ready == nullptr)
        return 4;
    unsigned long reads = 0, old = 0, fresh = 0, torn = 0, missing = 0, busy = 0;
    while (WaitForSingleObject(stop, 0) == WAIT_TIMEOUT) {
        ++reads;
        if (!ReadWhole(argv[1], seen, &error))
            ++(error == ERROR_SHARING_VIOLATION ? busy : missing);
        else if (seen == a)
            ++old;
        else if (seen == b)
            ++fresh;
        else
            ++torn;
        if (reads == 1)
            SetEvent(ready);
    }
    FILE* out = std::fopen(argv[4], "w");
    if (out == nullptr)
        return 5;
    std::fprintf(out, "%lu %lu %lu %lu %lu %lu\n", reads, old, fresh, torn, missing, busy);
    return std::fclose(out) == 0 ? 0 : 5;
}
