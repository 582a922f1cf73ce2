// DirInst and the Java runtime lookup against the real registry of the prefix.
#include <gtest/gtest.h>

#include <cstring>
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

    // A user's value too long to read is never replaced: both stay.
    SetText(HKEY_CURRENT_USER, VONDRA_KEY, "DirInst", "C:\\" + std::string(400, 'x'));
    SetText(HKEY_LOCAL_MACHINE, VONDRA_KEY, "DirInst", "C:\\Maquina");
    ASSERT_EQ(ReadDirInst(dir), 1);
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, VONDRA_KEY, "DirInst").size(), 403u);
    EXPECT_EQ(fixture::TextOf(HKEY_LOCAL_MACHINE, VONDRA_KEY, "DirInst"), "C:\\Maquina");
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

    // Empty is none; REG_EXPAND_SZ is read expanded, missing when that does not fit.
    SetText(HKEY_CURRENT_USER, VONDRA_KEY, "DirInst", "");
    EXPECT_EQ(ReadDirInst(dir), 0);
    SetEnvironmentVariableA("VONDRA_PRUEBA", "C:\\Expandido");
    const char expand[] = "%VONDRA_PRUEBA%\\Java";
    RegSetKeyValueA(HKEY_CURRENT_USER, VONDRA_KEY, "DirInst", REG_EXPAND_SZ, expand, sizeof expand);
    ASSERT_EQ(ReadDirInst(dir), 1);
    EXPECT_STREQ(dir, "C:\\Expandido\\Java");
    SetEnvironmentVariableA("VONDRA_PRUEBA", std::string(300, 'e').c_str());
    EXPECT_EQ(ReadDirInst(dir), 0);

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

// The runtime chosen: "home|version (bits)|pinned", or "none".
std::string Chosen(const char* pinned = nullptr)
{
    Runtime runtime{};
    if (!FindRuntime(pinned, runtime))
        return "none";
    char shown[RUNTIME_VERSION_SIZE + 16];
    DescribeRuntime(shown, runtime);
    return std::string(runtime.home) + "|" + shown + (runtime.chosen == CHOSEN_PINNED ? "|pinned" : "");
}

TEST_F(Registry, JavaRuntimesOfEveryMaker)
{
    std::string root = fixture::NewDirectory("runtimes");
    ASSERT_FALSE(root.empty());
    auto home = [&](const char* name, const char* version = nullptr, const char* arch = "amd64") {
        return fixture::MakeJavaHome(root + name, version, arch);
    };
    EXPECT_EQ(Chosen(), "none");

    // The old key alone, in the 32-bit view: what the lookup always picked.
    // It enumerates in name order ("1.10" before "1.5.1"); equal versions
    // keep the first found; a registration without its launcher or without
    // JavaHome counts for nothing.
    fixture::AddJre("1.6.0", home("160").c_str());
    fixture::AddJre("1.5.1", home("151").c_str());
    EXPECT_EQ(Chosen(), root + "160|1.6.0 (32 bits)");
    fixture::AddJre("1.6", home("16").c_str());
    EXPECT_EQ(Chosen(), root + "16|1.6 (32 bits)");
    fixture::AddJre("1.10", home("110").c_str());
    SetText(HKEY_LOCAL_MACHINE, std::string(fixture::JRE_KEY) + "\\1.11", "JavaHome", root + "vacio");
    fixture::AddJre("1.12", nullptr);
    EXPECT_EQ(Chosen(), root + "110|1.10 (32 bits)");
    fixture::ClearRegistry();

    // Each maker's layout, each newer than the last, mostly in the 64-bit view.
    fixture::AddJre("1.8.0_202", home("jre8").c_str());
    EXPECT_EQ(Chosen(), root + "jre8|1.8.0_202 (32 bits)");
    struct {
        int bits;
        const char *key, *value;
        std::string home;
        const char* shown;
    } const MAKERS[] = {
        {64, "JavaSoft\\Java Runtime Environment\\1.8.0.212", "JavaHome", home("c8"), "1.8.0.212 (64 bits)"},
        {64, "JavaSoft\\JRE\\9.0.4", "JavaHome", home("jre9"), "9.0.4 (64 bits)"},
        {64, "JavaSoft\\Java Development Kit\\10", "JavaHome", home("jdk10", "10.0.2"), "10.0.2 (64 bits)"},
        {64, "Azul Systems\\Zulu\\zulu-11", "InstallationPath", home("zulu11", "11.0.25"), "11.0.25 (64 bits)"},
        {32, "AdoptOpenJDK\\JRE\\16.0.2.7\\hotspot\\MSI", "Path", home("a16", "16.0.2", "x86"), "16.0.2 (32 bits)"},
        {64, "Eclipse Adoptium\\JDK\\17.0.13.11\\hotspot\\MSI", "Path", home("t17", "17.0.13") + "\\",
         "17.0.13 (64 bits)"},
        // 64 bits first at an equal version.
        {32, "Eclipse Adoptium\\JRE\\17.0.13.11\\hotspot\\MSI", "Path", home("t17x86", "17.0.13", "x86"),
         "17.0.13 (64 bits)"},
        {64, "Microsoft\\JDK\\21.0.5.11\\hotspot\\MSI", "Path", home("ms21"), "21.0.5.11 (64 bits)"},
        {64, "JavaSoft\\JDK\\25", "JavaHome", home("jdk25", "25.0.1"), "25.0.1 (64 bits)"},
    };
    for (const auto& maker : MAKERS) {
        fixture::AddRuntime(maker.bits, std::string("SOFTWARE\\") + maker.key, maker.value, maker.home);
        std::string shown = Chosen();
        EXPECT_EQ(shown.substr(shown.find('|') + 1), maker.shown) << maker.key;
    }
    EXPECT_EQ(Chosen(), root + "jdk25|25.0.1 (64 bits)");

    // Without a release file the launcher's header tells the bits.
    unsigned char pe[0x90] = {'M', 'Z'};
    pe[0x3C] = 0x80;
    std::memcpy(pe + 0x80, "PE\0\0\x64\x86", 6);
    fixture::AddRuntime(32, "SOFTWARE\\JavaSoft\\JRE\\26", "JavaHome", home("jre26"));
    fixture::WriteBytes(root + "jre26\\BIN\\JavaW.EXE", pe, sizeof pe);
    EXPECT_EQ(Chosen(), root + "jre26|26 (64 bits)");

    // JAVA_HOME is one more place; a pin wins over any newer one: the
    // machine's JavaHome, and before it a home given on the command line;
    // a pinned home without its launcher is refused.
    SetEnvironmentVariableA("JAVA_HOME", home("ea27", "27-ea").c_str());
    EXPECT_EQ(Chosen(), root + "ea27|27-ea (64 bits)");
    SetEnvironmentVariableA("JAVA_HOME", nullptr);
    fixture::AddRuntime(64, VONDRA_KEY, "JavaHome", root + "zulu11");
    EXPECT_EQ(Chosen(), root + "zulu11|11.0.25 (64 bits)|pinned");
    EXPECT_EQ(Chosen((root + "jre8\\").c_str()), root + "jre8|1.8.0_202 (32 bits)|pinned");
    fixture::AddRuntime(64, VONDRA_KEY, "JavaHome", root + "vacio");
    EXPECT_EQ(Chosen(), "none");
}
