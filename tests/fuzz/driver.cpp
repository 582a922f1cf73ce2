// Runs a fuzz target without libFuzzer: over the files given, or over
// pseudo-random inputs from a fixed seed (--runs N), so that every test run
// under the sanitizers exercises it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    long runs = 0;
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::atol(argv[++i]);
            continue;
        }
        FILE* file = std::fopen(argv[i], "rb");
        if (file == nullptr)
            return 1;
        std::vector<uint8_t> data;
        int c;
        while ((c = std::fgetc(file)) != EOF)
            data.push_back(static_cast<uint8_t>(c));
        std::fclose(file);
        LLVMFuzzerTestOneInput(data.data(), data.size());
        ++files;
    }
    uint64_t state = 0x9E3779B97F4A7C15ull;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    std::vector<uint8_t> data;
    for (long run = 0; run < runs; ++run) {
        // Mostly small inputs, some around a record's size; bytes drawn from
        // a small alphabet half of the time so digits, dots and NULs meet.
        size_t size = (next() % 4 == 0) ? 1900 + next() % 100 : next() % 64;
        data.resize(size);
        bool narrow = next() % 2 == 0;
        static const char alphabet[] = "0123456789._\\.aZ\0";
        for (auto& byte : data)
            byte = narrow ? static_cast<uint8_t>(alphabet[next() % (sizeof alphabet)]) : static_cast<uint8_t>(next());
        LLVMFuzzerTestOneInput(data.data(), data.size());
    }
    std::printf("%d files, %ld generated inputs\n", files, runs);
    return 0;
}
