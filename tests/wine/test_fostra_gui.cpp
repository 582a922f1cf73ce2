// The real Fostra.EXE, driven from outside: entries added, modified, renamed
// and deleted, read back from the files it leaves.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "drive.h"
#include "fixtures.h"
#include "chaindrive.h"
#include "params/record.h"
#include "recordfix.h"
#include "selectfix.h"
#include "../../resources/params/resource.h"
#include "../../resources/params/editor_ids.h"
#include "../../resources/params/editor_server_ids.h"

namespace {

const char INICIO_CAPTION[] = "Instalaci\xF3n y mantenimiento de aplicaciones - SERVIDOR";
const char NEW_CAPTION[] = "Agregar una nueva aplicaci\xF3n - Capturar sus par\xE1metros";
const char EDIT_CAPTION[] = "Actualizar par\xE1metros de una aplicaci\xF3n";
enum { LIST = 1000, AGREGAR = 1001, TERMINAR = 1002, MODIFICAR = 1004, CONFIRM = 1022, CANCEL = 1002 };
const std::string ICON_FILE = ICONS_DIR "\\siete.ico";
const char SHELL_FOLDERS[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
using Names = std::vector<std::string>;

class Fostra : public ::testing::Test {
protected:
    std::string entries;
    drive::Program program;
    HWND inicio = nullptr;

    void SetUp() override
    {
        fixture::ClearRegistry();
        selectfix::ClearPrinters();
        selectfix::AddPrinter("Epson Stylus C60", "Epson Stylus C60", "LPT1:");
        std::string server = fixture::NewDirectory("fostra");
        entries = server + "Terminal\\";
        ASSERT_TRUE(CreateDirectoryA(entries.c_str(), nullptr));
        AppParams first = recordfix::Defaults("Contabilidad");
        std::strcpy(first.ipServidor, "10.1.2.3");
        fixture::WriteBytes(entries + "Contabilidad.DAI", &first, sizeof first);
        ASSERT_TRUE(CopyFileA(DALVO_ICO, (entries + "Telmir.ICO").c_str(), FALSE));
        fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst", server);
        ASSERT_TRUE(program.Start(FOSTRA_EXE));
        inicio = program.Appears(INICIO_CAPTION, 20000);
        ASSERT_NE(inicio, nullptr);
    }
    void TearDown() override
    {
        if (inicio != nullptr && IsWindow(inicio)) {
            drive::PostClick(inicio, TERMINAR);
            EXPECT_EQ(program.WaitExit(10000), 0u);
        }
        fixture::ClearRegistry();
        selectfix::ClearPrinters();
    }

    AppParams Stored(const std::string& name)
    {
        std::string bytes = fixture::ReadAll(entries + name + ".DAI");
        AppParams r{};
        EXPECT_EQ(bytes.size(), sizeof r) << name;
        std::memcpy(&r, bytes.data(), std::min(bytes.size(), sizeof r));
        return r;
    }
    HWND Open(int button, const char* caption, int item = -1)
    {
        if (item >= 0) {
            drive::ClickListItem(GetDlgItem(inicio, LIST), item, false);
            EXPECT_TRUE(drive::WaitUntil([&] { return IsWindowEnabled(GetDlgItem(inicio, MODIFICAR)) != 0; }));
        }
        drive::PostClick(inicio, button);
        return program.Appears(caption, 10000);
    }
    // The warning that comes up, answered with id.
    void Answer(int id)
    {
        ASSERT_NE(program.Press("ADVERTENCIA", id), nullptr);
        ASSERT_TRUE(program.Gone("ADVERTENCIA"));
    }
    bool Back() { return drive::WaitUntil([&] { return IsWindowVisible(inicio) != 0; }); }
};

}  // namespace

TEST_F(Fostra, AddsModifiesRenamesAndDeletesEntriesThatDalvoReads)
{
    EXPECT_EQ(drive::ListItems(GetDlgItem(inicio, LIST)), Names{"Contabilidad"});
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(inicio, MODIFICAR)));
    EXPECT_TRUE(drive::Screenshot(inicio, "fostra_inicio.bmp"));

    // The help closes with this program's "&Continuar", 1022.
    drive::PostClick(inicio, 1023);
    HWND help = program.Appears("AYUDA");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(drive::StaticTexts(help),
              (Names{"Este programa permite instalar y configurar en el servidor los par\xE1metros de ejecuci\xF3n "
                     "de las diferentes aplicaciones en VONDRA que se emplear\xE1n mediante la versi\xF3n de "
                     "Internet.",
                     "Una vez configurada una entrada, \xE9sta puede ser empleada por el instalador de terminales "
                     "para crear el \xED" "cono de ejecuci\xF3n del mismo.",
                     "Para crear una nueva entrada seleccione el bot\xF3n AGREGAR.",
                     "Para modificar los parametros de una entrada existente, o para borrar la misma, seleccione la "
                     "entrada deseada con doble click o con un click del rat\xF3n y luego seleccione el bot\xF3n "
                     "MODIFICAR."}));
    drive::PostClick(help, CONFIRM);
    ASSERT_TRUE(program.Gone("AYUDA"));

    // A new entry: empty name, the first entry's server, every slot's box set
    // and the single flags as the defaults have them.
    HWND editor = Open(AGREGAR, NEW_CAPTION);
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, IDC_ES_BORRAR)));
    EXPECT_EQ(drive::ControlText(editor, IDC_ES_NOMBRE), "");
    EXPECT_EQ(drive::ControlText(editor, IDC_ES_IP), "10.1.2.3");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, IDC_ES_IMAGENES_GRANDES)));
    for (int box : {IDC_ES_MOD_MODERNO, IDC_ES_MOD_TAMANO, IDC_ES_MOD_DIRECTA, IDC_ES_MOD_MARGEN, IDC_ES_MOD_ENVIADOR,
                    IDC_ES_MOD_SERVIDOR, IDC_ES_PRE_ENVIO, IDC_ES_PRE_MARGEN})
        EXPECT_TRUE(drive::Checked(editor, box)) << box;
    EXPECT_FALSE(drive::Checked(editor, IDC_ES_MOD_SELECCIONAR));
    EXPECT_TRUE(drive::Screenshot(editor, "fostra_parametros.bmp"));

    // An appearance of its own: "Fondo" freed from its Pre. box and chosen,
    // "Letras" fixed for the terminals by its Mod. box.
    drive::PostClick(editor, IDC_ES_ESTILO);
    HWND estilo = program.Press("Efectos, colores y tipo de letra", IDC_ESTILO_S_PRE_FONDO);
    ASSERT_NE(estilo, nullptr);
    drive::PostClick(estilo, IDC_ESTILO_S_MOD_LETRAS);
    ASSERT_TRUE(drive::WaitUntil([&] { return !drive::Checked(estilo, IDC_ESTILO_S_MOD_LETRAS); }));
    EXPECT_TRUE(drive::ChooseItem(GetDlgItem(estilo, IDC_ESTILO_S_FONDO), "Azul"));
    EXPECT_TRUE(drive::Screenshot(estilo, "fostra_param_estilo.bmp"));
    PostMessageA(estilo, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(program.Gone("Efectos, colores y tipo de letra"));

    // A printer and an icon file of its own.
    ASSERT_EQ(chaindrive::ChoosePrinter(editor), "");
    ASSERT_EQ(chaindrive::ChooseIconFile(editor, ICON_FILE), "");

    ASSERT_TRUE(drive::Type(editor, IDC_ES_NOMBRE, "Contabilidad"));
    drive::PostClick(editor, IDC_ES_GUARDAR);
    EXPECT_EQ(program.CloseMessage("Error"), "El nombre de la aplicaci\xF3n ya existe !");
    // So is a name that can't be a file name.
    ASSERT_TRUE(drive::Type(editor, IDC_ES_NOMBRE, "Ventas/Norte"));
    drive::PostClick(editor, IDC_ES_GUARDAR);
    EXPECT_EQ(program.CloseMessage("Error"),
              "El nombre de la aplicaci\xF3n no es v\xE1lido como nombre de archivo !");
    ASSERT_TRUE(IsWindow(editor));
    // So is a name whose desktop shortcut exists on this machine.
    std::string value;
    ASSERT_TRUE(fixture::GetText(HKEY_CURRENT_USER, SHELL_FOLDERS, "Desktop", &value));
    char expanded[MAX_PATH];
    ASSERT_GT(ExpandEnvironmentStringsA(value.c_str(), expanded, sizeof expanded), 0u);
    std::string desktop = expanded;
    fixture::WriteBytes(desktop + "\\Nomina.LNK", "L", 1);
    ASSERT_TRUE(drive::Type(editor, IDC_ES_NOMBRE, "Nomina"));
    drive::PostClick(editor, IDC_ES_GUARDAR);
    EXPECT_EQ(program.CloseMessage("Error"), "El nombre de la aplicaci\xF3n ya existe !");
    DeleteFileA((desktop + "\\Nomina.LNK").c_str());

    ASSERT_TRUE(drive::Type(editor, IDC_ES_NOMBRE, "Ventas"));
    ASSERT_TRUE(drive::Type(editor, IDC_ES_PARAMETROS, "CLAVE,PR"));
    drive::PostClick(editor, IDC_ES_MOD_SERVIDOR);
    drive::PostClick(editor, IDC_ES_MOD_TAMANO);
    drive::PostClick(editor, IDC_ES_MOD_MARGEN);
    drive::PostClick(editor, IDC_ES_IMAGENES_GRANDES);
    ASSERT_TRUE(drive::WaitUntil([&] { return !drive::Checked(editor, IDC_ES_MOD_MARGEN); }));
    drive::PostClick(editor, IDC_ES_GUARDAR);
    ASSERT_TRUE(Back());
    EXPECT_EQ(drive::ListItems(GetDlgItem(inicio, LIST)), (Names{"Contabilidad", "Ventas"}));
    AppParams ventas = Stored("Ventas");
    EXPECT_STREQ(ventas.nombre, "Ventas");
    EXPECT_STREQ(ventas.ipServidor, "10.1.2.3");
    EXPECT_STREQ(ventas.parametrosP, "CLAVE,PR");
    EXPECT_EQ(+ventas.imagenesGrandes, 1);
    EXPECT_EQ(+ventas.modServidor, 0);
    EXPECT_EQ(+ventas.modEnviador, 1);
    EXPECT_EQ(+ventas.modMargen, 0);
    EXPECT_EQ(+ventas.colorFondo, ChoiceIndex(COLOUR_NAMES, "Azul"));
    EXPECT_STREQ(ventas.directaNombre, "LPT1:");
    for (int slot = 0; slot < PARAM_SLOT_COUNT; ++slot) {
        EXPECT_EQ(+ventas.mod[slot], slot == SLOT_TAMANO || slot == SLOT_LETRAS ? 0 : 1) << slot;
        EXPECT_EQ(+ventas.pre[slot], slot == SLOT_FONDO || slot == SLOT_DIRECTA_NOMBRE ? 0 : 1) << slot;
    }
    // The chosen icon is saved as the entry's own: icotool sees its images.
    auto icons = [](const std::string& path) {
        return fixture::UnixOutput("icotool -l '" + fixture::UnixPath(path) + "'");
    };
    EXPECT_NE(icons(ICON_FILE).find("--width="), std::string::npos);
    EXPECT_EQ(icons(entries + "Ventas.ICO"), icons(ICON_FILE));

    // Dalvo over the same directory shows the fields whose Mod. box was
    // cleared fixed, and the others open to change (the installation of
    // such an entry is the end-to-end test's).
    fixture::AddJre("1.8.0_202", "C:\\Java\\jre8");
    {
        drive::Program dalvo;
        ASSERT_TRUE(dalvo.Start(DALVO_EXE));
        HWND dalvoInicio = dalvo.Appears("Instalaci\xF3n y mantenimiento de aplicaciones - TERMINAL", 20000);
        ASSERT_NE(dalvoInicio, nullptr);
        HWND list = GetDlgItem(dalvoInicio, LIST);
        ASSERT_EQ(drive::ListItems(list), (Names{"Contabilidad", "Ventas"}));
        drive::ClickListItem(list, 1, true);
        HWND install = dalvo.Appears("Instalaci\xF3n de la aplicaci\xF3n");
        ASSERT_NE(install, nullptr);
        // Not into the entries directory: the uninstall would take the entry's icon.
        std::string entriesDir = entries.substr(0, entries.size() - 1);
        ASSERT_TRUE(drive::Type(install, 1001, entriesDir));
        drive::PostClick(install, 1024);
        EXPECT_EQ(dalvo.CloseMessage("Error"),
                  "El directorio de instalaci\xF3n no puede ser el de las aplicaciones del servidor !\n" +
                      entriesDir);
        ASSERT_TRUE(drive::Type(install, 1001, entries.substr(0, entries.size() - std::strlen("\\Terminal\\"))));
        drive::PostClick(install, 1024);
        HWND terminal = dalvo.Appears(NEW_CAPTION, 10000);
        ASSERT_NE(terminal, nullptr);
        for (int fixed : {IDC_ED_SERVIDOR, IDC_ED_TAMANO, IDC_ED_PRE_TAMANO, IDC_ED_MARGEN, IDC_ED_PRE_MARGEN})
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(terminal, fixed))) << fixed;
        for (int open : {IDC_ED_ENVIADOR, IDC_ED_PRE_MODERNO})
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(terminal, open))) << open;
        drive::PostClick(terminal, IDC_ED_CANCELAR);
        EXPECT_TRUE(dalvo.Gone(NEW_CAPTION));
    }

    // Renamed: CONF_GUARDAR cancelled keeps the edits; confirmed, the old
    // entry file goes and its icon stays.
    editor = Open(MODIFICAR, EDIT_CAPTION, 1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(drive::ControlText(editor, IDC_ES_NOMBRE), "Ventas");
    EXPECT_FALSE(drive::Checked(editor, IDC_ES_MOD_SERVIDOR));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, IDC_ES_BORRAR)));
    ASSERT_TRUE(drive::Type(editor, IDC_ES_NOMBRE, "Ventas Sur"));
    drive::PostClick(editor, IDC_ES_GUARDAR);
    Answer(CANCEL);
    EXPECT_EQ(drive::ControlText(editor, IDC_ES_NOMBRE), "Ventas Sur");
    drive::PostClick(editor, IDC_ES_GUARDAR);
    Answer(CONFIRM);
    ASSERT_TRUE(Back());
    EXPECT_EQ(fixture::Listing(entries),
              (Names{"Contabilidad.DAI", "Telmir.ICO", "Ventas Sur.DAI", "Ventas Sur.ICO", "Ventas.ICO"}));
    EXPECT_EQ(icons(entries + "Ventas Sur.ICO"), icons(ICON_FILE));
    EXPECT_EQ(+Stored("Ventas Sur").modServidor, 0);

    // A save that fails (a reader holds the entry file) is reported and
    // keeps the edits; released, the same save goes through, here a rename
    // by letter case only: one entry file, under the new spelling.
    editor = Open(MODIFICAR, EDIT_CAPTION, 1);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(drive::Type(editor, IDC_ES_IP, "10.9.9.9"));
    ASSERT_TRUE(drive::Type(editor, IDC_ES_NOMBRE, "VENTAS SUR"));
    HANDLE held = CreateFileA((entries + "Ventas Sur.DAI").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    drive::PostClick(editor, IDC_ES_GUARDAR);
    Answer(CONFIRM);
    EXPECT_EQ(program.CloseMessage("Error"),
              "No se pudo guardar la aplicaci\xF3n en el archivo !\n" + entries + "VENTAS SUR.DAI");
    CloseHandle(held);
    EXPECT_EQ(drive::ControlText(editor, IDC_ES_IP), "10.9.9.9");
    EXPECT_STREQ(Stored("Ventas Sur").ipServidor, "10.1.2.3");
    drive::PostClick(editor, IDC_ES_GUARDAR);
    Answer(CONFIRM);
    ASSERT_TRUE(Back());
    EXPECT_EQ(fixture::Listing(entries), (Names{"Contabilidad.DAI", "Telmir.ICO", "VENTAS SUR.DAI",
                                                "VENTAS SUR.ICO", "Ventas.ICO"}));
    EXPECT_STREQ(Stored("VENTAS SUR").ipServidor, "10.9.9.9");

    // A read-only entry file is not replaced behind its owner's back either.
    editor = Open(MODIFICAR, EDIT_CAPTION, 1);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(drive::Type(editor, IDC_ES_IP, "10.8.8.8"));
    ASSERT_TRUE(SetFileAttributesA((entries + "VENTAS SUR.DAI").c_str(), FILE_ATTRIBUTE_READONLY));
    drive::PostClick(editor, IDC_ES_GUARDAR);
    Answer(CONFIRM);
    EXPECT_EQ(program.CloseMessage("Error"),
              "No se pudo guardar la aplicaci\xF3n en el archivo !\n" + entries + "VENTAS SUR.DAI");
    EXPECT_EQ(drive::ControlText(editor, IDC_ES_IP), "10.8.8.8");
    ASSERT_TRUE(SetFileAttributesA((entries + "VENTAS SUR.DAI").c_str(), FILE_ATTRIBUTE_NORMAL));
    drive::PostClick(editor, IDC_ES_CANCELAR);
    ASSERT_TRUE(Back());
    EXPECT_STREQ(Stored("VENTAS SUR").ipServidor, "10.9.9.9");

    // Deleted after CONF_BORRAR: entry file and icon.
    editor = Open(MODIFICAR, EDIT_CAPTION, 1);
    ASSERT_NE(editor, nullptr);
    held = CreateFileA((entries + "VENTAS SUR.ICO").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                       nullptr);
    drive::PostClick(editor, IDC_ES_BORRAR);
    Answer(CONFIRM);
    EXPECT_EQ(program.CloseMessage("Error"),
              "No se pudo borrar el \xED" "cono de la aplicaci\xF3n !\n" + entries + "VENTAS SUR.ICO");
    CloseHandle(held);
    ASSERT_TRUE(Back());
    DeleteFileA((entries + "VENTAS SUR.ICO").c_str());
    EXPECT_EQ(drive::ListItems(GetDlgItem(inicio, LIST)), Names{"Contabilidad"});
    EXPECT_EQ(fixture::Listing(entries), (Names{"Contabilidad.DAI", "Telmir.ICO", "Ventas.ICO"}));

    // Entries changed by others meanwhile: one whose record names another
    // entry, one deleted after the list was filled, one held.
    AppParams basura = recordfix::Defaults("Contabilidad");
    fixture::WriteBytes(entries + "Basura.DAI", &basura, sizeof basura);
    fixture::WriteBytes(entries + "Beta.DAI", &basura, sizeof basura);
    editor = Open(MODIFICAR, EDIT_CAPTION, 0);
    ASSERT_NE(editor, nullptr);
    drive::PostClick(editor, IDC_ES_CANCELAR);
    ASSERT_TRUE(Back());
    // The list is filled anew just after INICIO shows again.
    ASSERT_TRUE(drive::WaitUntil([&] { return drive::ListItems(GetDlgItem(inicio, LIST)).size() == 3; }));
    ASSERT_EQ(drive::ListItems(GetDlgItem(inicio, LIST)), (Names{"Basura", "Beta", "Contabilidad"}));
    ASSERT_TRUE(DeleteFileA((entries + "Beta.DAI").c_str()));
    HANDLE locked = CreateFileA((entries + "Contabilidad.DAI").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    // Each is second in the list: the list is filled anew after a failure.
    for (const char* name : {"Beta", "Contabilidad"}) {
        drive::ClickListItem(GetDlgItem(inicio, LIST), 1, false);
        ASSERT_TRUE(drive::WaitUntil([&] { return IsWindowEnabled(GetDlgItem(inicio, MODIFICAR)) != 0; }));
        drive::PostClick(inicio, MODIFICAR);
        EXPECT_EQ(program.CloseMessage("Error"),
                  "No se pudo leer el archivo de la aplicaci\xF3n !\n" + entries + name + ".DAI");
        EXPECT_EQ(program.Appears(EDIT_CAPTION, 300), nullptr);
    }
    CloseHandle(locked);
    EXPECT_EQ(drive::ListItems(GetDlgItem(inicio, LIST)), (Names{"Basura", "Contabilidad"}));
    // The listed name stands, and "&Borrar" deletes that entry only.
    editor = Open(MODIFICAR, EDIT_CAPTION, 0);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(drive::ControlText(editor, IDC_ES_NOMBRE), "Basura");
    drive::PostClick(editor, IDC_ES_BORRAR);
    Answer(CONFIRM);
    ASSERT_TRUE(Back());
    EXPECT_EQ(fixture::Listing(entries), (Names{"Contabilidad.DAI", "Telmir.ICO", "Ventas.ICO"}));
}
