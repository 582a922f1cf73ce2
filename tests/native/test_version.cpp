#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "caller.h"
#include "base/runtime.h"
#include "base/textbuf.h"
#include "base/version.h"

namespace {

std::vector<int> Components(const char* text, Caller caller = {})
{
    SCOPED_CALLER(caller);
    std::vector<int> out;
    int position = 0;
    while (text[position] != '\0') {
        int before = position;
        out.push_back(NextVersionNumber(text, &position));
        EXPECT_GT(position, before);
    }
    EXPECT_EQ(NextVersionNumber(text, &position), 0);
    return out;
}

}  // namespace

TEST(Version, Components)
{
    EXPECT_EQ(Components("1.6.0_45"), (std::vector<int>{1, 6, 0, 45}));
    EXPECT_EQ(Components("1.8"), (std::vector<int>{1, 8}));
    EXPECT_EQ(Components("10a.2b_x"), (std::vector<int>{10, 2, 0}));
    EXPECT_EQ(Components("..7"), (std::vector<int>{0, 7}));
    EXPECT_EQ(Components("_"), (std::vector<int>{0}));
    EXPECT_EQ(Components("99999999999999999999.1"), (std::vector<int>{INT_MAX, 1}));
    EXPECT_EQ(Components(""), (std::vector<int>{}));
}

TEST(Version, Comparison)
{
    // IsNewerVersion keeps the old names' rule (a zero component ends the
    // comparison), and CompareVersions keeps it up to Java 8; later versions
    // go number by number.
    struct {
        const char *a, *b;
        int newer, order;
    } const ROWS[] = {
        {"1.6", "", 1, 1},         {"", "", 1, 0},          {"1.7", "1.6", 1, 1},          {"1.6", "1.7", 0, -1},
        {"1.10", "1.9", 1, 1},     {"1.6.0", "1.5.1", 1, 1}, {"1.6.1", "1.6", 1, 1},       {"1.6.0_45", "1.6", 0, 0},
        {"1.7.0_80", "1.7", 0, 0}, {"1.6", "1.6", 0, 0},     {"Java", "1.6", 0, -1},       {"2", "1.99.99", 1, -1},
        {"1.8.0.212", "1.8.0_212", 0, 0}, {"17.0.13", "17.0.2", 0, 1}, {"17.0.13", "17.0.13.11", 0, -1},
        {"11", "1.8.0_212", 1, 1}, {"25", "21.0.5", 1, 1},   {"17", "17.0", 0, 0},
    };
    for (const auto& r : ROWS) {
        EXPECT_EQ(IsNewerVersion(r.a, r.b), r.newer) << r.a << " / " << r.b;
        EXPECT_EQ(CompareVersions(r.a, r.b), r.order) << r.a << " / " << r.b;
        EXPECT_EQ(CompareVersions(r.b, r.a), -r.order) << r.b << " / " << r.a;
    }
    const std::pair<const char*, int> FEATURES[] = {
        {"1.8.0_212", 8}, {"1.8.0.212", 8}, {"1.8", 8},   {"1.6.0_45", 6}, {"17.0.13.11", 17}, {"17", 17},
        {"9.0.4", 9},     {"jdk-17.0.2+8", 17}, {"zulu-11", 11}, {"21.0.5+11", 21}, {"", 0}, {"Java", 0}};
    for (const auto& f : FEATURES)
        EXPECT_EQ(VersionFeature(f.first), f.second) << f.first;
}

TEST(Runtime, ReleaseFilesHeadersAndTheChoice)
{
    const char RELEASE[] = "IMPLEMENTOR=\"Eclipse Adoptium\"\r\nJAVA_RUNTIME_VERSION=\"17.0.13+11\"\r\n"
                           "JAVA_VERSION=\"17.0.13\"\r\nOS_ARCH=\"amd64\"\nOS_NAME=\"Windows\"";
    ReleaseInfo info;
    ASSERT_EQ(ParseRelease(RELEASE, sizeof RELEASE - 1, info), 1);
    EXPECT_EQ(std::string(info.version) + "|" + info.arch + "|" + info.implementor, "17.0.13|amd64|Eclipse Adoptium");
    // Unquoted and cut at the given size; without the key; a value too long.
    EXPECT_EQ(ParseRelease("JAVA_VERSION=1.8.0_202\nOS_ARCH=i586", 34, info), 1);
    EXPECT_EQ(std::string(info.version) + "|" + info.arch, "1.8.0_202|i58");
    EXPECT_EQ(ParseRelease("JAVA_VERSION=\"17\"", 10, info), 0);
    std::string longValue = "JAVA_VERSION=\"" + std::string(RUNTIME_VERSION_SIZE, '9') + "\"";
    EXPECT_EQ(ParseRelease(longValue.data(), longValue.size(), info), 0);
    EXPECT_EQ(ArchBits("i586"), 32);  // 32-bit Java 8's own word

    // MZ, e_lfanew at 0x3C, "PE\0\0" and the machine; cut, or pointing away.
    unsigned char pe[0x90] = {'M', 'Z'};
    pe[0x3C] = 0x80;
    std::memcpy(pe + 0x80, "PE\0\0\x4C\x01", 6);
    EXPECT_EQ(PeBits(pe, sizeof pe), 32);
    pe[0x84] = 0x64, pe[0x85] = 0x86;
    EXPECT_EQ(PeBits(pe, sizeof pe), 64);
    EXPECT_EQ(PeBits(pe, 0x85), 0);
    pe[0x3C] = 0xFF, pe[0x3F] = 0x7F;
    EXPECT_EQ(PeBits(pe, sizeof pe), 0);

    auto make = [](const char* version, int bits) {
        Runtime r{};
        CopyText(r.version, version);
        r.feature = VersionFeature(version);
        r.bits = bits;
        return r;
    };
    // Newest; 64 bits first at an equal version; a pin wins; the old names
    // pick what they always picked.
    const Runtime found[] = {make("1.8.0_202", 32), make("17.0.13", 32), make("17.0.13", 64), make("11.0.25", 64)};
    EXPECT_EQ(ChooseRuntime(found, 4, -1), 2);
    EXPECT_EQ(ChooseRuntime(found, 4, 3), 3);
    EXPECT_EQ(ChooseRuntime(found, 0, -1), -1);
    const Runtime old[] = {make("1.6", 32), make("1.6.0_31", 32), make("1.8", 32), make("1.8.0_201", 32)};
    EXPECT_EQ(ChooseRuntime(old, 4, -1), 2);
}
