#include "version.h"

#include <climits>

int NextVersionNumber(const char* text, int* position)
{
    int at = *position;
    if (text[at] == '\0')
        return 0;
    // Digits saturate instead of overflowing: a registry name is anyone's text.
    int value = 0;
    bool leading = true;
    int k = at;
    do {
        char c = text[k];
        if (leading && c >= '0' && c <= '9')
            value = value > (INT_MAX - (c - '0')) / 10 ? INT_MAX : value * 10 + (c - '0');
        else
            leading = false;
        ++k;
    } while (text[k] != '\0' && text[k] != '.' && text[k] != '_');
    if (text[k] == '.' || text[k] == '_')
        ++k;
    *position = k;
    return value;
}

int IsNewerVersion(const char* candidate, const char* best)
{
    if (best[0] == '\0')
        return 1;
    int c = 0;
    int b = 0;
    for (;;) {
        int mine = NextVersionNumber(candidate, &c);
        int theirs = NextVersionNumber(best, &b);
        if (mine > theirs)
            return 1;
        if (mine < theirs)
            return 0;
        if (mine == 0)
            return 0;
    }
}
