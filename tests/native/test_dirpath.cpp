// The directory browser's navigation steps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/dirpath.h"

namespace {

std::string Up(const char* start)
{
    char path[PATH_SIZE];
    std::strcpy(path, start);
    ParentPath(path);
    return path;
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
