// The address of the client's JAR files and the command line of Kelmin.
// No windows.h.
#pragma once

#include <cstddef>

// The stored JAR address and the text of its field: 1,023 characters at most.
enum { JAR_URL_SIZE = 1024 };

// The normalised form of the text typed as JAR address: "http://" in front of
// a bare address, "/*" (or "*" after a '/') at the end of a non-empty one.
// Returns 1 with the result in address, or 0 (address unchanged) when the
// text is no valid address or the result would not fit.
int NormaliseJarUrl(const char* text, char (&address)[JAR_URL_SIZE]);

enum SourceDir { SOURCE_CURRENT, SOURCE_GIVEN, SOURCE_TOO_LONG };

// What the command line says about the directory holding the library:
// SOURCE_GIVEN with the directory in dir; SOURCE_CURRENT when it is missing
// or counts as the program's own file name (then the library is taken from
// the current directory); SOURCE_TOO_LONG, dir empty, when it does not fit.
SourceDir SourceDirFromCommandLine(const char* commandLine, char* dir, size_t size);
