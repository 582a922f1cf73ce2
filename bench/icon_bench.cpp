// Reading and rewriting an icon file of 10 images (16 to 256 pixels, 32 bits)
// with LoadCurrentIcon and WriteIconFile, against reading and writing the
// same bytes with plain file calls, in the same run.
//   icon_bench DIR [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "params/icons.h"
#include "bench.h"

namespace {

void Put(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A 32-bit icon image with a colour ramp and an empty mask.
IconImage MakeImage(uint32_t side)
{
    IconImage image;
    image.bytes.assign(40 + side * side * 4 + side * ((side + 31) / 32 * 4), 0);
    Put(image.bytes, 0, 40, 4);
    Put(image.bytes, 4, side, 4);
    Put(image.bytes, 8, side * 2, 4);
    Put(image.bytes, 12, 1, 2);
    Put(image.bytes, 14, 32, 2);
    for (uint32_t i = 0; i < side * side; ++i)
        Put(image.bytes, 40 + 4 * i, 0xFF000000u | (i * 2654435761u >> 8), 4);
    LinkImageParts(image);
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: icon_bench DIR [ROUNDS]\n");
        return 2;
    }
    std::string dir = std::string(argv[1]) + "\\";
    int rounds = argc > 2 ? std::atoi(argv[2]) : 9;
    const int repeats = 50;

    std::vector<IconImage> images;
    for (uint32_t side : {16u, 20u, 24u, 32u, 40u, 48u, 64u, 96u, 128u, 256u})
        images.push_back(MakeImage(side));
    std::vector<uint8_t> source;
    ComposeIconFile(images, source);
    std::string input = dir + "bench.ico", ours = dir + "ours.ico", plain = dir + "plain.ico";
    if (!WritePlain(input, source.data(), source.size())) {
        std::fprintf(stderr, "icon_bench: cannot write %s\n", input.c_str());
        return 1;
    }

    std::vector<double> libraryRead, libraryWrite, plainRead, plainWrite, flushedWrite;
    std::vector<uint8_t> bytes;
    // One untimed round each warms the file cache.
    for (int round = -1; round < rounds; ++round) {
        double t0 = Now();
        for (int i = 0; i < repeats; ++i)
            if (!LoadCurrentIcon(input.c_str()))
                return std::fprintf(stderr, "icon_bench: LoadCurrentIcon failed\n"), 1;
        double t1 = Now();
        for (int i = 0; i < repeats; ++i)
            if (!WriteIconFile(ours.c_str()))
                return std::fprintf(stderr, "icon_bench: WriteIconFile failed\n"), 1;
        double t2 = Now();
        for (int i = 0; i < repeats; ++i)
            if (!ReadPlain(input, bytes))
                return std::fprintf(stderr, "icon_bench: plain reading failed\n"), 1;
        double t3 = Now();
        for (int i = 0; i < repeats; ++i)
            if (!WritePlain(plain, bytes.data(), bytes.size()))
                return std::fprintf(stderr, "icon_bench: plain writing failed\n"), 1;
        double t4 = Now();
        for (int i = 0; i < repeats; ++i)
            if (!WritePlain(plain, bytes.data(), bytes.size(), true))
                return std::fprintf(stderr, "icon_bench: plain writing failed\n"), 1;
        double t5 = Now();
        if (round >= 0) {
            flushedWrite.push_back((t5 - t4) / repeats);
            libraryRead.push_back((t1 - t0) / repeats);
            libraryWrite.push_back((t2 - t1) / repeats);
            plainRead.push_back((t3 - t2) / repeats);
            plainWrite.push_back((t4 - t3) / repeats);
        }
    }
    std::vector<uint8_t> written;
    if (!ReadPlain(ours, written) || written != source) {
        std::fprintf(stderr, "icon_bench: the rewritten file differs from its source\n");
        return 1;
    }
    double lr = Median(libraryRead), lw = Median(libraryWrite), pr = Median(plainRead), pw = Median(plainWrite);
    double fw = Median(flushedWrite);
    std::printf("icon file: %u images, %u bytes; %d rounds of %d (medians)\n",
                static_cast<unsigned>(images.size()), static_cast<unsigned>(source.size()), rounds, repeats);
    std::printf("LoadCurrentIcon + WriteIconFile:   %.3f ms (%.3f + %.3f)\n", (lr + lw) * 1000, lr * 1000, lw * 1000);
    std::printf("plain ReadFile + WriteFile:        %.3f ms (%.3f + %.3f)\n", (pr + pw) * 1000, pr * 1000, pw * 1000);
    std::printf("ratio library / plain calls:       %.2f (goal: at most 3)\n", (lr + lw) / (pr + pw));
    // The library's write reaches the disk before it replaces the icon.
    std::printf("plain calls, the write flushed:    %.3f ms\n", (pr + fw) * 1000);
    std::printf("ratio library / flushed calls:     %.2f\n", (lr + lw) / (pr + fw));
    return 0;
}
