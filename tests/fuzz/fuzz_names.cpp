// Registry and directory names from outside: version names, DirInst values
// and file names of a listing.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/paths.h"
#include "base/version.h"

#define CHECK(x) \
    if (!(x))    \
    std::abort()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t split = input.find('\0');
    std::string a = input.substr(0, split);
    std::string b = split == std::string::npos ? std::string() : input.substr(split + 1);
    b = b.substr(0, b.find('\0'));

    int position = 0;
    for (int steps = 0; a[position] != '\0'; ++steps) {
        int before = position;
        CHECK(NextVersionNumber(a.c_str(), &position) >= 0);
        CHECK(position > before && position <= static_cast<int>(a.size()));
    }
    if (!a.empty() && !b.empty())
        CHECK(!(IsNewerVersion(a.c_str(), b.c_str()) && IsNewerVersion(b.c_str(), a.c_str())));
    CHECK(IsNewerVersion(a.c_str(), a.c_str()) == (a.empty() ? 1 : 0));

    char dir[PATH_SIZE];
    if (ComposeEntryDir(dir, a.c_str())) {
        size_t length = std::strlen(dir);
        CHECK(length < PATH_SIZE && length >= 9);
        CHECK(std::strcmp(dir + length - 9, "Terminal\\") == 0);
    } else {
        CHECK(dir[0] == '\0');
    }
    char name[128];
    if (EntryNameFromFile(name, a.c_str())) {
        CHECK(std::strlen(name) > 0 && std::strlen(name) < sizeof name);
        CHECK(a.compare(0, std::strlen(name), name) == 0);
    }
    // A usable entry name never leaves its directory nor names a device.
    if (EntryNameUsable(a.c_str(), b.c_str())) {
        CHECK(a.find_first_of("\\/:") == std::string::npos);
        CHECK(b.size() + a.size() + 5 <= PATH_SIZE);
    }
    return 0;
}
