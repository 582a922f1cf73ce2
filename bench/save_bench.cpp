// Saving an entry with SaveEntry (no icon loaded), against writing the same
// bytes with plain file calls flushed to disk, in the same run.
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
    const std::string saved = dir + "BENCH.DAI", plain = dir + "PLAIN.DAI";

    std::vector<double> library, baseline;
    // One untimed round each warms the file cache.
    for (int round = -1; round < rounds; ++round) {
        double t0 = Now();
        for (int i = 0; i < repeats; ++i)
            if (!SaveEntry(entry))
                return std::fprintf(stderr, "save_bench: SaveEntry failed\n"), 1;
        double t1 = Now();
        for (int i = 0; i < repeats; ++i)
            if (!WritePlain(plain, &appParams, sizeof appParams, true))
                return std::fprintf(stderr, "save_bench: plain writing failed\n"), 1;
        double t2 = Now();
        if (round >= 0) {
            library.push_back((t1 - t0) / repeats);
            baseline.push_back((t2 - t1) / repeats);
        }
    }
    std::vector<uint8_t> written;
    if (!ReadPlain(saved, written) || written.size() != sizeof appParams ||
        std::memcmp(written.data(), &appParams, sizeof appParams) != 0) {
        std::fprintf(stderr, "save_bench: %s differs from the record\n", saved.c_str());
        return 1;
    }
    double l = Median(library), p = Median(baseline);
    std::printf("entry of %u bytes; %d rounds of %d saves (medians)\n",
                static_cast<unsigned>(sizeof appParams), rounds, repeats);
    std::printf("SaveEntry:                         %.3f ms\n", l * 1000);
    std::printf("plain CreateFileA .. CloseHandle:  %.3f ms\n", p * 1000);
    std::printf("ratio SaveEntry / plain calls:     %.2f (goal: at most 1.5)\n", l / p);
    return 0;
}
