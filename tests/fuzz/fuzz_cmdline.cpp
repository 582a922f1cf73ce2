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

    CommandLine command;
    int parsed = ParseCommandLine(line.c_str(), accepts, command);
    for (const char* field : {command.name, command.log, command.url, command.source})
        CHECK(strnlen(field, COMMAND_VALUE_SIZE) < COMMAND_VALUE_SIZE);
    CHECK(strnlen(command.name, sizeof command.name) < sizeof command.name);
    CHECK(strnlen(command.dir, sizeof command.dir) < sizeof command.dir);
    if (!parsed) {
        CHECK(command.error != nullptr);
        return 0;
    }
    CHECK(command.action >= COMMAND_INTERACTIVE && command.action <= COMMAND_HELP);
    if (command.action == COMMAND_INTERACTIVE)
        CHECK((accepts & ACCEPTS_SOURCE) || line.find_first_not_of(" \t") == std::string::npos);
    if (command.action == COMMAND_INSTALL || command.action == COMMAND_UNINSTALL)
        CHECK((command.name[0] != '\0') == ((accepts & ACCEPTS_NAME) != 0));
    if (command.dir[0] != '\0')
        CHECK(IsFullDirectory(command.dir) && (accepts & ACCEPTS_DIR) && command.action != COMMAND_UNINSTALL);
    CHECK(command.url[0] == '\0' || (accepts & ACCEPTS_URL));
    CHECK(command.source[0] == '\0' || (accepts & ACCEPTS_SOURCE));
    return 0;
}
