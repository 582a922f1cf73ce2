// The directory browser's navigation steps and the levels of a new path.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "installcore/dirpath.h"

namespace {

std::string Up(const char* start)
{
    char path[PATH_SIZE];
    std::strcpy(path, start);
    ParentPath(path);
    return path;
}

void Collect(const char* level, void* context)
{
    static_cast<std::vector<std::string>*>(context)->push_back(level);
}

std::vector<std::string> Levels(const char* path, int expected = 1)
{
    std::vector<std::string> levels;
    EXPECT_EQ(ForEachPathLevel(path, Collect, &levels), expected) << path;
    return levels;
}

}  // namespace

TEST(DirPath, GoingUp)
{
    EXPECT_EQ(Up("C:\\A\\B"), "C:\\A\\");
    EXPECT_EQ(Up("C:\\A\\B\\"), "C:\\A\\");
    EXPECT_EQ(Up("C:\\A"), "C:\\");
    EXPECT_EQ(Up("C:\\A\\"), "C:\\");
    EXPECT_EQ(Up("C:\\VONDRA\\Java"), "C:\\VONDRA\\");
    // At a root or without any '\' there is nowhere to go.
    EXPECT_EQ(Up("C:\\"), "C:\\");
    EXPECT_EQ(Up("VONDRA"), "VONDRA");
    EXPECT_EQ(Up("C:"), "C:");
    EXPECT_EQ(Up(""), "");

    EXPECT_FALSE(HasParent("C:\\"));
    EXPECT_FALSE(HasParent("D:"));
    EXPECT_TRUE(HasParent("C:\\A"));
    EXPECT_EQ(std::strlen(PARENT_ITEM), 10u);
    EXPECT_EQ(std::string(PARENT_ITEM).find_first_not_of(' '), std::string::npos);
}

TEST(DirPath, GoingDownAndPatterns)
{
    char path[PATH_SIZE] = "C:\\";
    ASSERT_EQ(ChildPath(path, "VONDRA"), 1);
    EXPECT_STREQ(path, "C:\\VONDRA");
    ASSERT_EQ(ChildPath(path, "Java"), 1);
    EXPECT_STREQ(path, "C:\\VONDRA\\Java");

    char pattern[PATH_SIZE];
    ASSERT_EQ(SearchPattern(pattern, path), 1);
    EXPECT_STREQ(pattern, "C:\\VONDRA\\Java\\*.*");
    ASSERT_EQ(SearchPattern(pattern, "D:\\"), 1);
    EXPECT_STREQ(pattern, "D:\\*.*");

    // A path at the buffer's end stays as it is rather than being cut.
    std::string deep = "C:\\" + std::string(250, 'a');
    std::strcpy(path, deep.c_str());
    EXPECT_EQ(ChildPath(path, "bcdef"), 1);  // 253 + 1 + 5 = 259 characters
    EXPECT_EQ(std::strlen(path), 259u);
    EXPECT_EQ(ChildPath(path, "x"), 0);
    EXPECT_EQ(std::strlen(path), 259u);
    EXPECT_EQ(SearchPattern(pattern, path), 0);
    EXPECT_STREQ(pattern, "");
}

TEST(DirPath, ListedEntries)
{
    const uint32_t DIRECTORY = 0x10, HIDDEN = 0x02, ARCHIVE = 0x20, READONLY = 0x01;
    EXPECT_TRUE(IsListedDirectory("Java", DIRECTORY));
    EXPECT_TRUE(IsListedDirectory("Java", DIRECTORY | ARCHIVE | READONLY));
    EXPECT_FALSE(IsListedDirectory("Java", DIRECTORY | HIDDEN));
    EXPECT_FALSE(IsListedDirectory("VONDRA.JAR", ARCHIVE));
    EXPECT_FALSE(IsListedDirectory(".", DIRECTORY));
    EXPECT_FALSE(IsListedDirectory("..", DIRECTORY));
    EXPECT_FALSE(IsListedDirectory(".config", DIRECTORY));

    EXPECT_TRUE(IsBlankPath(""));
    EXPECT_TRUE(IsBlankPath("   "));
    EXPECT_FALSE(IsBlankPath(" C:\\"));
}

TEST(DirPath, DriveKindsAndBitmaps)
{
    // GetDriveType: 0 unknown, 1 no root, 2 removable, 3 fixed, 4 remote, 5 CD-ROM, 6 RAM disk.
    const int kinds[] = {0, 0, 11, 15, 12, 13, 14, 0};
    for (unsigned type = 0; type < 8; ++type)
        EXPECT_EQ(DriveKind(type), kinds[type]) << type;
    EXPECT_EQ(KindBitmap(KIND_REMOVABLE), 1080);
    EXPECT_EQ(KindBitmap(KIND_NETWORK), 1084);
    EXPECT_EQ(KindBitmap(KIND_CDROM), 1081);
    EXPECT_EQ(KindBitmap(KIND_RAMDISK), 1083);
    EXPECT_EQ(KindBitmap(KIND_FIXED), 1082);
    EXPECT_EQ(KindBitmap(KIND_DIRECTORY), 1085);
    EXPECT_EQ(KindBitmap(KIND_PARENT), 1086);
    EXPECT_EQ(KindBitmap(KIND_NONE), 1070);
}

TEST(DirPath, LevelsToCreate)
{
    EXPECT_EQ(Levels("C:\\New\\Sub"), (std::vector<std::string>{"C:\\New", "C:\\New\\Sub"}));
    EXPECT_EQ(Levels("C:\\New\\Sub\\"), (std::vector<std::string>{"C:\\New", "C:\\New\\Sub"}));
    EXPECT_EQ(Levels("C:\\VONDRA\\Java"), (std::vector<std::string>{"C:\\VONDRA", "C:\\VONDRA\\Java"}));
    // The root is never created; a path without '\' creates nothing.
    EXPECT_TRUE(Levels("C:\\").empty());
    EXPECT_TRUE(Levels("VONDRA").empty());
    EXPECT_TRUE(Levels("", 0).empty());
    // A doubled separator adds no empty level.
    EXPECT_EQ(Levels("C:\\A\\\\B"), (std::vector<std::string>{"C:\\A", "C:\\A\\\\B"}));

    // A level longer than a path buffer stops the walk before it.
    std::string longPath = "C:\\A\\" + std::string(300, 'b') + "\\c";
    EXPECT_EQ(Levels(longPath.c_str(), 0), (std::vector<std::string>{"C:\\A"}));
}
