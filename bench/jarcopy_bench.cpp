// CopyJars against the platform's CopyFileA over the same 200 archives of
// about 100 MB in all, in the same run.
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
    std::string source = root + "Terminal\\", ours = root + "CopyJars\\", theirs = root + "CopyFileA\\";
    for (const std::string& dir : {root, source, ours, theirs})
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
    // untimed round warms the file cache; the order alternates.
    std::vector<double> times[2][2];  // [over earlier copies][CopyFileA]
    for (int round = -1; round < rounds; ++round) {
        Empty(ours);
        Empty(theirs);
        for (int over = 0; over < 2; ++over) {
            for (int turn = 0; turn < 2; ++turn) {
                bool platform = (turn == 0) != (round % 2 == 0);
                double start = Now();
                if (!platform) {
                    CopyJars(ours.c_str());
                } else {
                    for (int i = 0; i < ARCHIVES; ++i)
                        CopyFileA((source + ArchiveName(i)).c_str(), (theirs + ArchiveName(i)).c_str(), FALSE);
                }
                if (round >= 0)
                    times[over][platform].push_back(Now() - start);
            }
        }
    }
    bool same = JarStatus(theirs.c_str()) == JARS_CURRENT && JarStatus(ours.c_str()) == JARS_CURRENT;
    for (int i = 0; i < ARCHIVES && same; ++i)
        same = ReadAll(ours + ArchiveName(i)) == ReadAll(source + ArchiveName(i));
    Empty(ours);
    Empty(theirs);
    Empty(source);
    for (const std::string& dir : {source, ours, theirs, root})
        RemoveDirectoryA(dir.c_str());
    if (!same) {
        std::fprintf(stderr, "jarcopy_bench: the copies are incomplete\n");
        return 1;
    }

    std::printf("archives: %d, %.1f MB, rounds: %d (medians)\n", ARCHIVES, total / 1e6, rounds);
    const char* cases[2] = {"new copies", "over earlier copies"};
    for (int over = 0; over < 2; ++over) {
        double d = Median(times[over][0]), m = Median(times[over][1]);
        std::printf("%s:\n", cases[over]);
        std::printf("  CopyJars:                        %.3f s\n", d);
        std::printf("  CopyFileA of the same files:     %.3f s\n", m);
        std::printf("  ratio CopyJars / CopyFileA:      %.2f (goal: at most 1.2)\n", d / m);
    }
    return 0;
}
