// The real Dalvo.EXE, driven from outside like a person would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drive.h"
#include "fixtures.h"
#include "params/record.h"
#include "recordfix.h"

namespace {

const char INICIO_CAPTION[] = "Instalaci\xF3n y mantenimiento de aplicaciones - TERMINAL";
const char JRE_TEXT[] =
    "El JRE de Java no est\xE1 instalado !\nFavor de instalarlo antes de intentar una instalaci\xF3n de VONDRA.";
enum { LIST = 1000, TERMINAR = 1002, INSTALAR = 1005, AYUDA = 1026, CONTINUAR = 1024 };

class Dalvo : public ::testing::Test {
protected:
    drive::Program program;
    HWND inicio = nullptr;
    HWND list = nullptr;

    void SetUp() override
    {
        fixture::ClearRegistry();
        std::string dir = fixture::NewDirectory("gui");
        ASSERT_TRUE(CreateDirectoryA((dir + "Terminal").c_str(), nullptr));
        AppParams entry = recordfix::Defaults();
        for (const char* name : {"B", "Ventas.Norte", "A"})
            fixture::WriteBytes(dir + "Terminal\\" + name + ".DAI", &entry, sizeof entry);
        fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst", dir);

        ASSERT_TRUE(program.Start(DALVO_EXE));
        inicio = program.Appears(INICIO_CAPTION, 20000);
        ASSERT_NE(inicio, nullptr);
        list = GetDlgItem(inicio, LIST);
        ASSERT_NE(list, nullptr);
    }
    void TearDown() override { fixture::ClearRegistry(); }

    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(inicio, id)) != 0; }
    // A message box or dialog of the program that should (not) appear.
    HWND Appears(const char* caption, DWORD ms = 5000) { return program.Appears(caption, ms); }
};

}  // namespace

TEST_F(Dalvo, ListsEntriesAndEnablesInstallOnSelection)
{
    EXPECT_EQ(drive::ListItems(list), (std::vector<std::string>{"A", "B", "Ventas.Norte"}));
    EXPECT_FALSE(Enabled(INSTALAR));
    EXPECT_EQ(drive::ControlText(inicio, INSTALAR), "&Instalar");
    EXPECT_EQ(drive::ControlText(inicio, TERMINAR), "&Terminar");
    EXPECT_EQ(drive::ControlText(inicio, AYUDA), "&? Ayuda");

    // Double click on the empty part of the list: nothing selected, nothing happens.
    drive::DoubleClickBelowItems(list);
    drive::Settle(inicio);
    EXPECT_EQ(Appears("ERROR en JRE", 500), nullptr);
    EXPECT_FALSE(Enabled(INSTALAR));

    drive::ClickListItem(list, 2, false);
    EXPECT_TRUE(drive::WaitUntil([&] { return Enabled(INSTALAR); }));
    EXPECT_TRUE(drive::Screenshot(inicio, "inicio.bmp"));

    drive::PostClick(inicio, AYUDA);
    HWND help = Appears("AYUDA");
    ASSERT_NE(help, nullptr);
    std::vector<std::string> texts = drive::StaticTexts(help);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0],
              "Este programa permite instalar y configurar (cuando as\xED sea permitido) el \xED" "cono y sus "
              "par\xE1metros de ejecuci\xF3n de las diferentes aplicaciones en VONDRA que se emplear\xE1n mediante la "
              "versi\xF3n de Internet.");
    EXPECT_EQ(texts[1],
              "Seleccione de la lista la aplicaci\xF3n que desee instalar seleccion\xE1ndolo con doble click, o bi\xE9n "
              "seleccion\xE1ndolo y luego presionando el bot\xF3n 'Instalar'.");
    EXPECT_EQ(texts[2],
              " Note que si la instalaci\xF3n ya se realiz\xF3 anteriormente, el instalador entonces preguntar\xE1 si se "
              "desean actualizar sus par\xE1metros.");
    EXPECT_TRUE(drive::Screenshot(help, "ayuda_inicio.bmp"));
    drive::PostClick(help, CONTINUAR);
    EXPECT_TRUE(program.Gone("AYUDA"));

    drive::PostClick(inicio, TERMINAR);
    EXPECT_EQ(program.WaitExit(10000), 0u);
}

TEST_F(Dalvo, InstallWithoutJavaRuntimeShowsTheJreError)
{
    drive::ClickListItem(list, 1, false);
    ASSERT_TRUE(drive::WaitUntil([&] { return Enabled(INSTALAR); }));
    drive::PostClick(inicio, INSTALAR);
    HWND box = Appears("ERROR en JRE");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(drive::MessageText(box), JRE_TEXT);
    EXPECT_TRUE(drive::Screenshot(box, "error_jre.bmp"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.Gone("ERROR en JRE"));
    EXPECT_TRUE(IsWindowVisible(inicio));

    // A double click on an entry installs it just the same.
    drive::ClickListItem(list, 0, true);
    EXPECT_EQ(program.CloseMessage("ERROR en JRE"), JRE_TEXT);

    // With a runtime registered the check passes: INICIO makes way for the
    // installation dialog and comes back when it is cancelled.
    fixture::AddJre("1.8.0_202", "C:\\Java\\jre8");
    drive::PostClick(inicio, INSTALAR);
    HWND install = Appears("Instalaci\xF3n de la aplicaci\xF3n");
    ASSERT_NE(install, nullptr);
    EXPECT_EQ(Appears("ERROR en JRE", 100), nullptr);
    EXPECT_FALSE(IsWindowVisible(inicio));
    PostMessageA(install, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(drive::WaitUntil([&] { return IsWindowVisible(inicio) != 0; }));

    // The close box ends the program like "Terminar".
    PostMessageA(inicio, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.WaitExit(10000), 0u);
}
