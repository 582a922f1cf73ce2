#include "cmdline.h"

#include <cstring>
#include <strings.h>

#include "textbuf.h"

namespace {

enum { WORD_END, WORD_READ, WORD_UNCLOSED, WORD_TOO_LONG };

struct Word {
    char text[COMMAND_VALUE_SIZE];
    bool option;  // unquoted and beginning with '/'
};

int NextWord(const char*& at, Word& word)
{
    while (*at == ' ' || *at == '\t')
        ++at;
    if (*at == '\0')
        return WORD_END;
    word.option = *at == '/';
    size_t used = 0;
    bool quoted = false;
    for (; *at != '\0' && (quoted || (*at != ' ' && *at != '\t')); ++at) {
        if (*at == '"') {
            quoted = !quoted;
            continue;
        }
        if (used + 1 >= sizeof word.text)
            return WORD_TOO_LONG;
        word.text[used++] = *at;
    }
    word.text[used] = '\0';
    return quoted ? WORD_UNCLOSED : WORD_READ;
}

enum { OPT_INSTALL, OPT_UNINSTALL, OPT_DIR, OPT_JARS, OPT_LOG, OPT_URL, OPT_ANY, OPT_JAVA, OPT_HELP, OPTION_COUNT };

struct Option {
    const char* text;
    int needs;            // one of what the program must accept for it to be known
    const char* missing;  // said when its value is missing; null: it takes none
};

const Option OPTIONS[OPTION_COUNT] = {
    {"/instalar", 0, "falta el nombre de la aplicaci\xF3n tras /instalar"},
    {"/desinstalar", 0, "falta el nombre de la aplicaci\xF3n tras /desinstalar"},
    {"/dir", ACCEPTS_DIR | ACCEPTS_TARGET, "falta el directorio tras /dir"},
    {"/archivos", ACCEPTS_DIR, nullptr},
    {"/log", 0, "falta el archivo tras /log"},
    {"/url", ACCEPTS_URL, "falta la direcci\xF3n tras /url"},
    {"/cualquiera", ACCEPTS_URL, nullptr},
    {"/java", ACCEPTS_JAVA, "falta el directorio del JRE tras /java"},
    {"/?", 0, nullptr},
};

int Fail(CommandLine& command, const char* why)
{
    command.error = why;
    return 0;
}

int WordFault(CommandLine& command, int got)
{
    return Fail(command, got == WORD_UNCLOSED ? "comillas sin cerrar" : "un argumento es demasiado largo");
}

// The value after option into out (size bytes with the NUL).
int TakeValue(const char*& at, const Option& option, char* out, size_t size, CommandLine& command)
{
    Word word;
    int got = NextWord(at, word);
    if (got == WORD_UNCLOSED || got == WORD_TOO_LONG)
        return WordFault(command, got);
    if (got == WORD_END || word.option || word.text[0] == '\0')
        return Fail(command, option.missing);
    size_t length = std::strlen(word.text);
    if (length >= size)
        return Fail(command, "un argumento es demasiado largo");
    std::memcpy(out, word.text, length + 1);
    return 1;
}

int FindOption(const char* text)
{
    for (int i = 0; i < OPTION_COUNT; ++i)
        if (strcasecmp(text, OPTIONS[i].text) == 0)
            return i;
    return -1;
}

int TakeOption(const char*& at, int option, int accepts, CommandLine& command)
{
    const Option& form = OPTIONS[option];
    switch (option) {
    case OPT_INSTALL:
    case OPT_UNINSTALL:
        if (command.action != COMMAND_INTERACTIVE)
            return Fail(command, "/instalar y /desinstalar se excluyen");
        command.action = option == OPT_INSTALL ? COMMAND_INSTALL : COMMAND_UNINSTALL;
        return !(accepts & ACCEPTS_NAME) || TakeValue(at, form, command.name, sizeof command.name, command);
    case OPT_DIR:
        if (!TakeValue(at, form, command.dir, sizeof command.dir, command))
            return 0;
        // A relative directory would depend on where a script happens to run.
        return IsFullDirectory(command.dir) ? 1 : Fail(command, "el directorio de /dir debe ser completo (C:\\... o \\\\servidor\\...)");
    case OPT_JARS:
        command.copyJars = 1;
        return 1;
    case OPT_LOG:
        return TakeValue(at, form, command.log, sizeof command.log, command);
    case OPT_URL:
        return TakeValue(at, form, command.url, sizeof command.url, command);
    case OPT_ANY:
        command.anyCode = 1;
        return 1;
    case OPT_JAVA:
        if (!TakeValue(at, form, command.java, sizeof command.java, command))
            return 0;
        return IsFullDirectory(command.java) ? 1 : Fail(command, "el directorio de /java debe ser completo (C:\\... o \\\\servidor\\...)");
    }
    return 1;
}

}  // namespace

const char* SkipProgramName(const char* commandLine)
{
    const char* at = commandLine;
    while (*at == ' ' || *at == '\t')
        ++at;
    if (*at == '/')
        return at;
    if (*at == '"') {
        const char* end = std::strchr(at + 1, '"');
        return end != nullptr ? end + 1 : at + std::strlen(at);
    }
    while (*at != '\0' && *at != ' ' && *at != '\t')
        ++at;
    return at;
}

int ParseCommandLine(const char* arguments, int accepts, CommandLine& command)
{
    command = CommandLine{};
    bool seen[OPTION_COUNT] = {};
    bool anyOption = false, stray = false;
    const char* at = arguments;
    Word word;
    for (;;) {
        int got = NextWord(at, word);
        if (got == WORD_END)
            break;
        if (got != WORD_READ)
            return WordFault(command, got);
        if (!word.option) {
            if (!(accepts & ACCEPTS_SOURCE) || command.source[0] != '\0' || word.text[0] == '\0')
                stray = true;
            else
                CopyText(command.source, word.text);
            continue;
        }
        int option = FindOption(word.text);
        if (option < 0 || (OPTIONS[option].needs != 0 && (OPTIONS[option].needs & accepts) == 0))
            return Fail(command, "opci\xF3n desconocida");
        if (seen[option])
            return Fail(command, "opci\xF3n repetida");
        seen[option] = anyOption = true;
        if (!TakeOption(at, option, accepts, command))
            return 0;
    }
    // Without options the program runs with its windows, whatever else the
    // line holds: a program path with blanks, unquoted, splits into words.
    // One that takes a source reads its line as before.
    if (!anyOption) {
        command.source[0] = '\0';
        return 1;
    }
    if (stray)
        return Fail(command, "sobra un argumento");
    if (seen[OPT_HELP]) {
        command.action = COMMAND_HELP;
        return 1;
    }
    if (anyOption && command.action == COMMAND_INTERACTIVE)
        return Fail(command, "falta /instalar o /desinstalar");
    if ((accepts & ACCEPTS_TARGET) && !seen[OPT_DIR])
        return Fail(command, "falta /dir");
    if (command.action == COMMAND_UNINSTALL && ((seen[OPT_DIR] && !(accepts & ACCEPTS_TARGET)) || seen[OPT_JARS] || seen[OPT_URL] || seen[OPT_ANY]))
        return Fail(command, "/dir, /archivos, /url y /cualquiera van solo con /instalar");
    if (seen[OPT_URL] && seen[OPT_ANY])
        return Fail(command, "/url y /cualquiera se excluyen");
    return 1;
}
