// The printing call's texts and copy loop, with stand-ins for the system's
// comparison, file and device.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "rtflib/devtext.h"

namespace {

std::vector<signed char> Bytes(const std::string& text)
{
    return std::vector<signed char>(text.begin(), text.end());
}

int AsciiNoCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        int x = (*a >= 'a' && *a <= 'z') ? *a - 32 : *a;
        int y = (*b >= 'a' && *b <= 'z') ? *b - 32 : *b;
        if (x != y || x == 0)
            return x - y;
    }
}

}  // namespace

TEST(JavaText, CopiedBoundedAndUpperCased)
{
    // Exactly one buffer on the heap: a write past it is caught.
    std::unique_ptr<char[]> buffer(new char[TEXT_SIZE]);
    auto path = Bytes("C:\\Reportes\\ma\xF1" "ana.txt");
    ASSERT_EQ(CopyJavaText(buffer.get(), path.data(), static_cast<long>(path.size()), false), 1);
    EXPECT_STREQ(buffer.get(), "C:\\Reportes\\ma\xF1" "ana.txt");

    // Only a-z change: accented letters and other bytes stay as they are.
    auto printer = Bytes("lpt1: Epson \xF1\xE1 {x}");
    ASSERT_EQ(CopyJavaText(buffer.get(), printer.data(), static_cast<long>(printer.size()), true), 1);
    EXPECT_STREQ(buffer.get(), "LPT1: EPSON \xF1\xE1 {X}");

    std::string longest(TEXT_SIZE - 1, 'a');
    auto fits = Bytes(longest);
    ASSERT_EQ(CopyJavaText(buffer.get(), fits.data(), static_cast<long>(fits.size()), true), 1);
    EXPECT_EQ(std::string(buffer.get()), std::string(TEXT_SIZE - 1, 'A'));

    // One byte more is refused whole, never cut into a different name.
    auto tooLong = Bytes(longest + "b");
    EXPECT_EQ(CopyJavaText(buffer.get(), tooLong.data(), static_cast<long>(tooLong.size()), false), 0);
    EXPECT_STREQ(buffer.get(), "");
    auto huge = Bytes(std::string(100000, 'x'));
    EXPECT_EQ(CopyJavaText(buffer.get(), huge.data(), static_cast<long>(huge.size()), false), 0);

    // A client that terminates its text: the text ends at the zero, so 511
    // bytes and their zero fit.
    auto terminated = Bytes(longest);
    terminated.push_back(0);
    EXPECT_EQ(CopyJavaText(buffer.get(), terminated.data(), static_cast<long>(terminated.size()), false), 1);
    auto inner = Bytes(std::string("LPT1") + '\0' + "junk");
    ASSERT_EQ(CopyJavaText(buffer.get(), inner.data(), static_cast<long>(inner.size()), false), 1);
    EXPECT_STREQ(buffer.get(), "LPT1");

    EXPECT_EQ(CopyJavaText(buffer.get(), nullptr, 0, false), 1);
    EXPECT_STREQ(buffer.get(), "");
    EXPECT_EQ(CopyJavaText(buffer.get(), path.data(), -5, false), 1);
    EXPECT_STREQ(buffer.get(), "");
}

TEST(PrinterText, DefaultPrinterByItsFirstThreeLetters)
{
    for (const char* text : {"PRN", "prn", "Prn", "PRN:", "PRNX", "prn1"})
        EXPECT_EQ(IsDefaultPrinterText(text), 1) << text;
    for (const char* text : {"", "P", "PR", "PRT", "XPRN", " PRN", "LPT1"})
        EXPECT_EQ(IsDefaultPrinterText(text), 0) << text;
}

TEST(PrinterText, ContainsNoCase)
{
    EXPECT_EQ(ContainsNoCase("LPT1", "LPT1:", AsciiNoCase), 1);
    EXPECT_EQ(ContainsNoCase("MATRICIAL", "Epson Matricial FX", AsciiNoCase), 1);
    EXPECT_EQ(ContainsNoCase("FX", "Epson Matricial FX", AsciiNoCase), 1);  // at the very end
    EXPECT_EQ(ContainsNoCase("EPSON", "Epson", AsciiNoCase), 1);
    EXPECT_EQ(ContainsNoCase("EPSONS", "Epson", AsciiNoCase), 0);
    EXPECT_EQ(ContainsNoCase("LPT2", "LPT1:", AsciiNoCase), 0);
    EXPECT_EQ(ContainsNoCase("A", "", AsciiNoCase), 0);
    // The empty text is found everywhere, the empty text included.
    EXPECT_EQ(ContainsNoCase("", "", AsciiNoCase), 1);
    EXPECT_EQ(ContainsNoCase("", "LPT1:", AsciiNoCase), 1);

    // Each window compared is exactly as long as the text sought.
    static std::vector<std::string> windows;
    windows.clear();
    auto record = [](const char* a, const char* b) {
        windows.push_back(a);
        return AsciiNoCase(a, b);
    };
    EXPECT_EQ(ContainsNoCase("XY", "abcd", record), 0);
    EXPECT_EQ(windows, (std::vector<std::string>{"ab", "bc", "cd"}));

    std::string longest(TEXT_SIZE - 1, 'q');
    EXPECT_EQ(ContainsNoCase(longest.c_str(), ("<" + longest + ">").c_str(), AsciiNoCase), 1);
    std::string tooLong(TEXT_SIZE, 'q');
    EXPECT_EQ(ContainsNoCase(tooLong.c_str(), tooLong.c_str(), AsciiNoCase), 0);
}

