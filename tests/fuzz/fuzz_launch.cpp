// Any record of 1946 bytes gives parameter lines and a command line that fit
// their buffers, read nothing outside the record or the tables, and keep
// the line format the Java client parses.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "installcore/launch.h"

#define CHECK(x) \
    if (!(x))    \
    std::abort()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Short inputs fill the front of a record whose rest is unterminated text.
    AppParams r;
    std::memset(&r, 0xA5, sizeof r);
    std::memcpy(&r, data, size < sizeof r ? size : sizeof r);

    char lines[PARAM_LINES_SIZE];
    CHECK(BuildParamLines(lines, r) == 1);
    size_t length = std::strlen(lines);
    CHECK(length < 2600);
    // Efecto and Directa are always there; the text ends with a line end.
    CHECK(length >= 2 && lines[length - 2] == '\r' && lines[length - 1] == '\n');
    size_t count = 0;
    for (size_t i = 0; i + 1 < length; ++i)
        if (lines[i] == '\r' && lines[i + 1] == '\n')
            ++count;
    CHECK(count >= 2);

    // The longest paths an installation accepts always leave room for the line.
    std::string dir(254, 'd');
    std::string paramFile(PATH_SIZE - 1, 'f');
    char line[COMMAND_LINE_SIZE];
    CHECK(BuildCommandLine(line, r, dir.c_str(), paramFile.c_str(), size > 0 && data[0] % 2 ? 8 : 21) == 1);
    CHECK(std::strlen(line) < 983);
    CHECK(std::strstr(line, " Vondra ") != nullptr);

    char argument[P_ARGUMENT_SIZE];
    BuildPArgument(argument, r);
    CHECK(std::strncmp(argument, "/P=", 3) == 0 || std::strncmp(argument, "\"/P=", 4) == 0);

    char path[PATH_SIZE];
    char name[TEXT_FIELD];
    std::memcpy(name, r.nombre, sizeof name);
    name[sizeof name - 1] = '\0';
    if (ComposeShortcutPath(path, "C:\\Escritorio", name))
        CHECK(std::strchr(path + 14, '.') == std::strrchr(path, '.'));
    return 0;
}
