// dist/Vondra.msi under Wine's msiexec: the tree Instalar makes of the same
// media, the machine's DirInst that Dalvo finds, the Java runtime's
// archives, an upgrade in place, a refused downgrade, a removal that leaves
// nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "drive.h"
#include "fixtures.h"
#include "recordfix.h"

namespace {

using fixture::Listing;
using fixture::TextOf;
typedef std::vector<std::string> Names;

// Every file below dir (with '\'), one line each with a digest of its bytes.
std::string Tree(const std::string& dir)
{
    std::string out;
    for (const std::string& name : Listing(dir))
        if (GetFileAttributesA((dir + name).c_str()) & FILE_ATTRIBUTE_DIRECTORY)
            out += name + "\\\n" + Tree(dir + name + "\\");
        else
            out += name + " " + std::to_string(std::hash<std::string>()(fixture::ReadAll(dir + name))) + "\n";
    return out;
}

DWORD Msiexec(const std::string& arguments)
{
    return drive::Run("msiexec " + arguments + " /qn", 180000);
}

}  // namespace

TEST(Package, InstallUpgradeDowngradeAndRemoval)
{
    fixture::ClearRegistry();
    std::string base = fixture::NewDirectory("package"), media = fixture::WindowsPath(MEDIA_DIR) + "\\";
    std::string bySetup = base + "Instalar\\", dir = base + "Paquete\\", ext = base + "jre\\lib\\ext\\";
    {
        drive::DialogProgram setup;
        ASSERT_TRUE(setup.Launch(nullptr, "\"" + media + "Instalar.EXE\"", media));
        setup.dialog = setup.Appears("Instalaci\xF3n de la versi\xF3n de VONDRA para Internet", 20000);
        ASSERT_NE(setup.dialog, nullptr);
        drive::SetText(setup.Item(1000), bySetup);
        setup.Click(1025);
        ASSERT_NE(setup.Press("ADVERTENCIA", 1025), nullptr);  // create the directory
        ASSERT_NE(setup.Press("Finalizando la instalaci\xF3n ...", 1005, 20000), nullptr);
        EXPECT_EQ(setup.Wait(), 0u);
    }
    fixture::ClearRegistry();
    for (const char* made : {"jre", "jre\\lib", "jre\\lib\\ext"})
        ASSERT_TRUE(CreateDirectoryA((base + made).c_str(), nullptr)) << made;
    for (const char* earlier : {"mail.jar", "otro.jar"})
        fixture::WriteBytes(ext + earlier, "earlier", 7);
    fixture::AddJre("1.8.0_202", (base + "jre").c_str());

    ASSERT_EQ(Msiexec("/i \"" PACKAGE_MSI "\" INSTALLDIR=\"" + dir.substr(0, dir.size() - 1) + "\""), 0u);
    EXPECT_EQ(Tree(dir), Tree(bySetup));
    EXPECT_NE(Tree(dir).find("Terminal\\\nDalvo.EXE "), std::string::npos) << Tree(dir);
    EXPECT_EQ(Listing(ext), (Names{"activation.jar", "commons-ssl-0.3.11.jar", "fontbox-2.0.8.jar",
                                   "javax.mail-1.6.jar", "otro.jar", "pdfbox-2.0.8.jar"}));
    EXPECT_EQ(TextOf(HKEY_LOCAL_MACHINE, fixture::VONDRA_KEY, "DirInst"), dir);
    // Dalvo from the installed Terminal\ finds its entries by that value.
    AppParams entry = recordfix::Defaults("Ventas");
    fixture::WriteBytes(dir + "Terminal\\Ventas.DAI", &entry, sizeof entry);
    {
        drive::DialogProgram dalvo;
        ASSERT_TRUE(dalvo.Launch(nullptr, "\"" + dir + "Terminal\\Dalvo.EXE\"", dir + "Terminal"));
        dalvo.dialog = dalvo.Appears("Instalaci\xF3n y mantenimiento de aplicaciones - TERMINAL", 20000);
        ASSERT_NE(dalvo.dialog, nullptr);
        EXPECT_EQ(dalvo.Items(1000), Names{"Ventas"});
        dalvo.Click(1002);
        EXPECT_EQ(dalvo.Wait(), 0u);
    }
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst"), dir);
    DeleteFileA((dir + "Terminal\\Ventas.DAI").c_str());

    // A newer version in place of this one, which is then refused as older.
    std::string newer = base + "Nuevo.msi";
    std::string made = fixture::UnixOutput(PACKAGE_COMMAND " 9.0.0 '" + fixture::UnixPath(newer) + "'", 60000);
    ASSERT_NE(made.rfind('{'), std::string::npos) << made;
    std::string code = made.substr(made.rfind('{'), 38);
    ASSERT_EQ(Msiexec("/i \"" + newer + "\""), 0u);
    EXPECT_EQ(Tree(dir), Tree(bySetup));
    EXPECT_EQ(Listing(ext).size(), 6u);
    EXPECT_EQ(Msiexec("/i \"" PACKAGE_MSI "\""), 1603u);

    // Removed by its product code alone, as deployment tools do.
    EXPECT_EQ(Msiexec("/x " + code), 0u);
    EXPECT_FALSE(fixture::Exists(dir));
    EXPECT_EQ(Listing(ext), Names{"otro.jar"});
    char common[MAX_PATH];
    ASSERT_NE(GetEnvironmentVariableA("CommonProgramFiles", common, sizeof common), 0u);
    EXPECT_FALSE(fixture::Exists(std::string(common) + "\\VONDRA"));
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        EXPECT_EQ(TextOf(root, fixture::VONDRA_KEY, "DirInst"), "(none)");
    EXPECT_EQ(TextOf(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vondra\\Paquete", "Directorio"), "(none)");
    EXPECT_EQ(Msiexec("/x " + code), 1605u);
    fixture::ClearRegistry();
}
