// Directory paths as a person types them or a listing gives them: the
// browser's steps up and down.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/dirpath.h"

#define CHECK(x) \
    if (!(x))    \
    std::abort()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t split = input.find('\0');
    std::string start = input.substr(0, split).substr(0, PATH_SIZE - 1);
    std::string name = split == std::string::npos ? std::string() : input.substr(split + 1);
    name = name.substr(0, name.find('\0'));

    char path[PATH_SIZE];
    std::memcpy(path, start.c_str(), start.size() + 1);
    char before[PATH_SIZE];
    std::memcpy(before, path, sizeof path);
    ParentPath(path);
    size_t up = std::strlen(path);
    CHECK(std::strncmp(path, before, up) == 0);
    CHECK(up == std::strlen(before) || (up > 0 && path[up - 1] == '\\'));

    std::memcpy(path, before, sizeof path);
    if (ChildPath(path, name.c_str())) {
        size_t length = std::strlen(path);
        CHECK(length < PATH_SIZE && length >= name.size());
        CHECK(std::strcmp(path + length - name.size(), name.c_str()) == 0);
        CHECK(std::strncmp(path, before, std::strlen(before)) == 0);
    } else {
        CHECK(std::strcmp(path, before) == 0);
    }

    char pattern[PATH_SIZE];
    if (SearchPattern(pattern, before)) {
        size_t length = std::strlen(pattern);
        CHECK(length >= 4 && std::strcmp(pattern + length - 4, "\\*.*") == 0);
    } else {
        CHECK(pattern[0] == '\0');
    }

    return 0;
}
