// What the Java client sends to the printing call: file and printer texts of
// any length and content, printer records as the spooler might fill them, and
// the copy loop over reads and writes that fail anywhere.
#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "rtflib/devtext.h"

#define CHECK(x)                                              \
    do {                                                      \
        if (!(x)) {                                           \
            std::fprintf(stderr, "failed at line %d\n", __LINE__); \
            std::abort();                                     \
        }                                                     \
    } while (0)

namespace {

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

int AsciiNoCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        char x = Upper(*a), y = Upper(*b);
        if (x != y || x == 0)
            return x - y;
    }
}

struct Source {
    const std::string* data;
    size_t offset;
    size_t failAt;    // byte offset from which reads fail
    size_t refuseAt;  // device bytes after which writes fail
    std::string device;
};

int Read(void* context, char* block, unsigned size, unsigned* got)
{
    auto* s = static_cast<Source*>(context);
    if (s->offset >= s->failAt && s->offset < s->data->size())
        return 0;
    size_t n = std::min<size_t>(size, s->data->size() - s->offset);
    std::memcpy(block, s->data->data() + s->offset, n);
    s->offset += n;
    *got = static_cast<unsigned>(n);
    return 1;
}

void Convert(void*, char*, unsigned) {}

int Write(void* context, const char* block, unsigned length)
{
    auto* s = static_cast<Source*>(context);
    if (s->device.size() + length > s->refuseAt)
        return 0;
    s->device.append(block, length);
    return 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        size_t end = input.find('\x01', start);
        if (end == std::string::npos)
            end = input.size();
        parts.push_back(input.substr(start, end - start));
        start = std::min(end + 1, input.size());
    }
    std::string rest = input.substr(start);

    // Java texts: refused when too long, otherwise the bytes up to a zero.
    std::unique_ptr<char[]> text(new char[TEXT_SIZE]);
    std::vector<signed char> bytes(input.begin(), input.end());
    int fits = CopyJavaText(text.get(), bytes.data(), static_cast<long>(bytes.size()), true);
    std::string upToZero = input.substr(0, input.find('\0'));
    CHECK(fits == (upToZero.size() <= TEXT_SIZE - 1));
    if (fits) {
        std::string expected = upToZero;
        std::transform(expected.begin(), expected.end(), expected.begin(), Upper);
        CHECK(expected == text.get());
    } else {
        CHECK(text[0] == '\0');
    }
    CHECK(IsDefaultPrinterText(text.get()) == (std::strncmp(text.get(), "PRN", 3) == 0));

    // Matching agrees with a plain search of the case-folded texts.
    std::string sought = parts[0].substr(0, parts[0].find('\0'));
    std::string searched = parts[1].substr(0, parts[1].find('\0'));
    std::string a = sought, b = searched;
    std::transform(a.begin(), a.end(), a.begin(), Upper);
    std::transform(b.begin(), b.end(), b.begin(), Upper);
    bool expected = a.size() <= TEXT_SIZE - 1 && b.find(a) != std::string::npos;
    CHECK(ContainsNoCase(sought.c_str(), searched.c_str(), AsciiNoCase) == (expected ? 1 : 0));

    // A record's device always fits its buffer, or there is none.
    size_t deviceSize = 1 + (rest.empty() ? 0 : static_cast<unsigned char>(rest[0]) * 3);
    std::unique_ptr<char[]> device(new char[deviceSize]);
    std::string port = parts[2].substr(0, parts[2].find('\0'));
    const char* server = sought.empty() ? nullptr : sought.c_str();
    if (DeviceOfPrinter(device.get(), deviceSize, server, searched.c_str(), port.c_str()))
        CHECK(std::strlen(device.get()) > 0 && std::strlen(device.get()) < deviceSize);
    else
        CHECK(device[0] == '\0');

    std::string entry = port.substr(0, PROFILE_SIZE - 1);
    std::string cut = entry.substr(0, entry.find(','));
    CutAtComma(&entry[0]);
    CHECK(std::strcmp(entry.c_str(), cut.c_str()) == 0);

    // Table conversion: every byte as the table says, wherever it sits.
    unsigned char table[256];
    for (int v = 0; v < 256; ++v)
        table[v] = static_cast<unsigned char>(v < 128 ? v : v ^ (size > 3 ? data[3] | 0x80 : 0xFF));
    std::string converted = input;
    TranslateBytes(&converted[0], static_cast<unsigned>(converted.size()), table, true);
    for (size_t i = 0; i < input.size(); ++i)
        CHECK(static_cast<unsigned char>(converted[i]) == table[static_cast<unsigned char>(input[i])]);

    // The copy: what reaches the device is a prefix of the file, all of it
    // exactly when nothing failed.
    // Mostly small files; one in eight spans up to three blocks, often ending
    // exactly on a block boundary.
    size_t fileSize = 0;
    if (size > 1)
        fileSize = (data[0] & 0x70) == 0 ? (data[0] % 7) * (CHUNK_SIZE / 2) + data[1] % 3 : data[0] * 2u;
    std::string file(input.empty() ? 0 : fileSize, '\0');
    for (size_t i = 0; i < file.size(); ++i)
        file[i] = input[i % input.size()];
    size_t failAt = size > 1 ? data[1] * 160u % (file.size() + 1) : file.size();
    size_t refuseAt = size > 2 ? data[2] * 160u : file.size();
    Source source{&file, 0, failAt, refuseAt, ""};
    std::unique_ptr<char[]> block(new char[CHUNK_SIZE]);
    ChunkIo io = {&source, Read, Convert, Write};
    StreamResult result = StreamChunks(io, block.get());
    CHECK(file.compare(0, source.device.size(), source.device) == 0);
    if (result == STREAM_DONE)
        CHECK(source.device == file);
    else
        CHECK(source.device.size() < file.size());
    return 0;
}
