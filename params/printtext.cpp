#include "printtext.h"

#include <cstring>

const char DEFAULT_PRINTER_LINE[] = "Predeterminada";
const char PORT_MARK[] = "(Puerto: ";

void ComposePrinterLine(char* line, size_t size, const char* name, const char* port)
{
    if (size == 0)
        return;
    const char* parts[] = {name, " ", PORT_MARK, port, ")"};
    size_t used = 0;
    for (const char* part : parts) {
        size_t length = strnlen(part, PRINTER_VALUE_SIZE - 1);
        if (length > size - 1 - used)
            length = size - 1 - used;
        std::memcpy(line + used, part, length);
        used += length;
    }
    line[used] = '\0';
}

namespace {

// The default printer is spoken to as PRN whichever way it was chosen.
bool TakeDefault(char* text)
{
    if (std::strcmp(text, DEFAULT_PRINTER_LINE) != 0)
        return false;
    std::strcpy(text, "PRN");
    return true;
}

}  // namespace

void ReduceToPort(char* text)
{
    if (TakeDefault(text))
        return;
    char* mark = std::strstr(text, PORT_MARK);
    if (mark == nullptr)
        return;
    const char* rest = mark + sizeof PORT_MARK - 1;
    size_t length = std::strlen(rest);
    std::memmove(text, rest, length + 1);
    if (length > 0)
        text[length - 1] = '\0';
}

void ReduceToName(char* text)
{
    if (TakeDefault(text))
        return;
    char* mark = std::strstr(text, PORT_MARK);
    if (mark != nullptr)
        *mark = '\0';
}
