#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "caller.h"
#include "base/backdrop.h"
#include "base/paths.h"
#include "base/textbuf.h"

TEST(Paths, EntryDirectory)
{
    char out[PATH_SIZE];
    ASSERT_EQ(ComposeEntryDir(out, "C:\\Apps"), 1);
    EXPECT_STREQ(out, "C:\\Apps\\Terminal\\");
    ASSERT_EQ(ComposeEntryDir(out, "C:\\Apps\\"), 1);
    EXPECT_STREQ(out, "C:\\Apps\\Terminal\\");
    ASSERT_EQ(ComposeEntryDir(out, ""), 1);
    EXPECT_STREQ(out, "\\Terminal\\");

    // 249 characters + '\' + "Terminal\" + NUL is exactly one path buffer.
    std::string fits(249, 'a');
    ASSERT_EQ(ComposeEntryDir(out, fits.c_str()), 1);
    EXPECT_EQ(std::string(out), fits + "\\Terminal\\");
    std::string tooLong(250, 'a');
    EXPECT_EQ(ComposeEntryDir(out, tooLong.c_str()), 0);
    EXPECT_STREQ(out, "");
    std::string full(259, 'b');
    EXPECT_EQ(ComposeEntryDir(out, full.c_str()), 0);
}

TEST(Paths, EntryNames)
{
    char name[128];
    ASSERT_EQ(EntryNameFromFile(name, "Ventas.Norte.DAI"), 1);
    EXPECT_STREQ(name, "Ventas.Norte");
    ASSERT_EQ(EntryNameFromFile(name, "contab.dai"), 1);
    EXPECT_STREQ(name, "contab");
    EXPECT_EQ(EntryNameFromFile(name, "Ventas.DAIX"), 0);
    EXPECT_EQ(EntryNameFromFile(name, "Ventas.ICO"), 0);
    EXPECT_EQ(EntryNameFromFile(name, "Ventas"), 0);
    EXPECT_EQ(EntryNameFromFile(name, ".DAI"), 0);
    // Devices are no entries: opening one would open the device.
    for (const char* device : {"COM1.DAI", "con .x.DAI", "NUL.DAI", "lpt2 .DAI"})
        EXPECT_EQ(EntryNameFromFile(name, device), 0) << device;

    std::string longest(127, 'n');
    ASSERT_EQ(EntryNameFromFile(name, (longest + ".DAI").c_str()), 1);
    EXPECT_EQ(std::string(name), longest);
    EXPECT_EQ(EntryNameFromFile(name, (longest + "n.DAI").c_str()), 0);
}

TEST(Paths, EntryNamesThatCanBeFileNames)
{
    const char* dir = "C:\\VONDRA\\Terminal\\";
    for (const char* good : {"Contabilidad", "Ventas.Norte", "N\xF3mina", "Punto de venta", "CONTA", "COM0", "LPT", "COM\xBC",
                             "Consola", "a.b.c", ".oculto"})
        EXPECT_EQ(EntryNameUsable(good, dir), 1) << good;
    for (const char* bad : {"", "..\\Terminal\\Evil", "a/b", "C:x", "a*", "a?", "a\"b", "a<b", "a>b", "a|b",
                            "tab\there", "CON", "con", "PRN", "AUX", "NUL", "nul.txt", "COM1", "com9", "LPT1",
                            "Lpt3.DAI", "final.", "final ", ".", "CON .x", "com1 .txt", "COM\xB9", "lpt\xB2.x",
                            "COM\xB3 ", "DirInst", "brenko"})
        EXPECT_EQ(EntryNameUsable(bad, dir), 0) << bad;
    // dir + name + ".DAI" must fit a path buffer, its NUL included.
    std::string longest(PATH_SIZE - std::strlen(dir) - 5, 'n');
    EXPECT_EQ(EntryNameUsable(longest.c_str(), dir), 1);
    EXPECT_EQ(EntryNameUsable((longest + "n").c_str(), dir), 0);
}

TEST(Paths, SameFileNameFoldsOneCharacterForOne)
{
    // Four pairs naming one file, then four naming two, each tried both ways round.
    const char* const PAIRS[][2] = {{"Alfa", "ALFA"}, {"n\xF3mina \xE9", "N\xD3MINA \xC9"},
                                    {"\xFF\x9A\x9C\x9E\xDF", "\x9F\x8A\x8C\x8E\xDF"}, {"", ""},
                                    {"Stra\xDF" "e", "Strasse"}, {"Al\xAD" "fa", "Alfa"}, {"\xF7", "\xD7"}, {"Alfa", "Alf"}};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(SameFileName(PAIRS[i][0], PAIRS[i][1]) + SameFileName(PAIRS[i][1], PAIRS[i][0]), i < 4 ? 2 : 0) << i;
}

