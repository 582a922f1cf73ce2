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
    return 1;
}
