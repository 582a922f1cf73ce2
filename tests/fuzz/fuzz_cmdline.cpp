// Command lines handed to the installers by scripts and deployment tools:
// the first byte chooses what the program accepts, the rest is the line.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/cmdline.h"

#define CHECK(x) \
    if (!(x))    \
    std::abort()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    int accepts = data[0] & 15;
    std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
    line = line.substr(0, line.find('\0'));
    const char* arguments = SkipProgramName(line.c_str());
    CHECK(arguments >= line.c_str() && arguments <= line.c_str() + line.size());

    CommandLine c;
    int parsed = ParseCommandLine(line.c_str(), accepts, c);
    CHECK(strnlen(c.name, sizeof c.name) < sizeof c.name && strnlen(c.dir, sizeof c.dir) < sizeof c.dir);
    for (const char* field : {c.log, c.url, c.source})
        CHECK(strnlen(field, COMMAND_VALUE_SIZE) < COMMAND_VALUE_SIZE);
    CHECK(parsed || c.error != nullptr);
    if (!parsed)
        return 0;
    // Without options the windows: nothing read that an option would give.
    CHECK(c.action != COMMAND_INTERACTIVE || (c.name[0] == '\0' && c.dir[0] == '\0' && c.log[0] == '\0' &&
                                              c.url[0] == '\0' && c.source[0] == '\0' && c.java[0] == '\0'));
    if (c.action == COMMAND_INSTALL || c.action == COMMAND_UNINSTALL)
        CHECK((c.name[0] != '\0') == ((accepts & ACCEPTS_NAME) != 0));
    CHECK(c.dir[0] == '\0' || (IsFullDirectory(c.dir) && (accepts & ACCEPTS_DIR) && c.action != COMMAND_UNINSTALL));
    CHECK((c.url[0] == '\0' || (accepts & ACCEPTS_URL)) && (c.source[0] == '\0' || (accepts & ACCEPTS_SOURCE)));
    return 0;
}