TEST(Paths, BoundedText)
{
    char small[6];
    EXPECT_EQ(CopyText(small, "abcde"), 1);
    EXPECT_STREQ(small, "abcde");
    EXPECT_EQ(CopyText(small, "abcdefgh"), 0);
    EXPECT_STREQ(small, "abcde");

    EXPECT_EQ(ComposeText(small, "ab", "cd", "e"), 1);
    EXPECT_STREQ(small, "abcde");
    EXPECT_EQ(ComposeText(small, "ab", "cd", "ef"), 0);
    EXPECT_STREQ(small, "");

    char dir[4] = "";
    EXPECT_EQ(AddBackslash(dir), 1);
    EXPECT_STREQ(dir, "\\");
    EXPECT_EQ(AddBackslash(dir), 1);
    EXPECT_STREQ(dir, "\\");
    char drive[4] = "C:";
    EXPECT_EQ(AddBackslash(drive), 1);
    EXPECT_STREQ(drive, "C:\\");
    char noRoom[4] = "abc";
    EXPECT_EQ(AddBackslash(noRoom), 0);
    EXPECT_STREQ(noRoom, "abc");
    char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(AddBackslash(unterminated), 0);
}

namespace {

// Every pixel of every row covered exactly once, from valid tile columns.
void ExpectCovered(int width, int height, Caller caller = {})
{
    SCOPED_CALLER(caller);
    std::vector<std::vector<int>> hits((height + TILE_HEIGHT - 1) / TILE_HEIGHT, std::vector<int>(width + TILE_WIDTH, 0));
    ForEachTile(width, height, [&](const TileBlit& b) {
        ASSERT_EQ(b.y % TILE_HEIGHT, 0);
        ASSERT_GT(b.width, 0);
        ASSERT_GE(b.srcX, 0);
        ASSERT_LE(b.srcX + b.width, TILE_WIDTH);
        ASSERT_LT(b.x, width);
        for (int x = b.x; x < b.x + b.width; ++x)
            ++hits[b.y / TILE_HEIGHT][x];
    });
    for (size_t row = 0; row < hits.size(); ++row)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(hits[row][x], 1) << "row " << row << " x " << x;
}

}  // namespace

TEST(Backdrop, TilesShiftTwentyPixelsPerRow)
{
    std::vector<TileBlit> blits;
    ForEachTile(130, 40, [&](const TileBlit& b) { blits.push_back(b); });
    const std::vector<std::vector<int>> expected = {
        {0, 0, 0, 62}, {62, 0, 0, 62}, {124, 0, 0, 62},
        {0, 18, 20, 42}, {42, 18, 0, 62}, {104, 18, 0, 62},
        {0, 36, 40, 22}, {22, 36, 0, 62}, {84, 36, 0, 62},
    };
    ASSERT_EQ(blits.size(), expected.size());
    for (size_t i = 0; i < blits.size(); ++i)
        EXPECT_EQ((std::vector<int>{blits[i].x, blits[i].y, blits[i].srcX, blits[i].width}), expected[i]) << i;

    // Row starts: 62, 42, 22, 2, then wrapped to 44.
    std::vector<int> starts;
    ForEachTile(1, 18 * 32, [&](const TileBlit& b) {
        if (b.x == 0)
            starts.push_back(b.srcX == 0 ? TILE_WIDTH : TILE_WIDTH - b.srcX);
    });
    ASSERT_GE(starts.size(), 5u);
    EXPECT_EQ((std::vector<int>{starts[0], starts[1], starts[2], starts[3], starts[4]}), (std::vector<int>{62, 42, 22, 2, 44}));

    for (int w : {1, 61, 62, 63, 471, 640})
        for (int h : {1, 18, 19, 327, 18 * 40})
            ExpectCovered(w, h);
    ForEachTile(0, 0, [](const TileBlit&) { FAIL() << "nothing to paint"; });
}

TEST(Backdrop, BannerCentredTruncatingTowardZero)
{
    EXPECT_EQ(BannerLeft(471), 39);
    EXPECT_EQ(BannerLeft(472), 39);
    EXPECT_EQ(BannerLeft(393), 0);
    EXPECT_EQ(BannerLeft(300), -46);
}

TEST(Paths, FullDirectories)
{
    for (const char* full : {"C:\\Users\\ana\\Desktop", "z:\\", "\\\\servidor\\escritorios\\ana"})
        EXPECT_EQ(IsFullDirectory(full), 1) << full;
    for (const char* other : {"", "Desktop", "\\Desktop", "C:Desktop", "%USERPROFILE%\\Desktop", "C:\\%x%", "\\\\",
                              "\\\\\\x", "1:\\x"})
        EXPECT_EQ(IsFullDirectory(other), 0) << other;
}
