// CopyDistribution of media with 200 archives (about 100 MB) and 20
// compressed files (about 10 MB expanded), against CopyFileA of the archives
// plus LZCopy of the compressed files, in the same run; and CopyDistribution
// within a run journal, as Instalar runs it, against the same without.
//   setup_bench DIR [ROUNDS]
#include <windows.h>

#include <lzexpand.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/rollback.h"
#include "bench.h"
#include "setup/instalar.h"

namespace {

const int ARCHIVES = ARCHIVE_SET, COMPRESSED = 20;
const size_t EXPANDED_SIZE = 500 * 1000;
// The suite's own files, which the setup wants on its media: small stand-ins.
const char* const SUITE[] = {
#define MEDIA_PROGRAM(name, kind, from) name,
#define MEDIA_ICON(name, from) name,
#include "setup/media_files.inc"
};

std::string Icon(int i, char last)
{
    char name[32];
    std::snprintf(name, sizeof name, "Icono%02d.IC%c", i, last);
    return name;
}

// An SZDD file of literals only (every flag byte 0xFF): what the platform's
// expansion reads byte by byte like any other.
bool WriteCompressed(const std::string& path, unsigned seed, size_t size = EXPANDED_SIZE)
{
    std::vector<char> bytes = {'S', 'Z', 'D', 'D', '\x88', '\xF0', '\x27', '\x33', 'A', 0};
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<char>(size >> shift));
    for (size_t k = 0; k < size; ++k) {
        if (k % 8 == 0)
            bytes.push_back('\xFF');
        seed = seed * 1103515245u + 12345u;
        bytes.push_back(static_cast<char>('A' + (seed >> 16) % 16));
    }
    return WritePlain(path, bytes.data(), bytes.size());
}

void Empty(const std::string& terminal)
{
    for (int i = 0; i < ARCHIVES; ++i)
        DeleteFileA((terminal + ArchiveName(i)).c_str());
    for (int i = 0; i < COMPRESSED; ++i)
        DeleteFileA((terminal + Icon(i, 'O')).c_str());
}

void PlatformCopy(const std::string& terminal)
{
    for (int i = 0; i < ARCHIVES; ++i)
        CopyFileA(ArchiveName(i).c_str(), (terminal + ArchiveName(i)).c_str(), FALSE);
    for (int i = 0; i < COMPRESSED; ++i) {
        OFSTRUCT from, to;
        std::string source = Icon(i, '_'), target = terminal + Icon(i, 'O');
        INT input = LZOpenFileA(&source[0], &from, OF_READ);
        INT output = LZOpenFileA(&target[0], &to, OF_CREATE | OF_WRITE);
        LZCopy(input, output);
        LZClose(output);
        LZClose(input);
    }
}

