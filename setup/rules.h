// The setup program's rules on names and texts: the directory a command
// line's /S option names, when two directory texts name the same directory,
// which listed files a pattern stands for, the archives that also go to the
// Java runtime, the names of expanded files, the header of compressed files
// and the wording of a failure report. No windows.h: this builds natively
// too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "../base/paths.h"

// Room for the business application's command line (HKCR\VONDRA\VONDRA).
enum { COMMAND_SIZE = 80 };

// The first "/S" (capital S) of the value's length bytes, blanks skipped,
// up to the next blank or the end, one trailing '\' dropped, then "\Java".
// 1 with the directory in out; 0, out unchanged, without a /S or when
// nothing follows it (a bare "\Java" would name the root of some drive).
int SetupDirFromCommand(const char* value, size_t length, char (&out)[PATH_SIZE]);

// 1 when a and b name one directory as the file system sees it: letters
// (code page 1252) without regard to case, '/' as '\', trailing ones ignored.
int SameDirectory(const char* a, const char* b);

// 1 when the file's own (long) name ends in the extension of pattern
// ("*.JAR"), without regard to case. The platform's search matches the 8.3
// alias too: to it "Vondra.jar_old" is VONDRA~1.JAR.
int LongNameMatches(const char* name, const char* pattern);

// 1 when the name contains, case-sensitively, one of the libraries that the
// Java runtime loads from its extension directory.
int NeedsJreExtension(const char* name);

// The name an expanded file takes, in place: ".EX_" becomes ".EXE" and
// ".IC_" becomes ".ICO", judged by the third-last character without regard
// to case and keeping its case (".ic_" becomes ".ico"). Others stay.
void ExpandedName(char* name);

// The header of a file compressed by the Windows file-compression tool.
enum { SZDD_HEADER_SIZE = 14 };
enum SzddKind { SZDD_PLAIN, SZDD_COMPRESSED, SZDD_UNKNOWN_METHOD, SZDD_DAMAGED };
// What the first size bytes of a file say: not compressed (copied as it
// is), compressed with the expanded length in *length, or compressed by a
// method the platform cannot expand. A file named as compressed (named set)
// without the header is damaged: copied as it is it would stand as the
// program or icon.
SzddKind ReadSzddHeader(const unsigned char* bytes, size_t size, int named, uint32_t* length);

// One file that could not be put in place (or removed), and why.
struct SetupFailure {
    std::string file;
    std::string reason;
};

enum { REPORT_LINES = 20 };
// intro, a blank line, "file: reason" for each failure (at most REPORT_LINES,
// then how many more), a blank line and closing.
std::string FailureReport(const char* intro, const std::vector<SetupFailure>& failures, const char* closing);
