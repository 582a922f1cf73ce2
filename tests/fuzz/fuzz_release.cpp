// A Java runtime's release file and its launcher's header: files of
// whatever runtime a workstation has, read by every installer.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/runtime.h"

#define CHECK(x) \
    if (!(x))    \
    std::abort()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReleaseInfo info;
    int got = ParseRelease(reinterpret_cast<const char*>(data), size, info);
    CHECK(strnlen(info.version, sizeof info.version) < sizeof info.version);
    CHECK(strnlen(info.arch, sizeof info.arch) < sizeof info.arch);
    CHECK(strnlen(info.implementor, sizeof info.implementor) < sizeof info.implementor);
    CHECK(got == (info.version[0] != '\0'));
    int bits = ArchBits(info.arch);
    CHECK(bits == 0 || bits == 32 || bits == 64);
    CHECK(VersionFeature(info.version) >= 0);
    CHECK(CompareVersions(info.version, info.version) == 0);
    CHECK(CompareVersions(info.version, "17.0.13") == -CompareVersions("17.0.13", info.version));
    bits = PeBits(data, size);
    CHECK(bits == 0 || bits == 32 || bits == 64);
    return 0;
}