TEST(PrinterText, DeviceOfPrinterRecord)
{
    char device[TEXT_SIZE];
    // Local printers: the port, whatever the printer is called.
    ASSERT_EQ(DeviceOfPrinter(device, sizeof device, nullptr, "Epson FX", "LPT1:"), 1);
    EXPECT_STREQ(device, "LPT1:");
    ASSERT_EQ(DeviceOfPrinter(device, sizeof device, "", "Epson FX", "LPT2:"), 1);
    EXPECT_STREQ(device, "LPT2:");
    EXPECT_EQ(DeviceOfPrinter(device, sizeof device, nullptr, "Epson FX", nullptr), 0);
    EXPECT_EQ(DeviceOfPrinter(device, sizeof device, nullptr, "Epson FX", ""), 0);

    // A network printer: a UNC name the system can open, never the server
    // and the printer run together.
    ASSERT_EQ(DeviceOfPrinter(device, sizeof device, "\\\\SERVIDOR", "Matricial", "LPT1:"), 1);
    EXPECT_STREQ(device, "\\\\SERVIDOR\\Matricial");
    ASSERT_EQ(DeviceOfPrinter(device, sizeof device, "\\\\SERVIDOR\\", "Matricial", "LPT1:"), 1);
    EXPECT_STREQ(device, "\\\\SERVIDOR\\Matricial");
    ASSERT_EQ(DeviceOfPrinter(device, sizeof device, "\\\\SERVIDOR", "\\\\SERVIDOR\\Matricial", "USB001"), 1);
    EXPECT_STREQ(device, "\\\\SERVIDOR\\Matricial");
    EXPECT_EQ(DeviceOfPrinter(device, sizeof device, "\\\\SERVIDOR", nullptr, "LPT1:"), 0);

    // Too long for the buffer: no device rather than a cut one.
    char small[16];
    EXPECT_EQ(DeviceOfPrinter(small, sizeof small, "\\\\SERVIDOR", "Matricial", "LPT1:"), 0);
    EXPECT_STREQ(small, "");
    ASSERT_EQ(DeviceOfPrinter(small, sizeof small, "\\\\SERVIDOR", "Oki1", "LPT1:"), 1);  // 15 characters
    EXPECT_STREQ(small, "\\\\SERVIDOR\\Oki1");
    EXPECT_EQ(DeviceOfPrinter(small, sizeof small, nullptr, "x", std::string(16, 'p').c_str()), 0);
}

TEST(PrinterText, ProfileEntryCutAtFirstComma)
{
    char entry[PROFILE_SIZE] = "Epson FX,EPSON9,LPT1:";
    CutAtComma(entry);
    EXPECT_STREQ(entry, "Epson FX");
    char none[PROFILE_SIZE] = ",,,";
    CutAtComma(none);
    EXPECT_STREQ(none, "");
    char plain[PROFILE_SIZE] = "Epson FX";
    CutAtComma(plain);
    EXPECT_STREQ(plain, "Epson FX");
}

namespace {

// A file of given bytes, read in the sizes asked (at most `most` at a
// time, as a share may), failing at one read; a device that takes
// everything until one write fails or falls short.
struct FakeTransfer {
    std::string file;
    size_t most = CHUNK_SIZE;
    size_t offset = 0;
    int reads = 0;
    int failRead = -1;   // index of the read that fails
    std::string device;
    std::vector<unsigned> writes;
    int failWrite = -1;  // index of the write that fails
    bool shortWrite = false;
};

int FakeRead(void* context, char* block, unsigned size, unsigned* got)
{
    auto* t = static_cast<FakeTransfer*>(context);
    if (t->reads++ == t->failRead) {
        *got = 0;
        return 0;
    }
    size_t n = std::min<size_t>({size, t->most, t->file.size() - t->offset});
    std::copy_n(t->file.data() + t->offset, n, block);
    t->offset += n;
    *got = static_cast<unsigned>(n);
    return 1;
}

void FakeConvert(void*, char* block, unsigned length)
{
    for (unsigned i = 0; i < length; ++i)
        if (block[i] == '\xF1')
            block[i] = '\xA4';  // ñ of 1252 into 437
}

int FakeWrite(void* context, const char* block, unsigned length)
{
    auto* t = static_cast<FakeTransfer*>(context);
    if (static_cast<int>(t->writes.size()) == t->failWrite) {
        t->writes.push_back(length);
        if (t->shortWrite)
            t->device.append(block, length / 2);
        return 0;
    }
    t->writes.push_back(length);
    t->device.append(block, length);
    return 1;
}

StreamResult Stream(FakeTransfer& t)
{
    std::unique_ptr<char[]> block(new char[CHUNK_SIZE]);
    ChunkIo io = {&t, FakeRead, FakeConvert, FakeWrite};
    return StreamChunks(io, block.get());
}

std::string Report(size_t size)
{
    std::string text;
    for (size_t i = 0; text.size() < size; ++i)
        text += "Se\xF1or cliente " + std::to_string(i) + "\r\n";
    text.resize(size);
    return text;
}

std::string Converted(std::string text)
{
    FakeConvert(nullptr, &text[0], static_cast<unsigned>(text.size()));
    return text;
}

}  // namespace

