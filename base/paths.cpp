#include "paths.h"

#include <cstring>
#include <strings.h>

#include "textbuf.h"

int ComposeEntryDir(char (&out)[PATH_SIZE], const char* base)
{
    char dir[PATH_SIZE];
    if (!CopyText(dir, base) || !AddBackslash(dir) || !ComposeText(out, dir, "Terminal\\")) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}

int ComposeInstallPath(char (&path)[PATH_SIZE], const char* dir, const char* name, const char* extension)
{
    char base[PATH_SIZE];
    if (!CopyText(base, dir) || !AddBackslash(base) || !ComposeText(path, base, name, extension)) {
        path[0] = '\0';
        return 0;
    }
    return 1;
}

namespace {

// Windows opens the device for its name alone, before a '.' and with
// trailing blanks ("CON .x", "COM1 "); the superscript digits 1 to 3 of
// code page 1252 count as digits there too.
int IsDeviceName(const char* name)
{
    static const char* const DEVICES[] = {"CON", "PRN", "AUX", "NUL"};
    size_t len = std::strcspn(name, ".");
    while (len > 0 && name[len - 1] == ' ')
        --len;
    for (const char* device : DEVICES)
        if (len == 3 && strncasecmp(name, device, 3) == 0)
            return 1;
    if (len != 4 || (strncasecmp(name, "COM", 3) != 0 && strncasecmp(name, "LPT", 3) != 0))
        return 0;
    unsigned char digit = static_cast<unsigned char>(name[3]);
    return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

}  // namespace

int EntryNameFromFile(char (&name)[128], const char* fileName)
{
    const char* dot = std::strrchr(fileName, '.');
    // "*.DAI" also matches through 8.3 aliases ("x.DAIX"): keep real entries only.
    if (dot == nullptr || strcasecmp(dot, ".DAI") != 0)
        return 0;
    size_t len = static_cast<size_t>(dot - fileName);
    if (len == 0 || len >= sizeof name)
        return 0;
    std::memcpy(name, fileName, len);
    name[len] = '\0';
    // A device's name would open the device, not a file: a read that never returns.
    return IsDeviceName(name) ? 0 : 1;
}

int EntryNameUsable(const char* name, const char* dir)
{
    size_t len = std::strlen(name);
    if (len == 0 || name[len - 1] == '.' || name[len - 1] == ' ' || IsDeviceName(name))
        return 0;
    // The marker is a value named after the application, beside these two.
    if (strcasecmp(name, "DirInst") == 0 || strcasecmp(name, "Brenko") == 0)
        return 0;
    for (const char* c = name; *c != '\0'; ++c)
        if (static_cast<unsigned char>(*c) < 0x20 || std::strchr("\\/:*?\"<>|", *c) != nullptr)
            return 0;
    return std::strlen(dir) + len + sizeof ".DAI" <= PATH_SIZE;
}

namespace {

// The file system's upper case of a code page 1252 character: only letters
// whose capital is one character of the same page; \xDF and \xB5 stay.
unsigned char FileNameUpper(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
        return static_cast<unsigned char>(u - 0x20);
    if (u == 0x9A || u == 0x9C || u == 0x9E)
        return static_cast<unsigned char>(u - 0x10);
    return u == 0xFF ? 0x9F : u;
}

}  // namespace

int SameFileName(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        if (FileNameUpper(*a) != FileNameUpper(*b))
            return 0;
        if (*a == '\0')
            return 1;
    }
}

int IsFullDirectory(const char* dir)
{
    if (std::strchr(dir, '%') != nullptr)
        return 0;
    bool drive = ((dir[0] | 0x20) >= 'a' && (dir[0] | 0x20) <= 'z') && dir[1] == ':' && dir[2] == '\\';
    bool unc = dir[0] == '\\' && dir[1] == '\\' && dir[2] != '\0' && dir[2] != '\\';
    return drive || unc;
}
