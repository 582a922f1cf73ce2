// Printer list and icon loading and writing in this process, against the
// prefix's registry and files. The dialogs here end without being seen; the
// tests that drive the visible dialogs are in test_select_gui.cpp.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "caller.h"
#include "fixtures.h"
#include "base/base.h"
#include "params/icons.h"
#include "params/printers.h"
#include "selectfix.h"

using selectfix::AddPrinter;
using selectfix::ReadBytes;

namespace {

std::vector<std::string> ListedPrinters()
{
    HWND list = CreateWindowA("LISTBOX", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("left over"));
    FillPrinterList(list);
    std::vector<std::string> lines;
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::vector<char> text(SendMessageA(list, LB_GETTEXTLEN, i, 0) + 1);
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        lines.push_back(text.data());
    }
    DestroyWindow(list);
    return lines;
}

class PrinterList : public ::testing::Test {
protected:
    void SetUp() override { selectfix::ClearPrinters(); }
    void TearDown() override
    {
        selectfix::RestorePrintersKey();
        selectfix::ClearPrinters();
    }
};

}  // namespace

TEST_F(PrinterList, DefaultFirstThenEachPrinterWithItsNameAndPort)
{
    EXPECT_EQ(ListedPrinters(), std::vector<std::string>{"Predeterminada"});

    AddPrinter("Epson Stylus C60", "Epson Stylus C60", "LPT1:");
    AddPrinter("HP", "HP LaserJet 4", "\\\\servidor\\hp");  // the Name value wins over the key's name
    AddPrinter("Sin nombre", nullptr, "COM2:");
    AddPrinter("Sin puerto", "Sin puerto", nullptr);       // the name stands in for the port
    AddPrinter("Vacia", "Vacia", "");
    AddPrinter("Numero", nullptr, nullptr);
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(selectfix::PRINTERS_KEY) + "\\Numero").c_str(), 0,
                            KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    DWORD number = 7;
    RegSetValueExA(key, "Name", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number);  // no text
    RegCloseKey(key);
    fixture::SetText(HKEY_LOCAL_MACHINE, std::string(selectfix::PRINTERS_KEY) + "\\Numero", "Port", "USB001",
                     false);  // stored without its NUL

    EXPECT_EQ(ListedPrinters(), (std::vector<std::string>{
                                    "Predeterminada",
                                    "Epson Stylus C60 (Puerto: LPT1:)",
                                    "HP LaserJet 4 (Puerto: \\\\servidor\\hp)",
                                    "Numero (Puerto: USB001)",
                                    "Sin nombre (Puerto: COM2:)",
                                    "Sin puerto (Puerto: Sin puerto)",
                                    "Vacia (Puerto: )",
                                }));
}

TEST_F(PrinterList, LongValuesAndAMissingKey)
{
    // Values that fill the 1024-character buffers are taken whole; a longer
    // name can't be read, and the key's own name stands in for it.
    std::string name(1023, 'n');
    std::string port(1023, 'p');
    AddPrinter("A", name.c_str(), port.c_str());
    AddPrinter("B", std::string(1024, 'x').c_str(), "LPT2:");
    std::vector<std::string> lines = ListedPrinters();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], name + " (Puerto: " + port + ")");
    EXPECT_EQ(lines[2], "B (Puerto: LPT2:)");

    selectfix::RemovePrintersKey();
    EXPECT_EQ(ListedPrinters(), std::vector<std::string>{"Predeterminada"});
}

namespace {

const std::string ICONS = ICONS_DIR;  // the committed icon files, through Z:

class Icons : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override
    {
        ReleaseIcon();
        dir = fixture::NewDirectory("icons");
        ASSERT_FALSE(dir.empty());
    }
    void TearDown() override { ReleaseIcon(); }

    std::string Copy(const std::string& from, const char* name, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        EXPECT_TRUE(CopyFileA(from.c_str(), (dir + name).c_str(), FALSE));
        return dir + name;
    }
    std::string Write(const char* name, const std::vector<uint8_t>& bytes, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        fixture::WriteBytes(dir + name, bytes.data(), bytes.size());
        return dir + name;
    }
    // A copy of a program without resources, given one icon group (1) and
    // icon images by id.
    std::string ProgramWithGroup(const char* name, const std::vector<uint8_t>& group,
                                 const std::vector<std::pair<WORD, std::vector<uint8_t>>>& images)
    {
        std::string path = Copy(PLAIN_EXE, name);
        HANDLE update = BeginUpdateResourceA(path.c_str(), TRUE);
        EXPECT_NE(update, nullptr);
        UpdateResourceA(update, RT_GROUP_ICON, MAKEINTRESOURCEA(1), 0, const_cast<uint8_t*>(group.data()),
                        static_cast<DWORD>(group.size()));
        for (const auto& image : images)
            UpdateResourceA(update, RT_ICON, MAKEINTRESOURCEA(image.first), 0,
                            const_cast<uint8_t*>(image.second.data()), static_cast<DWORD>(image.second.size()));
        EXPECT_TRUE(EndUpdateResourceA(update, FALSE));
        return path;
    }
    void ExpectNoIcon(Caller caller = {})
    {
        SCOPED_CALLER(caller);
        EXPECT_TRUE(currentIcon.images.empty());
        int width = 0, height = 0;
        EXPECT_EQ(CurrentIconHandle(&width, &height), nullptr);
    }
};

