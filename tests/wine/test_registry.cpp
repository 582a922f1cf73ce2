// DirInst and the Java runtime lookup against the real registry of the prefix.
#include <gtest/gtest.h>

#include <string>

#include "fixtures.h"
#include "base/base.h"
#include "params/params.h"

using fixture::GetText;
using fixture::SetText;
using fixture::VONDRA_KEY;

namespace {

class Registry : public ::testing::Test {
protected:
    void SetUp() override { fixture::ClearRegistry(); }
    void TearDown() override { fixture::ClearRegistry(); }
};

std::string CurrentDirectory()
{
    char dir[MAX_PATH];
    GetCurrentDirectoryA(sizeof dir, dir);
    return dir;
}

}  // namespace

TEST_F(Registry, MachineValueMovesToTheUser)
{
    SetText(HKEY_LOCAL_MACHINE, VONDRA_KEY, "DirInst", "C:\\Maquina");
    char dir[PATH_SIZE] = "unchanged";
    ASSERT_EQ(ReadDirInst(dir), 1);
    EXPECT_STREQ(dir, "C:\\Maquina");
    std::string moved;
    EXPECT_TRUE(GetText(HKEY_CURRENT_USER, VONDRA_KEY, "DirInst", &moved));
    EXPECT_EQ(moved, "C:\\Maquina");
    EXPECT_FALSE(GetText(HKEY_LOCAL_MACHINE, VONDRA_KEY, "DirInst", nullptr));

    // The next start finds it in the user's key.
    ComputeEntryDir();
    EXPECT_STREQ(entryDir, "C:\\Maquina\\Terminal\\");
}

TEST_F(Registry, UserValueWinsAndMachineKeyIsLeftAlone)
{
    SetText(HKEY_CURRENT_USER, VONDRA_KEY, "DirInst", "C:\\Usuario\\");
    SetText(HKEY_LOCAL_MACHINE, VONDRA_KEY, "DirInst", "C:\\Maquina");
    char dir[PATH_SIZE];
    ASSERT_EQ(ReadDirInst(dir), 1);
    EXPECT_STREQ(dir, "C:\\Usuario\\");
    std::string machine;
    EXPECT_TRUE(GetText(HKEY_LOCAL_MACHINE, VONDRA_KEY, "DirInst", &machine));
    EXPECT_EQ(machine, "C:\\Maquina");
    ComputeEntryDir();
    EXPECT_STREQ(entryDir, "C:\\Usuario\\Terminal\\");
}

TEST_F(Registry, NoValueFallsBackToTheCurrentDirectory)
{
    char dir[PATH_SIZE] = "unchanged";
    EXPECT_EQ(ReadDirInst(dir), 0);
    EXPECT_STREQ(dir, "unchanged");

    std::string before = CurrentDirectory();
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    ComputeEntryDir();
    EXPECT_STREQ(entryDir, "C:\\Terminal\\");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
    ComputeEntryDir();
    EXPECT_EQ(std::string(entryDir), CurrentDirectory() + "\\Terminal\\");
    SetCurrentDirectoryA(before.c_str());
}

TEST_F(Registry, OddDirInstValues)
{
    // Stored without its terminating NUL by some other tool.
    SetText(HKEY_CURRENT_USER, VONDRA_KEY, "DirInst", "C:\\SinNul", false);
    char dir[PATH_SIZE];
    ASSERT_EQ(ReadDirInst(dir), 1);
    EXPECT_STREQ(dir, "C:\\SinNul");

    // Longer than a path buffer: treated as missing, never cut into another path.
    std::string huge = "C:\\" + std::string(400, 'x');
    SetText(HKEY_CURRENT_USER, VONDRA_KEY, "DirInst", huge);
    std::memcpy(dir, "unchanged", 10);
    EXPECT_EQ(ReadDirInst(dir), 0);
    EXPECT_STREQ(dir, "unchanged");

    // Fits the buffer exactly, but leaves no room for "Terminal\".
    std::string full = "C:\\" + std::string(256, 'y');
    SetText(HKEY_CURRENT_USER, VONDRA_KEY, "DirInst", full);
    ASSERT_EQ(ReadDirInst(dir), 1);
    EXPECT_EQ(std::string(dir), full);
    std::string before = CurrentDirectory();
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    ComputeEntryDir();
    EXPECT_STREQ(entryDir, "C:\\Terminal\\");
    SetCurrentDirectoryA(before.c_str());
}

TEST_F(Registry, WriteCreatesTheUserKey)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Vondra");
    WriteUserDirInst("C:\\Nuevo");
    std::string value;
    ASSERT_TRUE(GetText(HKEY_CURRENT_USER, VONDRA_KEY, "DirInst", &value));
    EXPECT_EQ(value, "C:\\Nuevo");
    DeleteMachineDirInst();  // no machine key: nothing happens
    EXPECT_TRUE(GetText(HKEY_CURRENT_USER, VONDRA_KEY, "DirInst", nullptr));
}

TEST_F(Registry, NewestJavaRuntime)
{
    char version[PATH_SIZE] = "";
    char home[PATH_SIZE] = "";
    EXPECT_EQ(FindNewestJre(version, home), 0);  // no runtime key at all

    // The key enumerates in name order: oldest first here...
    fixture::AddJre("1.6.0", "C:\\Java\\160");
    fixture::AddJre("1.5.1", "C:\\Java\\151");
    ASSERT_EQ(FindNewestJre(version, home), 1);
    EXPECT_STREQ(version, "1.6.0");
    EXPECT_STREQ(home, "C:\\Java\\160");

    // ...and newest first here ("1.10" sorts before "1.6.0").
    fixture::AddJre("1.10", "C:\\Java\\110");
    ASSERT_EQ(FindNewestJre(version, home), 1);
    EXPECT_STREQ(version, "1.10");
    EXPECT_STREQ(home, "C:\\Java\\110");
}

TEST_F(Registry, EqualVersionsKeepTheFirstFound)
{
    char version[PATH_SIZE];
    char home[PATH_SIZE];
    fixture::AddJre("1.6", "C:\\Java\\16");
    fixture::AddJre("1.6.0_45", "C:\\Java\\16045");
    ASSERT_EQ(FindNewestJre(version, home), 1);
    EXPECT_STREQ(version, "1.6");
    EXPECT_STREQ(home, "C:\\Java\\16");
}

TEST_F(Registry, NewestRuntimeWithoutJavaHome)
{
    char version[PATH_SIZE] = "none";
    char home[PATH_SIZE] = "none";
    fixture::AddJre("1.4.2", "C:\\Java\\142");
    fixture::AddJre("1.8", nullptr);
    EXPECT_EQ(FindNewestJre(version, home), 0);
    EXPECT_STREQ(version, "none");
    EXPECT_STREQ(home, "none");
}
