#include "jarurl.h"

#include <cstring>

#include "base/textbuf.h"

namespace {

bool IsLetter(char c, char lower)
{
    return c == lower || c == lower - ('a' - 'A');
}

bool StartsWithWww(const char* text)
{
    return IsLetter(text[0], 'w') && IsLetter(text[1], 'w') && IsLetter(text[2], 'w') && text[3] == '.';
}

int CountDots(const char* text)
{
    int dots = 0;
    for (; *text != '\0'; ++text)
        dots += *text == '.';
    return dots;
}

bool OnlyDigitsAndDots(const char* text)
{
    for (; *text != '\0'; ++text)
        if (*text != '.' && (*text < '0' || *text > '9'))
            return false;
    return true;
}

bool EndsWith(const char* text, size_t length, const char* ending)
{
    size_t n = std::strlen(ending);
    return length >= n && std::memcmp(text + length - n, ending, n) == 0;
}

}  // namespace

int NormaliseJarUrl(const char* text, char (&address)[JAR_URL_SIZE])
{
    size_t length = std::strlen(text);
    if (length == 0) {
        address[0] = '\0';
        return 1;
    }
    // The address goes between double quotes in JAVA.POLICY: a quote or a
    // line break there would make the runtime reject the whole file, and a
    // "};" would end the block early when it is taken out again.
    if (std::strpbrk(text, "\"\r\n") != nullptr || std::strstr(text, "};") != nullptr)
        return 0;

    const char* prefix = "http://";
    if (IsLetter(text[0], 'h') && IsLetter(text[1], 't') && IsLetter(text[2], 't') && IsLetter(text[3], 'p')) {
        if (std::strncmp(text + 4, "://", 3) != 0)
            return 0;
        // The rest is judged as rules 3 and 4 judge a bare address, without
        // the "/*" this function adds: a stored address must pass again when
        // an update submits it unchanged ("http://10.0.0.5/*").
        char rest[JAR_URL_SIZE];
        CopyText(rest, text + 7);
        size_t restLength = std::strlen(rest);
        if (EndsWith(rest, restLength, "/*"))
            rest[restLength - 2] = '\0';
        if (StartsWithWww(rest)) {
            if (std::strchr(rest + 4, '.') == nullptr)
                return 0;
        } else if (CountDots(rest) == 3 && !OnlyDigitsAndDots(rest)) {
            return 0;
        }
        prefix = "";
    } else if (StartsWithWww(text)) {
        if (std::strchr(text + 4, '.') == nullptr)
            return 0;
    } else if (CountDots(text) == 3) {
        if (!OnlyDigitsAndDots(text))
            return 0;
    }

    const char* ending = "/*";
    if (EndsWith(text, length, "/*"))
        ending = "";
    else if (EndsWith(text, length, "/"))
        ending = "*";
    // Cut, the address would name some other place: refuse it instead.
    char result[JAR_URL_SIZE];
    if (!ComposeText(result, prefix, text, ending))
        return 0;
    std::memcpy(address, result, sizeof result);
    return 1;
}

SourceDir SourceDirFromCommandLine(const char* commandLine, char* dir, size_t size)
{
    if (size > 0)
        dir[0] = '\0';
    if (commandLine == nullptr)
        return SOURCE_CURRENT;
    size_t length = std::strlen(commandLine);
    // Blanks after the text and the quotes the shell puts round a program's
    // path are no part of a directory name.
    while (length > 0 && (commandLine[length - 1] == ' ' || commandLine[length - 1] == '\t'))
        --length;
    const char* text = commandLine;
    if (length >= 2 && text[0] == '"' && text[length - 1] == '"') {
        ++text;
        length -= 2;
    }
    if (length == 0)
        return SOURCE_CURRENT;
    // One of the four marks of "*.EXE" suffices (letters in either case).
    auto back = [&](size_t n) { return n <= length ? text[length - n] : '\0'; };
    if (back(4) == '.' || IsLetter(back(3), 'e') || IsLetter(back(2), 'x') || IsLetter(back(1), 'e'))
        return SOURCE_CURRENT;
    if (length >= size)
        return SOURCE_TOO_LONG;
    std::memcpy(dir, text, length);
    dir[length] = '\0';
    return SOURCE_GIVEN;
}
