// Any registry texts as printer name and port, and any chosen text, reduced
// to a name or a port: always terminated inside the buffers.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "params/printtext.h"

#define CHECK(x) \
    if (!(x))    \
    std::abort()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The bytes split at the first NUL into a name and a port, each as long
    // as the registry can hand over.
    std::string text(reinterpret_cast<const char*>(data), size);
    size_t split = text.find('\0');
    std::string name = text.substr(0, split);
    std::string port = split == std::string::npos ? "" : text.substr(split + 1);
    port = port.substr(0, port.find('\0'));
    name.resize(std::min<size_t>(name.size(), PRINTER_VALUE_SIZE - 1));
    port.resize(std::min<size_t>(port.size(), PRINTER_VALUE_SIZE - 1));

    char line[PRINTER_LINE_SIZE];
    ComposePrinterLine(line, sizeof line, name.c_str(), port.c_str());
    CHECK(std::strlen(line) == name.size() + port.size() + 11);

    // Where the name itself does not begin the mark, the line gives back
    // exactly the port and the name.
    const bool plain = std::string(line).find(PORT_MARK) == name.size() + 1;
    char byPort[PRINTER_LINE_SIZE];
    std::memcpy(byPort, line, sizeof line);
    ReduceToPort(byPort);
    CHECK(std::strlen(byPort) <= std::strlen(line));
    if (plain)
        CHECK(port == byPort);

    char byName[PRINTER_LINE_SIZE];
    std::memcpy(byName, line, sizeof line);
    ReduceToName(byName);
    CHECK(std::strlen(byName) <= name.size() + 1);
    if (plain)
        CHECK(name + " " == byName);

    // A chosen text as the user left it.
    std::string choice = text.substr(0, std::min<size_t>(text.find('\0'), PRINTER_CHOICE_SIZE - 1));
    char edited[PRINTER_CHOICE_SIZE];
    std::memcpy(edited, choice.c_str(), choice.size() + 1);
    ReduceToPort(edited);
    CHECK(std::strlen(edited) <= choice.size());
    return 0;
}
