// Archive copies and the state of the Java archives of an installation
// directory.
#include <algorithm>
#include <string>
#include <vector>

#include "../base/rollback.h"
#include "../base/runlog.h"
#include "../base/workfile.h"
#include "install.h"

namespace {

ULONGLONG Size(const WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A file name in capitals (ASCII only: it is a hint, never a decision).
std::string Capitals(const char* name)
{
    std::string text(name);
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// CopyFileRaw; targetMissing as Replacement::Commit.
int CopyWhole(const char* destination, const char* source, bool targetMissing)
{
    HANDLE input = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
    if (input == INVALID_HANDLE_VALUE)
        return 0;
    int result = 0;
    {
        // One buffer for the whole run, part of the program's image:
        // archives are copied by the hundred, and a fresh allocation per file
        // would cost more than the copying; even one taken from the heap once
        // costs milliseconds on its first use (the icon's copy). Page-aligned,
        // it copies as fast as a block of its own.
        enum { CHUNK = 1024 * 1024 };
        alignas(4096) static char buffer[CHUNK];
        Replacement output(destination, false);
        if (output.IsOpen()) {
            // Until end of file: a short read alone (a share, a pipe) is no end.
            for (;;) {
                DWORD got = 0;
                if (!ReadFile(input, buffer, CHUNK, &got, nullptr))
                    break;
                if (got == 0) {
                    result = output.Commit(targetMissing);
                    break;
                }
                if (!output.Write(buffer, got))
                    break;
            }
        }
    }
    CloseHandle(input);
    return result;
}

}  // namespace

int CopyFileRaw(const char* destination, const char* source)
{
    return CopyWhole(destination, source, false);
}

int CopyJars(const char* dir)
{
    // The copies already there, listed once: a new copy then takes its name
    // without asking for a file that isn't there, which costs a search of
    // the whole directory each time on some systems.
    std::vector<std::string> present;
    char listed[PATH_SIZE];
    if (CopyText(listed, dir) && AddBackslash(listed))
        ForEachFile(listed, "*.JAR", [&present](const char* name) {
            present.push_back(Capitals(name));
            return true;
        });
    std::sort(present.begin(), present.end());
    std::vector<std::string> names, targets;
    ForEachFile(entryDir, "*.JAR", [&](const char* name) {
        char target[PATH_SIZE];
        names.push_back(name);
        if (ComposeInstallPath(target, dir, name, ""))
            targets.push_back(target);
        return true;
    });
    // Within a run's journal, one flushed write announces every copy.
    int planned = PlanFiles(targets), all = 1;
    for (const std::string& name : names) {
        char source[PATH_SIZE], target[PATH_SIZE] = "";
        int copied = planned && ComposeText(source, entryDir, name.c_str()) &&
                     ComposeInstallPath(target, dir, name.c_str(), "") &&
                     CopyWhole(target, source,
                               !std::binary_search(present.begin(), present.end(), Capitals(name.c_str())));
        LogStep("Archivo JAR copiado:", target[0] != '\0' ? target : name.c_str(), copied, copied ? 0 : GetLastError());
        all &= copied;
    }
    return all;
}

int JarStatus(const char* dir)
{
    int status = JARS_MISSING;
    bool any = false;
    ForEachFile(entryDir, "*.JAR", [&](const char* name) {
        any = true;
        char source[PATH_SIZE], target[PATH_SIZE];
        WIN32_FILE_ATTRIBUTE_DATA from, to;
        if (!ComposeInstallPath(source, entryDir, name, "") || !ComposeInstallPath(target, dir, name, "") ||
            !FileExists(source) || !FileExists(target) ||
            !GetFileAttributesExA(source, GetFileExInfoStandard, &from) ||
            !GetFileAttributesExA(target, GetFileExInfoStandard, &to)) {
            status = JARS_MISSING;
            return false;
        }
        if (CompareFileTime(&from.ftLastWriteTime, &to.ftLastWriteTime) > 0 || Size(from) != Size(to)) {
            status = JARS_OUT_OF_DATE;
            return false;
        }
        status = JARS_CURRENT;
        return true;
    });
    return any ? status : JARS_NONE;
}
