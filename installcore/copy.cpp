// Archive copies and the state of the Java archives of an installation
// directory.
#include "../base/workfile.h"
#include "install.h"

namespace {

ULONGLONG Size(const WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int CopyFileRaw(const char* destination, const char* source)
{
    HANDLE input = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
    if (input == INVALID_HANDLE_VALUE)
        return 0;
    int result = 0;
    {
        // One buffer for the whole run, part of the program's image:
        // archives are copied by the hundred, and a fresh allocation per file
        // would cost more than the copying; even one megabyte taken from the
        // heap once costs milliseconds on first use. Larger pieces copy no
        // faster.
        enum { CHUNK = 256 * 1024 };
        static char buffer[CHUNK];
        Replacement output(destination, false);
        if (output.IsOpen()) {
            // Until end of file: a short read alone (a share, a pipe) is no end.
            for (;;) {
                DWORD got = 0;
                if (!ReadFile(input, buffer, CHUNK, &got, nullptr))
                    break;
                if (got == 0) {
                    result = output.Commit();
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

void CopyJars(const char* dir)
{
    ForEachFile(entryDir, "*.JAR", [dir](const char* name) {
        char source[PATH_SIZE], target[PATH_SIZE];
        if (ComposeText(source, entryDir, name) && ComposeInstallPath(target, dir, name, ""))
            CopyFileRaw(target, source);
        return true;
    });
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
    return any ? status : JARS_MISSING;
}
