// Writes entry files for demos, benchmarks and tests:
//   mkentries DIR NAME...       one entry per name (names in UTF-8)
//   mkentries --count N DIR     N entries "Aplicacion 00001" ...
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "params/record.h"

namespace {

// File names are UTF-8 here; the record holds code page 1252 (Latin-1 part).
std::string ToLatin1(const std::string& utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0xC2 && c <= 0xC3 && i + 1 < utf8.size()) {
            out += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

int Write(const std::string& dir, const std::string& name)
{
    AppParams record;
    std::memset(&record, 0, sizeof record);
    SetEntryDefaults(record);
    std::snprintf(record.nombre, sizeof record.nombre, "%s", ToLatin1(name).c_str());
    std::snprintf(record.ipServidor, sizeof record.ipServidor, "%s", "192.0.2.10");
    std::string path = dir + "/" + name + ".DAI";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(&record, sizeof record, 1, file) != 1) {
        std::perror(path.c_str());
        if (file != nullptr)
            std::fclose(file);
        return 0;
    }
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "--count") == 0) {
        int count = std::atoi(argv[2]);
        for (int i = 1; i <= count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "Aplicacion %05d", i);
            if (!Write(argv[3], name))
                return 1;
        }
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: mkentries DIR NAME... | mkentries --count N DIR\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i)
        if (!Write(argv[1], argv[i]))
            return 1;
    return 0;
}