std::vector<uint8_t> GroupOf(const std::vector<WORD>& ids, WORD count)
{
    std::vector<uint8_t> group(6 + 14 * ids.size(), 0);
    group[2] = 1;
    group[4] = static_cast<uint8_t>(count);
    for (size_t i = 0; i < ids.size(); ++i) {
        group[6 + 14 * i + 12] = static_cast<uint8_t>(ids[i]);
        group[6 + 14 * i + 13] = static_cast<uint8_t>(ids[i] >> 8);
    }
    return group;
}

uint32_t Dword(const std::vector<uint8_t>& bytes, size_t at)
{
    uint32_t value;
    std::memcpy(&value, &bytes[at], 4);
    return value;
}

}  // namespace

TEST_F(Icons, IconFileIsReadWrittenBackAndDrawable)
{
    std::string source = Copy(ICONS + "\\alfa.ico", "alfa.ico");
    ASSERT_EQ(LoadCurrentIcon(source.c_str()), 1);
    EXPECT_STREQ(currentIcon.iconFile, source.c_str());
    EXPECT_STREQ(currentIcon.libraryFile, "");
    ASSERT_EQ(currentIcon.images.size(), 2u);
    EXPECT_EQ(currentIcon.images[0].width, 16u);
    EXPECT_EQ(currentIcon.images[0].depth, 4u);
    EXPECT_EQ(currentIcon.images[1].width, 32u);
    EXPECT_EQ(currentIcon.images[1].depth, 32u);

    int width = 0, height = 0;
    HICON icon = CurrentIconHandle(&width, &height);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 16);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);

    // Written back: the source's layout with each size-of-image field 0.
    std::vector<uint8_t> original = ReadBytes(source);
    std::vector<uint8_t> expected = original;
    for (size_t i = 0; i < 2; ++i) {
        uint32_t offset = Dword(original, 6 + 16 * i + 12);
        std::memset(&expected[offset + 20], 0, 4);
    }
    std::vector<uint8_t> kept = currentIcon.images[1].bytes;
    std::string written = dir + "written.ico";
    ASSERT_EQ(WriteIconFile(written.c_str()), 1);
    EXPECT_EQ(ReadBytes(written), expected);
    EXPECT_EQ(currentIcon.images[1].bytes, kept);

    // Writing over a file replaces it whole and leaves nothing beside it.
    fixture::WriteBytes(written, "old", 3);
    ASSERT_EQ(WriteIconFile(written.c_str()), 1);
    EXPECT_EQ(ReadBytes(written), expected);
    EXPECT_EQ(fixture::Listing(dir), (std::vector<std::string>{"alfa.ico", "written.ico"}));

    ReleaseIcon();
    ExpectNoIcon();
}