bool Same(const std::string& a, const std::string& b)
{
    std::vector<uint8_t> left, right;
    return ReadPlain(a, left) && ReadPlain(b, right) && left == right;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: setup_bench DIR [ROUNDS]\n");
        return 2;
    }
    std::string root = std::string(argv[1]) + "\\";
    int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    std::string media = root + "media\\", ours = root + "Instalar\\", theirs = root + "Plataforma\\";
    std::string oursTerminal = ours + "Terminal\\", theirsTerminal = theirs + "Terminal\\";
    for (const std::string& dir : {root, media, ours, theirs, theirsTerminal})
        CreateDirectoryA(dir.c_str(), nullptr);
    size_t total = 0;
    bool written = true;
    for (int i = 0; i < ARCHIVES; ++i) {
        total += ArchiveSize(i);
        written = written && WriteSeededFile(media + ArchiveName(i), ArchiveSize(i), static_cast<unsigned>(i));
    }
    for (int i = 0; i < COMPRESSED; ++i)
        written = written && WriteCompressed(media + Icon(i, '_'), static_cast<unsigned>(i));
    for (const char* name : SUITE) {
        std::string path = media + name;
        written = written && (path.back() == '_' ? WriteCompressed(path, 0, 100) : WritePlain(path, "MZ", 2));
    }
    if (!written || !SetCurrentDirectoryA(media.c_str())) {
        std::fprintf(stderr, "setup_bench: cannot write the media in %s\n", media.c_str());
        return 1;
    }
    char earlierDirInst[PATH_SIZE];
    int hadDirInst = ReadDirInst(earlierDirInst);
    CopyText(setupDir, ours.c_str());

    // New copies into empty directories, then the same again over them. One
    // untimed round warms the file cache; the order alternates.
    std::vector<double> times[2][2];  // [over earlier copies][platform]
    bool failed = false;
    for (int round = -1; round < rounds; ++round) {
        Empty(oursTerminal);
        Empty(theirsTerminal);
        for (int over = 0; over < 2; ++over) {
            for (int turn = 0; turn < 2; ++turn) {
                bool platform = (turn == 0) != (round % 2 == 0);
                SetupFailures failures;
                double start = Now();
                if (platform)
                    PlatformCopy(theirsTerminal);
                else
                    failed = !CopyDistribution(failures) || failed;
                if (round >= 0)
                    times[over][platform].push_back(Now() - start);
            }
        }
    }
    // The same setups journaled: new copies, then over the earlier ones,
    // whose replacement now keeps each earlier file as a backup until the end.
    std::vector<double> journaled[2];
    profile.journal = "Instalar";
    for (int round = -1; round < rounds; ++round) {
        Empty(oursTerminal);
        for (int over = 0; over < 2; ++over) {
            SetupFailures failures;
            double start = Now();
            failed = !BeginJournal("") || !CopyDistribution(failures) || failed;
            failed = !EndJournal(1) || failed;
            if (round >= 0)
                journaled[over].push_back(Now() - start);
        }
    }
    profile.journal = nullptr;
    bool same = !failed;
    for (int i = 0; i < ARCHIVES && same; ++i)
        same = Same(oursTerminal + ArchiveName(i), theirsTerminal + ArchiveName(i));
    for (int i = 0; i < COMPRESSED && same; ++i)
        same = Same(oursTerminal + Icon(i, 'O'), theirsTerminal + Icon(i, 'O'));
    SetupFailures removed;
    RemoveDistribution(removed);
    if (hadDirInst)
        WriteUserDirInst(earlierDirInst);
    else
        DeleteUserDirInst(setupDir);
    SetCurrentDirectoryA(root.c_str());
    Empty(theirsTerminal);
    for (int i = 0; i < ARCHIVES; ++i)
        DeleteFileA((media + ArchiveName(i)).c_str());
    for (int i = 0; i < COMPRESSED; ++i)
        DeleteFileA((media + Icon(i, '_')).c_str());
    for (const char* name : SUITE)
        DeleteFileA((media + name).c_str());
    for (const std::string& dir : {theirsTerminal, theirs, media, root})
        RemoveDirectoryA(dir.c_str());
    if (!same) {
        std::fprintf(stderr, "setup_bench: the copies differ or the setup reported failures\n");
        return 1;
    }

    std::printf("archives: %d, %.1f MB; compressed: %d, %.1f MB expanded; rounds: %d (medians)\n", ARCHIVES,
                total / 1e6, COMPRESSED, COMPRESSED * EXPANDED_SIZE / 1e6, rounds);
    const char* cases[2] = {"new copies", "over earlier copies"};
    for (int over = 0; over < 2; ++over) {
        double d = Median(times[over][0]), m = Median(times[over][1]);
        std::printf("%s:\n", cases[over]);
        std::printf("  CopyDistribution:                %.3f s\n", d);
        std::printf("  CopyFileA + LZCopy of the same:  %.3f s\n", m);
        std::printf("  ratio:                           %.2f (goal: at most 1.2)\n", d / m);
        std::printf("  CopyDistribution, journaled:     %.3f s, ratio to it unjournaled %.2f\n",
                    Median(journaled[over]), Median(journaled[over]) / d);
    }
    return 0;
}
