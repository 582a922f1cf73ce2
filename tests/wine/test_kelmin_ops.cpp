// Kelmin's operations on the real files and registry of the prefix.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fixtures.h"
#include "kelmin_fixture.h"
#include "rtfsetup/kelmin.h"

using kelmin::Block;
using kelmin::ReadAll;
using kelmin::STOCK_POLICY;

namespace {

class KelminOps : public ::testing::Test {
protected:
    void SetUp() override { kelmin::ClearInstallation(); }
    void TearDown() override { kelmin::ClearInstallation(); }
};

std::string Home(const std::string& jre)
{
    return jre.substr(0, jre.size() - 1);
}

Runtime Java(const std::string& jre, int feature)
{
    Runtime runtime{};
    CopyText(runtime.home, Home(jre).c_str());
    runtime.feature = feature;
    return runtime;
}

}  // namespace

TEST_F(KelminOps, RegistryValuesAndTheirSizes)
{
    char version[DLL_VERSION_SIZE] = "unchanged";
    EXPECT_EQ(ReadDllValue("Version", version, sizeof version), 0);
    ASSERT_EQ(WriteDllValue("Version", "2.3"), 1);
    ASSERT_EQ(WriteDllValue("URL", ""), 1);
    EXPECT_EQ(ReadDllValue("Version", version, sizeof version), 1);
    EXPECT_STREQ(version, "2.3");
    char url[JAR_URL_SIZE] = "unchanged";
    EXPECT_EQ(ReadDllValue("URL", url, sizeof url), 1);
    EXPECT_STREQ(url, "");

    // 49 characters fit the version's buffer, 50 do not, 1,023 the address's
    // and 1,024 not; a value stored without its NUL is read when it fits.
    // What does not fit leaves the buffer as it was.
    const std::string v49(49, '9'), u1023(1023, 'u');
    struct Case { const char* name; std::string stored; bool nul; int read; };
    for (const Case& c : {Case{"Version", v49, true, 1}, Case{"Version", v49, false, 1},
                          Case{"Version", v49 + "9", false, 0}, Case{"Version", v49 + "9", true, 0},
                          Case{"URL", u1023, true, 1}, Case{"URL", u1023 + "u", true, 0}}) {
        fixture::SetText(HKEY_LOCAL_MACHINE, kelmin::DLL_KEY, c.name, c.stored, c.nul);
        char out[JAR_URL_SIZE] = "unchanged";
        size_t size = std::strcmp(c.name, "URL") == 0 ? sizeof out : static_cast<size_t>(DLL_VERSION_SIZE);
        EXPECT_EQ(ReadDllValue(c.name, out, size), c.read) << c.name << " " << c.stored.size() << " " << c.nul;
        EXPECT_EQ(out, c.read ? c.stored : "unchanged") << c.name << " " << c.stored.size() << " " << c.nul;
    }
    // A number is no version text.
    DWORD number = 0x00332E32;  // "2.3" as bytes
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kelmin::DLL_KEY, "Version", REG_DWORD, &number, sizeof number),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadDllValue("Version", version, sizeof version), 0);

    // The key goes whole, values included; removing it again is harmless.
    RemoveDllKey();
    EXPECT_FALSE(fixture::GetText(HKEY_LOCAL_MACHINE, kelmin::DLL_KEY, "URL", nullptr));
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kelmin::DLL_KEY, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    RemoveDllKey();
}

TEST_F(KelminOps, LibraryCopy)
{
    std::string installed = kelmin::InstalledLibrary(), large = kelmin::LibraryBytes(3, 300000);
    std::string dir = kelmin::NewSource(large);
    EXPECT_EQ(LibraryInstalled(32), 0);
    EXPECT_EQ(CopyLibrary(nullptr, 32), 0);
    EXPECT_EQ(CopyLibrary((dir + "no-existe").c_str(), 32), 0);
    EXPECT_TRUE(!kelmin::EntryExists(installed) && kelmin::NoWorkFiles(kelmin::SystemDir()));

    // With and without the directory's backslash; several pieces, byte for byte.
    ASSERT_EQ(CopyLibrary(dir.c_str(), 32), 1);
    EXPECT_EQ(ReadAll(installed), large);
    EXPECT_EQ(LibraryInstalled(32), 1);
    std::string small = kelmin::LibraryBytes(4, 10);
    kelmin::WriteAll(dir + "Pluvik.DLL", small);
    ASSERT_EQ(CopyLibrary(Home(dir).c_str(), 32), 1);
    EXPECT_EQ(ReadAll(installed), small);
    EXPECT_TRUE(kelmin::NoWorkFiles(kelmin::SystemDir()));

    // The source is read without sharing: held by someone else, no copy.
    HANDLE held = CreateFileA((dir + "Pluvik.DLL").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    kelmin::WriteAll(installed, "viejo");
    EXPECT_EQ(CopyLibrary(dir.c_str(), 32), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadAll(installed), "viejo");

    EXPECT_EQ(DeleteLibrary(32), 1);
    EXPECT_EQ(LibraryInstalled(32), 0);
    EXPECT_EQ(DeleteLibrary(32), 1);
}

TEST_F(KelminOps, PolicyFileEdits)
{
    // Long lines (past 1,023 characters and past 16 bits) and a last line
    // without CR LF, in a file of a few megabytes.
    std::string policy = std::string(STOCK_POLICY) + "// " + std::string(2000, 'a') + "\r\n" +
                         std::string(3000000, 'b') + "\r\n" + "grant {\r\n};\r\n" + std::string(70000, 'c');
    std::string jre = kelmin::NewJre(nullptr, policy);
    std::string file = jre + "LIB\\SECURITY\\JAVA.POLICY";
    Runtime java8 = Java(jre, 8);
    EXPECT_EQ(HasPolicyGrant(java8), 0);
    // No block yet: removal fails and leaves the file alone.
    EXPECT_EQ(RemovePolicyGrant(java8), 0);
    EXPECT_EQ(ReadAll(file), policy);
    std::string security = jre + "LIB\\SECURITY\\";
    EXPECT_TRUE(kelmin::NoWorkFiles(security));

    // Files beside the policy, whatever their names, are not Kelmin's to touch.
    kelmin::WriteAll(file + "_1", "ajeno");
    ASSERT_EQ(AddPolicyGrant(java8, "http://10.0.0.5/*"), 1);
    EXPECT_EQ(ReadAll(file), Block("http://10.0.0.5/*") + policy);
    EXPECT_EQ(ReadAll(file + "_1"), "ajeno");
    EXPECT_TRUE(kelmin::NoWorkFiles(security));
    EXPECT_EQ(HasPolicyGrant(java8), 1);

    // Held open elsewhere: whether it grants is unknown, nothing is added.
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(HasPolicyGrant(java8), POLICY_UNREADABLE);
    EXPECT_EQ(AddPolicyGrant(java8, ""), 0);
    EXPECT_EQ(RemovePolicyGrant(java8), 0);
    CloseHandle(held);

    ASSERT_EQ(RemovePolicyGrant(java8), 1);
    EXPECT_EQ(ReadAll(file), "\r\n" + policy);
    EXPECT_EQ(HasPolicyGrant(java8), 0);

    // No policy file: nothing made.
    std::string bare = fixture::NewDirectory("jre-sin-policy");
    EXPECT_EQ(AddPolicyGrant(Java(bare, 8), ""), 0);
    EXPECT_EQ(HasPolicyGrant(Java(bare, 8)), 0);
}