TEST_F(Icons, BadFilesLeaveNoCurrentIcon)
{
    std::vector<uint8_t> good = ReadBytes(ICONS + "\\alfa.ico");
    ASSERT_GT(good.size(), 100u);
    std::vector<uint8_t> cursor = good;
    cursor[2] = 2;
    std::vector<uint8_t> outside = good;
    outside[6 + 12] = 0xF0;  // the first image's offset past the end
    outside[6 + 15] = 0x7F;
    std::vector<uint8_t> huge = good;
    std::memset(&huge[6 + 16 + 8], 0xFF, 4);  // a size of 4 GB
    std::vector<uint8_t> counted = good;
    counted[4] = 9;  // more images than the file holds
    std::vector<std::string> bad = {
        Write("cursor.cur", cursor),
        Write("cut.ico", std::vector<uint8_t>(good.begin(), good.end() - 10)),
        Write("outside.ico", outside),
        Write("huge.ico", huge),
        Write("counted.ico", counted),
        Write("empty.ico", {}),
        dir + "missing.ico",
        dir,  // a directory
    };
    std::string source = Copy(ICONS + "\\siete.ico", "siete.ico");
    for (const std::string& path : bad) {
        SCOPED_TRACE(path);
        ASSERT_EQ(LoadCurrentIcon(source.c_str()), 1);
        EXPECT_EQ(LoadCurrentIcon(path.c_str()), 0);
        ExpectNoIcon();
    }

    // A file held open without sharing can't be read either way.
    HANDLE held = CreateFileA(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(LoadCurrentIcon(source.c_str()), 0);
    CloseHandle(held);
    EXPECT_EQ(LoadCurrentIcon(source.c_str()), 1);
}

TEST_F(Icons, ProgramsWithOneGroupAreTakenWithoutThePicker)
{
    // Our own 32-bit terminal installer: its one group holds the program icon.
    ASSERT_EQ(LoadCurrentIcon(DALVO_EXE), 1);
    EXPECT_STREQ(currentIcon.libraryFile, DALVO_EXE);
    EXPECT_STREQ(currentIcon.iconFile, "");
    std::vector<IconImage> expected;
    std::vector<uint8_t> ico = ReadBytes(DALVO_ICO);
    ASSERT_EQ(ReadIconBytes(ico.data(), ico.size(), expected), 1);
    ASSERT_EQ(currentIcon.images.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(currentIcon.images[i].bytes, expected[i].bytes) << i;

    // A program of the prefix.
    ASSERT_EQ(LoadCurrentIcon("C:\\windows\\system32\\notepad.exe"), 1);
    EXPECT_GE(currentIcon.images.size(), 1u);
    for (const IconImage& image : currentIcon.images)
        EXPECT_EQ(image.width, image.height);
    int width = 0, height = 0;
    HICON icon = CurrentIconHandle(&width, &height);
    EXPECT_NE(icon, nullptr);
    DestroyIcon(icon);
}

TEST_F(Icons, BrokenGroupsAndProgramsWithoutIconsGiveNone)
{
    std::vector<uint8_t> image = ReadBytes(ICONS + "\\siete.ico");
    uint32_t offset = Dword(image, 6 + 12);
    std::vector<uint8_t> bitmap(image.begin() + offset, image.begin() + offset + Dword(image, 6 + 8));

    std::string good = ProgramWithGroup("good.exe", GroupOf({5}, 1), {{5, bitmap}});
    ASSERT_EQ(LoadCurrentIcon(good.c_str()), 1);
    ASSERT_EQ(currentIcon.images.size(), 1u);
    EXPECT_EQ(currentIcon.images[0].bytes, bitmap);

    std::string missing = ProgramWithGroup("missing.exe", GroupOf({5, 999}, 2), {{5, bitmap}});
    std::string shortGroup = ProgramWithGroup("short.exe", GroupOf({5}, 2), {{5, bitmap}});
    std::string junk = ProgramWithGroup("junk.exe", GroupOf({5}, 1), {{5, std::vector<uint8_t>(60, 0x7F)}});
    std::string cursorGroup = ProgramWithGroup("cursor.exe", [&] {
        std::vector<uint8_t> group = GroupOf({5}, 1);
        group[2] = 2;
        return group;
    }(), {{5, bitmap}});
    for (const std::string& path : {missing, shortGroup, junk, cursorGroup, std::string(PLAIN_EXE)}) {
        SCOPED_TRACE(path);
        ASSERT_EQ(LoadCurrentIcon(good.c_str()), 1);
        EXPECT_EQ(LoadCurrentIcon(path.c_str()), 0);
        ExpectNoIcon();
    }
}

TEST_F(Icons, FailedWritesCreateNothingAndKeepWhatWasThere)
{
    std::string target = dir + "entry.ico";
    EXPECT_EQ(WriteIconFile(target.c_str()), 0);  // no current icon
    EXPECT_EQ(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);

    ASSERT_EQ(LoadCurrentIcon((ICONS + "\\alfa.ico").c_str()), 1);
    EXPECT_EQ(WriteIconFile((dir + "no such dir\\entry.ico").c_str()), 0);
    EXPECT_EQ(WriteIconFile(dir.c_str()), 0);  // a directory is no file

    // A target held open by another can't be replaced: it keeps its bytes and
    // no temporary file stays. (A read-only file can't be tried here: Wine
    // lets root write it.)
    fixture::WriteBytes(target, "old icon", 8);
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WriteIconFile(target.c_str()), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(target), (std::vector<uint8_t>{'o', 'l', 'd', ' ', 'i', 'c', 'o', 'n'}));
    EXPECT_EQ(fixture::Listing(dir), std::vector<std::string>{"entry.ico"});

    ASSERT_EQ(WriteIconFile(target.c_str()), 1);
    std::vector<IconImage> images;
    std::vector<uint8_t> written = ReadBytes(target);
    ASSERT_EQ(ReadIconBytes(written.data(), written.size(), images), 1);
    EXPECT_EQ(images.size(), 2u);
}

TEST_F(Icons, PngImagesAreKeptAndDrawn)
{
    ASSERT_EQ(LoadCurrentIcon((ICONS + "\\zeta.ico").c_str()), 1);
    ASSERT_EQ(currentIcon.images.size(), 2u);
    EXPECT_TRUE(currentIcon.images[0].png);
    EXPECT_EQ(currentIcon.images[0].width, 256u);
    EXPECT_FALSE(currentIcon.images[1].png);
    int width = 0, height = 0;
    HICON icon = CurrentIconHandle(&width, &height);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(width, 256);
    EXPECT_EQ(height, 256);
    DestroyIcon(icon);

    // The PNG stream goes out byte for byte; the directory says 0 for 256.
    std::string written = dir + "zeta.ico";
    ASSERT_EQ(WriteIconFile(written.c_str()), 1);
    std::vector<uint8_t> bytes = ReadBytes(written);
    ASSERT_GT(bytes.size(), 38u);
    EXPECT_EQ(bytes[6], 0);
    EXPECT_EQ(bytes[7], 0);
    const std::vector<uint8_t>& png = currentIcon.images[0].bytes;
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 38, bytes.begin() + 38 + png.size()), png);
}
