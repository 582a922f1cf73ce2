// The business application's command line as the registry holds it, and
// media file headers and names: the setup program's rules over any bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "setup/rules.h"

#define CHECK(x) \
    if (!(x))    \
    std::abort()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    char out[PATH_SIZE] = "keep";
    if (SetupDirFromCommand(text, size, out)) {
        size_t length = std::strlen(out);
        CHECK(length > 5 && length < PATH_SIZE);
        CHECK(std::strcmp(out + length - 5, "\\Java") == 0);
        std::string dir(out, length - 5);
        CHECK(dir.find(' ') == std::string::npos);
        CHECK(std::string(text, size).find(dir) != std::string::npos);
    } else {
        CHECK(std::strcmp(out, "keep") == 0);
    }

    uint32_t expanded = 0;
    SzddKind kind = ReadSzddHeader(data, size, 0, &expanded);
    CHECK(kind == SZDD_PLAIN || size >= SZDD_HEADER_SIZE);
    CHECK(kind != SZDD_DAMAGED);
    // Named as compressed, only a whole header gets through.
    SzddKind named = ReadSzddHeader(data, size, 1, &expanded);
    CHECK(named != SZDD_PLAIN);
    CHECK(named == SZDD_DAMAGED || (named == kind && size >= SZDD_HEADER_SIZE));

    std::string name(text, size);
    name = name.substr(0, name.find('\0'));
    std::string renamed = name;
    ExpandedName(&renamed[0]);
    CHECK(renamed.size() == name.size());
    CHECK(renamed.size() < 3 || renamed.compare(0, name.size() - 1, name, 0, name.size() - 1) == 0);
    NeedsJreExtension(name.c_str());
    LongNameMatches(name.c_str(), "*.JAR");
    CHECK(SameDirectory(name.c_str(), (name + "\\").c_str()) == 1);
    return 0;
}
