// CopyJars over 200 archives of about 100 MB in all, in the same run against
// the platform's CopyFileA of the same files and against the floor of a copy
// that replaces each archive in one step: the archives listed, each read
// whole into a new work file beside its copy, closed and moved over it.
//   jarcopy_bench DIR [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "installcore/install.h"
#include "params/params.h"
#include "bench.h"

namespace {

const int ARCHIVES = ARCHIVE_SET;

std::string ReadAll(const std::string& path)
{
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    static char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

// The floor: the fewest calls that give each archive a whole new copy.
void FloorCopies(const std::string& source, const std::string& dir)
{
    static char buffer[1024 * 1024];
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((source + "*.JAR").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string target = dir + found.cFileName, work = dir + "~" + (found.cFileName + 1);
        HANDLE input = CreateFileA((source + found.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        HANDLE output = CreateFileA(work.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD got = 0, put = 0;
        bool ok = input != INVALID_HANDLE_VALUE && output != INVALID_HANDLE_VALUE;
        while (ok && ReadFile(input, buffer, sizeof buffer, &got, nullptr) && got > 0)
            ok = WriteFile(output, buffer, got, &put, nullptr) && put == got;
        if (input != INVALID_HANDLE_VALUE)
            CloseHandle(input);
        if (output != INVALID_HANDLE_VALUE)
            ok = CloseHandle(output) && ok;
        if (!ok || !MoveFileExA(work.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
            DeleteFileA(work.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void Empty(const std::string& dir)
{
    for (int i = 0; i < ARCHIVES; ++i)
        DeleteFileA((dir + ArchiveName(i)).c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: jarcopy_bench DIR [ROUNDS]\n");
        return 2;
    }
    std::string root = std::string(argv[1]) + "\\";
    int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    std::string source = root + "Terminal\\", ours = root + "CopyJars\\", theirs = root + "CopyFileA\\",
                floor = root + "Floor\\";
    for (const std::string& dir : {root, source, ours, theirs, floor})
        CreateDirectoryA(dir.c_str(), nullptr);
    size_t total = 0;
    for (int i = 0; i < ARCHIVES; ++i) {
        total += ArchiveSize(i);
        if (!WriteSeededFile(source + ArchiveName(i), ArchiveSize(i), static_cast<unsigned>(i))) {
            std::fprintf(stderr, "jarcopy_bench: cannot write %s\n", (source + ArchiveName(i)).c_str());
            return 1;
        }
    }
    CopyText(entryDir, source.c_str());

    // New copies into empty directories, then the same again over them. One
    // untimed round warms the file cache; the three take turns at going first.
    enum { COPYJARS, COPYFILEA, FLOOR, WAYS };
    const std::string* dirs[WAYS] = {&ours, &theirs, &floor};
    std::vector<double> times[2][WAYS];  // [over earlier copies][way]
    for (int round = -1; round < rounds; ++round) {
        for (const std::string* dir : dirs)
            Empty(*dir);
        for (int over = 0; over < 2; ++over) {
            for (int turn = 0; turn < WAYS; ++turn) {
                int way = (turn + round + WAYS) % WAYS;
                double start = Now();
                if (way == COPYJARS) {
                    CopyJars(ours.c_str());
                } else if (way == COPYFILEA) {
                    for (int i = 0; i < ARCHIVES; ++i)
                        CopyFileA((source + ArchiveName(i)).c_str(), (theirs + ArchiveName(i)).c_str(), FALSE);
                } else {
                    FloorCopies(source, floor);
                }
                if (round >= 0)
                    times[over][way].push_back(Now() - start);
            }
        }
    }
    bool same = JarStatus(theirs.c_str()) == JARS_CURRENT && JarStatus(ours.c_str()) == JARS_CURRENT &&
                JarStatus(floor.c_str()) == JARS_CURRENT;
    for (int i = 0; i < ARCHIVES && same; ++i)
        same = ReadAll(ours + ArchiveName(i)) == ReadAll(source + ArchiveName(i));
    for (const std::string& dir : {ours, theirs, floor, source})
        Empty(dir);
    for (const std::string& dir : {source, ours, theirs, floor, root})
        RemoveDirectoryA(dir.c_str());
    if (!same) {
        std::fprintf(stderr, "jarcopy_bench: the copies are incomplete\n");
        return 1;
    }

    std::printf("archives: %d, %.1f MB, rounds: %d (medians)\n", ARCHIVES, total / 1e6, rounds);
    const char* cases[2] = {"new copies", "over earlier copies"};
    for (int over = 0; over < 2; ++over) {
        double d = Median(times[over][COPYJARS]), m = Median(times[over][COPYFILEA]), f = Median(times[over][FLOOR]);
        std::printf("%s:\n", cases[over]);
        std::printf("  CopyJars:                        %.3f s\n", d);
        std::printf("  CopyFileA of the same files:     %.3f s\n", m);
        std::printf("  floor: work file, moved over:    %.3f s (%.2f of CopyFileA)\n", f, f / m);
        std::printf("  ratio CopyJars / CopyFileA:      %.2f (goal: at most 1.2)\n", d / m);
        std::printf("  ratio CopyJars / floor:          %.2f\n", d / f);
    }
    return 0;
}
