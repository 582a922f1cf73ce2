#include "runtime.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "textbuf.h"
#include "version.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

enum { MAX_NUMBERS = 8 };

// The numbers of a version text from its first digit on, separated by
// '.', '_', '+' or '-', up to the first other character; "1.x" as x.
// Returns how many there are.
int Numbers(const char* text, int (&numbers)[MAX_NUMBERS])
{
    const char* at = text;
    while (*at != '\0' && !IsDigit(*at))
        ++at;
    int count = 0;
    while (count < MAX_NUMBERS && IsDigit(*at)) {
        int value = 0;
        for (; IsDigit(*at); ++at)
            value = value > (INT_MAX - (*at - '0')) / 10 ? INT_MAX : value * 10 + (*at - '0');
        numbers[count++] = value;
        if (*at != '.' && *at != '_' && *at != '+' && *at != '-')
            break;
        ++at;
    }
    // Up to Java 8 a version was "1.<feature>".
    if (count >= 2 && numbers[0] == 1) {
        std::memmove(numbers, numbers + 1, sizeof numbers[0] * (count - 1));
        --count;
    }
    return count;
}

}  // namespace

int VersionFeature(const char* version)
{
    int numbers[MAX_NUMBERS];
    return Numbers(version, numbers) > 0 ? numbers[0] : 0;
}

int CompareVersions(const char* a, const char* b)
{
    if (a[0] == '\0' || b[0] == '\0')
        return (a[0] != '\0') - (b[0] != '\0');
    int first[MAX_NUMBERS], second[MAX_NUMBERS];
    int countA = Numbers(a, first), countB = Numbers(b, second);
    int featureA = countA > 0 ? first[0] : 0, featureB = countB > 0 ? second[0] : 0;
    if (featureA != featureB)
        return featureA > featureB ? 1 : -1;
    // The registry names of old runtimes keep their old order.
    if (featureA <= 8)
        return IsNewerVersion(a, b) ? 1 : IsNewerVersion(b, a) ? -1 : 0;
    for (int i = 1; i < countA || i < countB; ++i) {
        int x = i < countA ? first[i] : 0, y = i < countB ? second[i] : 0;
        if (x != y)
            return x > y ? 1 : -1;
    }
    return 0;
}

int ParseRelease(const char* text, size_t size, ReleaseInfo& out)
{
    out = ReleaseInfo{};
    struct Wanted {
        const char* key;
        char* value;
        size_t room;
    } wanted[] = {{"JAVA_VERSION", out.version, sizeof out.version},
                  {"OS_ARCH", out.arch, sizeof out.arch},
                  {"IMPLEMENTOR", out.implementor, sizeof out.implementor}};
    size_t at = 0;
    while (at < size) {
        size_t end = at;
        while (end < size && text[end] != '\n' && text[end] != '\r')
            ++end;
        const char* line = text + at;
        size_t length = end - at;
        for (Wanted& w : wanted) {
            size_t keyLength = std::strlen(w.key);
            if (length <= keyLength || std::memcmp(line, w.key, keyLength) != 0 || line[keyLength] != '=')
                continue;
            const char* value = line + keyLength + 1;
            size_t valueLength = length - keyLength - 1;
            if (valueLength >= 2 && value[0] == '"' && value[valueLength - 1] == '"') {
                ++value;
                valueLength -= 2;
            }
            // A value that does not fit, or holds a NUL, tells nothing sure.
            if (valueLength < w.room && std::memchr(value, '\0', valueLength) == nullptr) {
                std::memcpy(w.value, value, valueLength);
                w.value[valueLength] = '\0';
            }
        }
        at = end + 1;
    }
    return out.version[0] != '\0';
}

int ArchBits(const char* arch)
{
    static const char* const BITS32[] = {"x86", "i386", "i486", "i586", "i686"};
    static const char* const BITS64[] = {"amd64", "x86_64", "x64", "aarch64", "arm64"};
    for (const char* name : BITS32)
        if (std::strcmp(arch, name) == 0)
            return 32;
    for (const char* name : BITS64)
        if (std::strcmp(arch, name) == 0)
            return 64;
    return 0;
}

int PeBits(const unsigned char* bytes, size_t size)
{
    auto word = [bytes](size_t at) { return static_cast<unsigned>(bytes[at] | bytes[at + 1] << 8); };
    if (size < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z')
        return 0;
    size_t pe = word(0x3C) | static_cast<size_t>(word(0x3E)) << 16;
    if (pe > size || size - pe < 6 || std::memcmp(bytes + pe, "PE\0\0", 4) != 0)
        return 0;
    switch (word(pe + 4)) {
    case 0x014C:
        return 32;
    case 0x8664:
    case 0xAA64:
        return 64;
    }
    return 0;
}

int ChooseRuntime(const Runtime* runtimes, size_t count, int pinnedIndex)
{
    if (pinnedIndex >= 0 && static_cast<size_t>(pinnedIndex) < count)
        return pinnedIndex;
    int best = -1;
    for (size_t i = 0; i < count; ++i) {
        if (best < 0) {
            best = static_cast<int>(i);
            continue;
        }
        int order = CompareVersions(runtimes[i].version, runtimes[best].version);
        if (order > 0 || (order == 0 && runtimes[i].bits > runtimes[best].bits))
            best = static_cast<int>(i);
    }
    return best;
}

void DescribeRuntime(char (&out)[RUNTIME_VERSION_SIZE + 16], const Runtime& runtime)
{
    if (runtime.bits != 0)
        std::snprintf(out, sizeof out, "%s (%d bits)", runtime.version, runtime.bits);
    else
        CopyText(out, runtime.version);
}
