#include "rules.h"

#include <cstring>
#include <strings.h>

#include "../base/textbuf.h"

int SetupDirFromCommand(const char* value, size_t length, char (&out)[PATH_SIZE])
{
    size_t at = 0;
    while (at + 1 < length && !(value[at] == '/' && value[at + 1] == 'S'))
        ++at;
    if (at + 1 >= length)
        return 0;
    at += 2;
    while (at < length && value[at] == ' ')
        ++at;
    size_t end = at;
    while (end < length && value[end] != ' ' && value[end] != '\0')
        ++end;
    if (end > at && value[end - 1] == '\\')
        --end;
    if (end == at)
        return 0;
    std::string dir(value + at, end - at);
    dir += "\\Java";
    if (dir.size() >= PATH_SIZE)
        return 0;
    CopyText(out, dir.c_str());
    return 1;
}

namespace {

unsigned char Folded(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    if (u == '/')
        return '\\';
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
        return static_cast<unsigned char>(u - 0x20);
    return u;
}

size_t WithoutTrailingSeparators(const char* dir)
{
    size_t length = std::strlen(dir);
    while (length > 0 && Folded(dir[length - 1]) == '\\')
        --length;
    return length;
}

}  // namespace

int SameDirectory(const char* a, const char* b)
{
    size_t length = WithoutTrailingSeparators(a);
    if (WithoutTrailingSeparators(b) != length)
        return 0;
    for (size_t i = 0; i < length; ++i)
        if (Folded(a[i]) != Folded(b[i]))
            return 0;
    return 1;
}

int LongNameMatches(const char* name, const char* pattern)
{
    const char* extension = pattern[0] == '*' ? pattern + 1 : pattern;
    size_t length = std::strlen(name), tail = std::strlen(extension);
    return length >= tail && strcasecmp(name + length - tail, extension) == 0;
}

int NeedsJreExtension(const char* name)
{
    static const char* const LIBRARIES[] = {"commons-ssl", "javax.mail", "activation", "Zxing",
                                            "org-apache-commons-logging", "fontbox-2.0.8", "pdfbox-2.0.8"};
    for (const char* library : LIBRARIES)
        if (std::strstr(name, library) != nullptr)
            return 1;
    return 0;
}

void ExpandedName(char* name)
{
    size_t length = std::strlen(name);
    if (length < 3)
        return;
    char& last = name[length - 1];
    switch (name[length - 3]) {
    case 'E': last = 'E'; break;
    case 'e': last = 'e'; break;
    case 'I': last = 'O'; break;
    case 'i': last = 'o'; break;
    }
}

SzddKind ReadSzddHeader(const unsigned char* bytes, size_t size, int named, uint32_t* length)
{
    static const unsigned char MAGIC[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
    // A shorter file, or another start, is no compressed file to the platform.
    if (size < SZDD_HEADER_SIZE || std::memcmp(bytes, MAGIC, sizeof MAGIC) != 0)
        return named ? SZDD_DAMAGED : SZDD_PLAIN;
    if (bytes[8] != 'A')
        return SZDD_UNKNOWN_METHOD;
    *length = static_cast<uint32_t>(bytes[10]) | static_cast<uint32_t>(bytes[11]) << 8 |
              static_cast<uint32_t>(bytes[12]) << 16 | static_cast<uint32_t>(bytes[13]) << 24;
    return SZDD_COMPRESSED;
}

std::string FailureReport(const char* intro, const std::vector<SetupFailure>& failures, const char* closing)
{
    std::string text = intro;
    text += "\n\n";
    size_t shown = failures.size() > size_t{REPORT_LINES} ? size_t{REPORT_LINES} : failures.size();
    for (size_t i = 0; i < shown; ++i)
        text += failures[i].file + ": " + failures[i].reason + "\n";
    if (failures.size() > shown)
        text += "... y " + std::to_string(failures.size() - shown) + " m\xE1s\n";
    text += "\n";
    text += closing;
    return text;
}
