// Saving an entry with SaveEntry (no icon loaded), in the same run against
// two baselines: the same bytes written over the entry file with plain
// flushed file calls, and the floor of a save that replaces the file whole:
// a new work file written, flushed, closed and moved over the entry in one
// step.
//   save_bench DIR [ROUNDS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "params/icons.h"
#include "params/params.h"
#include "bench.h"

namespace {

// The fewest calls that replace a file whole and durably.
bool ReplaceFloor(const std::string& work, const std::string& target, const void* bytes, size_t size)
{
    HANDLE file = CreateFileA(work.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD put = 0;
    bool ok = WriteFile(file, bytes, static_cast<DWORD>(size), &put, nullptr) && put == size;
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    return ok && MoveFileExA(work.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: save_bench DIR [ROUNDS]\n");
        return 2;
    }
    std::string dir = argv[1];
    if (dir.empty() || dir.back() != '\\')
        dir += '\\';
    if (dir.size() >= sizeof entryDir) {
        std::fprintf(stderr, "save_bench: %s is too long\n", argv[1]);
        return 2;
    }
    std::strcpy(entryDir, dir.c_str());
    int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    const int repeats = 1000;

    ReleaseIcon();
    Entry entry{};
    entry.isNew = 1;
    AppParams& appParams = entry.record;
    SetEntryDefaults(appParams);
    std::strcpy(appParams.nombre, "BENCH");
    const std::string saved = dir + "BENCH.DAI", plain = dir + "PLAIN.DAI", floorFile = dir + "FLOOR.DAI",
                      floorWork = dir + "~LOOR.DA0";

    // [0] SaveEntry, [1] the plain calls, [2] the floor.
    std::vector<double> times[3];
    auto run = [&](int which) {
        for (int i = 0; i < repeats; ++i) {
            bool ok = which == 0   ? SaveEntry(entry) != 0
                      : which == 1 ? WritePlain(plain, &appParams, sizeof appParams, true)
                                   : ReplaceFloor(floorWork, floorFile, &appParams, sizeof appParams);
            if (!ok)
                return false;
        }
        return true;
    };
    // One untimed round warms the file cache; the three take turns at going
    // first.
    for (int round = -1; round < rounds; ++round) {
        for (int turn = 0; turn < 3; ++turn) {
            int which = (turn + round + 3) % 3;
            double start = Now();
            if (!run(which))
                return std::fprintf(stderr, "save_bench: %s failed\n",
                                    which == 0 ? "SaveEntry" : which == 1 ? "plain writing" : "the floor"), 1;
            if (round >= 0)
                times[which].push_back((Now() - start) / repeats);
        }
    }
    for (const std::string& path : {saved, floorFile}) {
        std::vector<uint8_t> written;
        if (!ReadPlain(path, written) || written.size() != sizeof appParams ||
            std::memcmp(written.data(), &appParams, sizeof appParams) != 0) {
            std::fprintf(stderr, "save_bench: %s differs from the record\n", path.c_str());
            return 1;
        }
    }
    double l = Median(times[0]), p = Median(times[1]), f = Median(times[2]);
    std::printf("entry of %u bytes; %d rounds of %d saves (medians)\n",
                static_cast<unsigned>(sizeof appParams), rounds, repeats);
    std::printf("SaveEntry:                         %.3f ms\n", l * 1000);
    std::printf("plain CreateFileA .. CloseHandle:  %.3f ms\n", p * 1000);
    std::printf("floor: work file .. MoveFileExA:   %.3f ms (%.2f of the plain calls)\n", f * 1000, f / p);
    std::printf("ratio SaveEntry / plain calls:     %.2f\n", l / p);
    std::printf("ratio SaveEntry / floor:           %.2f (goal: at most 1.15)\n", l / f);
    return 0;
}
