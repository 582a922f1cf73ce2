// The installers' unattended command lines and the exit codes a deployment
// tool reads from them. No windows.h: this builds natively too.
#pragma once

#include <cstddef>

#include "paths.h"

// The Windows Installer's numbers, which deployment tools already know.
enum {
    EXIT_DONE = 0,               // done, or nothing to do
    EXIT_FAILED = 1603,          // a step failed: the reason is in the log
    EXIT_NOT_INSTALLED = 1605,   // uninstall of what is not installed here
    EXIT_UNREADABLE = 1612,      // the entries directory or the entry file can't be read
    EXIT_BUSY = 1618,            // another unattended run of the same application
    EXIT_BAD_COMMAND = 1639      // the command line
};

enum { COMMAND_INTERACTIVE = 0, COMMAND_INSTALL = 1, COMMAND_UNINSTALL = 2, COMMAND_HELP = 3 };

// What a program's command line may hold beside /instalar, /desinstalar,
// /log and /?.
enum {
    ACCEPTS_NAME = 1,    // /instalar and /desinstalar take the application's name
    ACCEPTS_DIR = 2,     // /dir DIRECTORIO and /archivos (with /instalar)
    ACCEPTS_URL = 4,     // /url DIRECCION (with /instalar)
    ACCEPTS_SOURCE = 8,  // one bare argument: the directory files are taken from
    ACCEPTS_JAVA = 16,   // /java DIRECTORIO: the Java runtime to use
    ACCEPTS_TARGET = 32  // /dir DIRECTORIO with either action, and required: what is acted on
};

enum { COMMAND_VALUE_SIZE = 1024 };

struct CommandLine {
    int action;
    char name[128];
    char dir[PATH_SIZE];
    int copyJars;                     // /archivos
    char log[PATH_SIZE];              // "" for the default log
    char url[COMMAND_VALUE_SIZE];     // "" when not given
    char source[COMMAND_VALUE_SIZE];  // "" when not given
    char java[PATH_SIZE];             // /java: the runtime's home, "" when not given
    int anyCode;                      // /cualquiera: a grant to code from anywhere is wanted
    const char* error;                // why the line was refused (Spanish)
};

// The arguments of a whole command line: what follows its first word (the
// program, quoted or not), unless that word is already an option.
const char* SkipProgramName(const char* commandLine);

// arguments as words split at blanks and tabs; a '"' opens or closes a
// quoted part (no escapes, so "C:\Dir\" keeps its last backslash). Options
// in any letter case; an option's value is the next word that is no
// option. No option at all (a source being then read from the program's own
// line) is COMMAND_INTERACTIVE; /? is COMMAND_HELP.
// Returns 1, or 0 with
// error set when the line is no command this program takes; command holds
// what was read up to there (a /log read before the fault stays).
int ParseCommandLine(const char* arguments, int accepts, CommandLine& command);
