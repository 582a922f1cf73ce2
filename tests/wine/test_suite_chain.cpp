// The whole suite from its media, through the real programs of dist/: the
// setup, an application defined in Fostra and installed by Dalvo from the
// installed copies, the RTF library, and a second application in Brenko.
// Every output is read back, with Debian's readers where there are some.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "chaindrive.h"
#include "drive.h"
#include "fixtures.h"
#include "kelmin_fixture.h"
#include "linkreader.h"
#include "selectfix.h"
#include "params/record.h"
#include "../../resources/params/editor_ids.h"

namespace {

const std::string ICON_FILE = ICONS_DIR "\\siete.ico";

std::string UnixOf(const std::string& path)
{
    return "'" + fixture::UnixPath(path) + "'";
}

// What Debian's tools make of a file: msexpand of a compressed one, the
// icotool listing of an icon.
std::string Expanded(const std::string& path)
{
    return fixture::UnixOutput("msexpand < " + UnixOf(path));
}
std::string Icons(const std::string& path)
{
    return fixture::UnixOutput("icotool -l " + UnixOf(path));
}

}  // namespace

TEST(Suite, SetUpDefineInstallFromTheMedia)
{
    fixture::ClearRegistry();
    kelmin::ClearInstallation();
    fixture::Workstation ws;  // the desktop that receives the shortcuts
    std::string home = kelmin::NewJre("1.8.0_202", kelmin::STOCK_POLICY);
    for (const char* dir : {"BIN", "lib", "lib\\ext"})
        CreateDirectoryA((home + dir).c_str(), nullptr);
    fixture::WriteBytes(home + "BIN\\JavaW.EXE", "MZ", 2);
    const std::string media = MEDIA_DIR, setup = fixture::NewDirectory("suite") + "VONDRA";
    const std::string terminal = setup + "\\Terminal\\";

    std::vector<std::string> reached;
    chaindrive::Chain chain{media, setup, drive::ShotsDirectory(), nullptr, nullptr};
    chain.onDialog = [&](const std::string& step, HWND dialog) {
        reached.push_back(step);
        if (step == "dalvo-parametros") {  // the fields Fostra fixed
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_ED_SERVIDOR)));
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_ED_TAMANO)));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_ED_ENVIADOR)));
        }
    };
    ASSERT_EQ(chaindrive::Run(chain, ICON_FILE), "");
    EXPECT_EQ(reached, (std::vector<std::string>{"instalar", "terminar", "fostra-parametros", "dalvo-parametros",
                                                 "kelmin", "brenko-mensaje", "brenko-parametros"}));

    // The distribution: copies byte-equal to the media, expanded files as
    // msexpand makes them, DirInst recorded.
    EXPECT_EQ(fixture::ReadAll(setup + "\\Brenko.EXE"), fixture::ReadAll(media + "\\Brenko.EXE"));
    EXPECT_EQ(fixture::ReadAll(setup + "\\Servidor\\Fostra.EXE"), fixture::ReadAll(media + "\\Fostra.EXE"));
    EXPECT_EQ(fixture::ReadAll(terminal + "Dalvo.EXE"), fixture::ReadAll(media + "\\Dalvo.EXE"));
    EXPECT_EQ(fixture::ReadAll(terminal + "Kelmin.EXE"), Expanded(media + "\\Kelmin.EX_"));
    EXPECT_EQ(fixture::ReadAll(terminal + "Telmir.ICO"), Expanded(media + "\\Telmir.IC_"));
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst"), setup);

    // The entry Fostra saved, field by field as chosen, with its own icon.
    AppParams entry{};
    std::string bytes = fixture::ReadAll(terminal + chaindrive::FIRST_APP + ".DAI");
    ASSERT_EQ(bytes.size(), sizeof entry);
    std::memcpy(&entry, bytes.data(), sizeof entry);
    EXPECT_STREQ(entry.ipServidor, chaindrive::SERVER_ADDRESS);
    EXPECT_STREQ(entry.directaNombre, "LPT1:");
    EXPECT_EQ(+entry.colorFondo, ChoiceIndex(COLOUR_NAMES, "Azul"));
    EXPECT_EQ(+entry.colorLetras, ChoiceIndex(COLOUR_NAMES, "Amarillo"));
    EXPECT_EQ(+entry.modServidor, 0);
    EXPECT_EQ(+entry.mod[SLOT_TAMANO], 0);
    EXPECT_EQ(Icons(terminal + chaindrive::FIRST_APP + ".ICO"), Icons(ICON_FILE));

    // Both installations as lnkinfo reads their shortcuts, with their
    // parameter files and markers.
    struct Installed {
        const char* name;
        std::string dir;
    };
    for (const Installed& app : {Installed{chaindrive::FIRST_APP, setup + "\\Java"},
                                 Installed{chaindrive::SECOND_APP, setup + "\\" + chaindrive::SECOND_APP}}) {
        SCOPED_TRACE(app.name);
        auto link = linkreader::Read(ws.desktop + "\\" + app.name + ".LNK");
        EXPECT_EQ(link["Working directory"], app.dir);
        EXPECT_EQ(link["Icon location"], app.dir + "\\" + app.name + ".ICO");
        EXPECT_NE(link["Local path"].find("\\BIN\\JavaW.EXE"), std::string::npos) << link["Local path"];
        EXPECT_NE(link["Command line arguments"].find(std::string(" Vondra ") + chaindrive::SERVER_ADDRESS + " "),
                  std::string::npos)
            << link["Command line arguments"];
        EXPECT_NE(link["Command line arguments"].find("Archivo" + app.dir + "\\" + app.name + ".PAR"),
                  std::string::npos);
        EXPECT_TRUE(fixture::Exists(app.dir + "\\" + app.name + ".PAR"));
        EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, app.name), "Instalado !");
    }
    EXPECT_NE(fixture::ReadAll(setup + "\\Java\\Contabilidad.PAR").find("Directa,LPT1:"), std::string::npos);
    EXPECT_TRUE(fixture::Exists(terminal + chaindrive::SECOND_APP + ".DAI"));

    // Kelmin: the library in the system directory and its grant.
    EXPECT_EQ(fixture::ReadAll(kelmin::InstalledLibrary()), fixture::ReadAll(terminal + "PLUVIK.DLL"));
    EXPECT_NE(fixture::ReadAll(home + "LIB\\SECURITY\\JAVA.POLICY").find(kelmin::Block("")), std::string::npos);
    // Brenko showed its message and, not told otherwise, will again.
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "Brenko"), "1");

    kelmin::ClearInstallation();
    selectfix::ClearPrinters();
    fixture::ClearRegistry();
}