TEST(Chunks, WholeFileInBlocksConverted)
{
    struct Case {
        size_t size;
        int reads;
        std::vector<unsigned> writes;
        size_t most;
    };
    // Every copy ends on a read of 0 bytes, short reads before it included.
    const Case cases[] = {
        {0, 1, {}, CHUNK_SIZE},  // the empty file: one read, nothing written
        {1, 2, {1}, CHUNK_SIZE},
        {CHUNK_SIZE - 1, 2, {CHUNK_SIZE - 1}, CHUNK_SIZE},
        {CHUNK_SIZE, 2, {CHUNK_SIZE}, CHUNK_SIZE},
        {3 * CHUNK_SIZE, 4, {CHUNK_SIZE, CHUNK_SIZE, CHUNK_SIZE}, CHUNK_SIZE},
        {2 * CHUNK_SIZE + 7, 4, {CHUNK_SIZE, CHUNK_SIZE, 7}, CHUNK_SIZE},
        {CHUNK_SIZE + 7, 4, {CHUNK_SIZE / 2, CHUNK_SIZE / 2, 7}, CHUNK_SIZE / 2},
    };
    for (const Case& c : cases) {
        FakeTransfer t;
        t.file = Report(c.size);
        t.most = c.most;
        EXPECT_EQ(Stream(t), STREAM_DONE) << c.size;
        EXPECT_EQ(t.reads, c.reads) << c.size;
        EXPECT_EQ(t.writes, c.writes) << c.size;
        EXPECT_EQ(t.device, Converted(t.file)) << c.size;
    }
}

TEST(Chunks, ReadAndWriteFailuresReported)
{
    // A read failing after the first block: reported, not taken for the end.
    FakeTransfer t;
    t.file = Report(3 * CHUNK_SIZE);
    t.failRead = 1;
    EXPECT_EQ(Stream(t), STREAM_READ_FAILED);
    EXPECT_EQ(t.device, Converted(t.file.substr(0, CHUNK_SIZE)));

    FakeTransfer first;
    first.file = Report(100);
    first.failRead = 0;
    EXPECT_EQ(Stream(first), STREAM_READ_FAILED);
    EXPECT_TRUE(first.writes.empty());

    // A refused write stops the copy: nothing more is read.
    FakeTransfer refused;
    refused.file = Report(3 * CHUNK_SIZE);
    refused.failWrite = 1;
    EXPECT_EQ(Stream(refused), STREAM_WRITE_FAILED);
    EXPECT_EQ(refused.reads, 2);
    EXPECT_EQ(refused.writes.size(), 2u);

    FakeTransfer partial;
    partial.file = Report(500);
    partial.failWrite = 0;
    partial.shortWrite = true;
    EXPECT_EQ(Stream(partial), STREAM_WRITE_FAILED);
}

TEST(Chunks, TranslateBytesAsTheTableSays)
{
    // A 1252-to-437-like table: ASCII unchanged, everything else moved.
    unsigned char oem[256];
    for (int v = 0; v < 256; ++v)
        oem[v] = static_cast<unsigned char>(v < 128 ? v : 255 - (v - 128));
    // One that changes ASCII too must not take the ASCII shortcut.
    unsigned char shifted[256];
    for (int v = 0; v < 256; ++v)
        shifted[v] = static_cast<unsigned char>(v + 1);

    std::string all;
    for (int v = 0; v < 256; ++v)
        all += static_cast<char>(v);
    std::string text = Report(4000) + all + "plain ascii run of text" + all.substr(100, 50);
    for (unsigned start : {0u, 1u, 3u, 7u}) {
        for (unsigned length : {0u, 1u, 7u, 8u, 9u, 63u, static_cast<unsigned>(text.size() - start)}) {
            for (bool ascii : {true, false}) {
                const unsigned char* table = ascii ? oem : shifted;
                std::string block = text;
                TranslateBytes(&block[start], length, table, ascii);
                std::string expected = text;
                for (unsigned i = start; i < start + length; ++i)
                    expected[i] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
                EXPECT_TRUE(block == expected) << start << " " << length << " " << ascii;
            }
        }
    }
}
