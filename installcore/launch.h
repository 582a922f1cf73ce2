// The text an installation hands to the Java client: the parameter lines of
// the .PAR file and the shortcut's command line. The client parses both, so
// every character here is a contract. No windows.h: this builds natively too.
#pragma once

#include <cstddef>

#include "../params/record.h"
#include "../base/paths.h"

enum {
    // Longest parameter text a record can give is about 2400 bytes.
    PARAM_LINES_SIZE = 4096,
    // Shell links hand their arguments out through buffers of INFOTIPSIZE
    // characters (the NUL included); a longer line would start the client cut.
    COMMAND_LINE_SIZE = 1024,
    // '"' + "/P=" + parametrosP + ",x" + " /C" + '"'
    P_ARGUMENT_SIZE = 1 + 3 + TEXT_FIELD - 1 + 2 + 3 + 1 + 1,
    DIRECTA_SIZE = 3 + 1 + TEXT_FIELD - 1 + 1 + TEXT_FIELD - 1 + 1,
    NUMBERS_SIZE = 64
};

// key, "=" when equals is set, value, CR LF. Returns 1, or 0 with lines
// unchanged when the line does not fit.
int AppendParam(char* lines, size_t size, const char* key, int equals, const char* value);

// efectoFondo,gradienteFondo,efectoAreas,gradienteAreas,0|1,gradienteSinEfecto
void FormatEfecto(char (&value)[NUMBERS_SIZE], const AppParams& record);
// [I][F][A],directaNombre,directaDirectorio
void FormatDirecta(char (&value)[DIRECTA_SIZE], const AppParams& record);
// renglones-columnas
void FormatRcm(char (&value)[NUMBERS_SIZE], const AppParams& record);

// The parameter lines of the record. Index fields outside their tables are
// written as the entry loader reads them: with their default. Returns 1; 0
// (lines empty) only if the text could not fit, which no record reaches.
int BuildParamLines(char (&lines)[PARAM_LINES_SIZE], const AppParams& record);

// The /P argument: "/P=" alone, or the parameters with ",x", quoted with " /C"
// when no initial page is wanted.
void BuildPArgument(char (&argument)[P_ARGUMENT_SIZE], const AppParams& record);

// The shortcut's arguments for a runtime of javaFeature (8 for Java 8).
// installDir stands as given (a trailing '\' is doubled in the class path).
// Java 8 and older find the client's libraries in their extension
// directory; later ones only through the class path, whose wildcard is an
// entry ending in '*'. Returns 1, or 0 with line empty when the line would
// not fit in what a shell link accepts.
int BuildCommandLine(char (&line)[COMMAND_LINE_SIZE], const AppParams& record, const char* installDir,
                     const char* paramFile, int javaFeature);

// desktop, '\', name cut before its first '.', ".LNK".
int ComposeShortcutPath(char (&path)[PATH_SIZE], const char* desktop, const char* name);
