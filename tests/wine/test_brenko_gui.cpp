// The real Brenko.EXE laid out as installed, with the real Fostra.EXE and
// Kelmin.EXE beside it, driven from outside: the initial message and its
// flag, the companions, and an application added, modified and uninstalled.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "caller.h"
#include "drive.h"
#include "fixtures.h"
#include "kelmin_fixture.h"
#include "linkreader.h"
#include "params/record.h"
#include "recordfix.h"
#include "resources/params/editor_standalone_ids.h"

namespace {

const char INICIO_CAPTION[] = "Instalaci\xF3n y mantenimiento de aplicaciones";
const char INSTALAR_CAPTION[] = "Instalaci\xF3n de la aplicaci\xF3n";
const char NEW_CAPTION[] = "Agregar una nueva aplicaci\xF3n - Capturar sus par\xE1metros";
const char UPDATE_CAPTION[] = "Actualizar par\xE1metros de una aplicaci\xF3n";
using fixture::DIRS_KEY;
enum { LIST = 1000, AGREGAR = 1002, TERMINAR = 1004, MODIFICAR = 1005, RTF = 1009, MENSAJE = 1010 };
enum { NO_MOSTRAR = 1001, CONTINUAR = 1025, FOSTRA = 1008, OK = 1025, CANCEL = 1004 };
enum { INST_NOMBRE = 1006, INST_DIR = 1003 };

std::string User(const std::string& key, const char* name) { return fixture::TextOf(HKEY_CURRENT_USER, key, name); }
std::string Marker(const char* name) { return User(fixture::VONDRA_KEY, name); }
std::string Flag() { return Marker("Brenko"); }

// The installation directory as the setup program leaves it.
class Brenko : public ::testing::Test {
protected:
    fixture::Workstation ws;
    std::string setup, entries;
    drive::Program program;
    HWND inicio = nullptr;

    void SetUp() override
    {
        fixture::ClearRegistry();
        setup = fixture::NewDirectory("brenko");
        entries = setup + "Terminal\\";
        ASSERT_TRUE(CreateDirectoryA(entries.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((setup + "Servidor").c_str(), nullptr));
        ASSERT_TRUE(CopyFileA(BRENKO_EXE, (setup + "Brenko.EXE").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(FOSTRA_EXE, (setup + "Servidor\\Fostra.EXE").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(KELMIN_EXE, (entries + "Kelmin.EXE").c_str(), FALSE));
        AppParams entry = recordfix::Defaults("Contabilidad");
        std::strcpy(entry.ipServidor, "10.1.2.3");
        fixture::WriteBytes(entries + "Contabilidad.DAI", &entry, sizeof entry);
        ASSERT_TRUE(CopyFileA(DALVO_ICO, (entries + "Contabilidad.ICO").c_str(), FALSE));
        fixture::WriteBytes(entries + "Vondra.JAR", "jar", 3);
        fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst", setup);
    }
    void TearDown() override
    {
        if (program.Running() && inicio != nullptr) {
            drive::PostClick(inicio, TERMINAR);
            EXPECT_EQ(program.WaitExit(10000), 0u);
        }
        kelmin::ClearInstallation();
        fixture::ClearRegistry();
    }

    // Brenko started in the installation directory, as the setup program does.
    void Start(Caller caller = {})
    {
        SCOPED_CALLER(caller);
        std::string exe = setup + "Brenko.EXE";
        ASSERT_TRUE(program.Launch(exe.c_str(), "\"" + exe + "\"", setup));
        inicio = program.Appears(INICIO_CAPTION, 20000);
        ASSERT_NE(inicio, nullptr);
    }
    // The initial message: a dialog of Brenko's without caption.
    HWND Message()
    {
        HWND found = nullptr;
        drive::WaitUntil([&] {
            found = drive::FindWindowNow("#32770", program.info.dwProcessId, [](HWND w) {
                return drive::ControlText(w, FOSTRA) == "&Ejecutar Fostra.EXE";
            });
            return found != nullptr;
        }, 10000);
        return found;
    }
    // Ticks "&No volver a mostrar este mensaje." and presses button.
    void Answer(HWND message, int button, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        drive::PostClick(message, NO_MOSTRAR);
        ASSERT_TRUE(drive::WaitUntil([&] { return drive::Checked(message, NO_MOSTRAR); }));
        drive::PostClick(message, button);
    }
    // The ADVERTENCIA question whose accepting button reads first, answered with id.
    void Confirm(const char* first, int id, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        HWND question = nullptr;
        ASSERT_TRUE(drive::WaitUntil([&] {
            question = program.Appears("ADVERTENCIA", 100);
            return question != nullptr && drive::ControlText(question, OK) == first;
        })) << first;
        drive::PostClick(question, id);
        ASSERT_TRUE(drive::WaitUntil([&] { return !IsWindow(question); }));
    }
    // "&Modificar" of the listed entry name.
    void Act(const char* name)
    {
        std::vector<std::string> items = drive::ListItems(GetDlgItem(inicio, LIST));
        auto at = std::find(items.begin(), items.end(), name);
        EXPECT_NE(at, items.end()) << name;
        drive::ClickListItem(GetDlgItem(inicio, LIST), static_cast<int>(at - items.begin()), false);
        EXPECT_TRUE(drive::WaitUntil([&] { return IsWindowEnabled(GetDlgItem(inicio, MODIFICAR)) != 0; }));
        drive::PostClick(inicio, MODIFICAR);
    }
    HWND Modify(const char* name) { Act(name); return program.Appears(UPDATE_CAPTION, 10000); }
    bool Back() { return drive::WaitUntil([&] { return IsWindowVisible(inicio) != 0; }, 20000); }
    std::string Link(const char* name) { return ws.desktop + "\\" + name + ".LNK"; }
};

}  // namespace

TEST_F(Brenko, InitialMessageFlagFostraAndKelmin)
{
    // First start: no flag, so the message comes, the flag is written as "1"
    // (two bytes) and the button that re-enables it is enabled.
    Start();
    HWND message = Message();
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(GetWindow(message, GW_OWNER), inicio);
    EXPECT_NE(GetWindowLongA(message, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(drive::ControlText(message, NO_MOSTRAR) + "|" + drive::ControlText(message, CONTINUAR) + "|" +
                  drive::ControlText(message, TERMINAR),
              "&No volver a mostrar este mensaje.|&Continuar|&Terminar");
    EXPECT_EQ(Flag(), "1");
    DWORD size = 0;
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "Brenko", RRF_RT_REG_SZ, nullptr, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 2u);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(inicio, MENSAJE)));
    EXPECT_TRUE(drive::Screenshot(message, "brenko_standalone.bmp"));
    // Ticked, "&Terminar" ends the program and the message stays due.
    Answer(message, TERMINAR);
    EXPECT_EQ(program.WaitExit(10000), 0u);
    EXPECT_EQ(Flag(), "1");

    // An empty flag counts as missing. Ticked, "&Ejecutar Fostra.EXE" ends
    // it and starts Servidor\Fostra.EXE.
    fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "Brenko", "", false);
    Start();
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(inicio, MENSAJE)));
    Answer(Message(), FOSTRA);
    EXPECT_EQ(program.WaitExit(10000), 0u);
    EXPECT_EQ(Flag(), "1");
    const char* fostraCaption = "Instalaci\xF3n y mantenimiento de aplicaciones - SERVIDOR";
    HWND fostra = drive::WaitForWindow(fostraCaption, 20000);
    ASSERT_NE(fostra, nullptr);
    drive::PostClick(fostra, 1002);
    ASSERT_TRUE(drive::WaitForNoWindow(fostraCaption, 10000));

    // Ticked, "&Continuar" stores "0" and carries on; 1010 stays disabled.
    Start();
    message = Message();
    Answer(message, CONTINUAR);
    ASSERT_TRUE(drive::WaitUntil([&] { return !IsWindow(message); }));
    EXPECT_EQ(Flag(), "0");
    EXPECT_TRUE(IsWindowVisible(inicio) && !IsWindowEnabled(GetDlgItem(inicio, MENSAJE)));
    drive::PostClick(inicio, TERMINAR);
    ASSERT_EQ(program.WaitExit(10000), 0u);

    // Next start: no message; 1010 turns it on again and disables itself.
    Start();
    ASSERT_TRUE(drive::WaitUntil([&] { return IsWindowEnabled(GetDlgItem(inicio, MENSAJE)) != 0; }));
    drive::PostClick(inicio, MENSAJE);
    ASSERT_TRUE(drive::WaitUntil([&] { return Flag() == "1" && !IsWindowEnabled(GetDlgItem(inicio, MENSAJE)); }));
    EXPECT_EQ(drive::FindWindowNow("#32770", program.info.dwProcessId,
                                   [](HWND w) { return GetDlgItem(w, FOSTRA) != nullptr; }),
              nullptr);

    // Kelmin runs in Terminal\ (Brenko runs one level up): it installs the
    // Pluvik.DLL found there. INICIO is hidden until Kelmin ends.
    kelmin::NewJre("1.8", kelmin::STOCK_POLICY);
    std::string library = kelmin::LibraryBytes(3);
    kelmin::WriteAll(entries + "Pluvik.DLL", library);
    drive::PostClick(inicio, RTF);
    HWND rtf = drive::WaitForWindow("Instalaci\xF3n de VONDRA", 20000);
    ASSERT_NE(rtf, nullptr);
    EXPECT_FALSE(IsWindowVisible(inicio));
    drive::SetText(GetDlgItem(rtf, 3007), "10.0.0.5");
    drive::PostClick(rtf, 3000);
    ASSERT_TRUE(drive::WaitUntil([&] { return drive::ControlText(rtf, 3004) == "2.3"; }, 10000));
    EXPECT_EQ(kelmin::ReadAll(kelmin::InstalledLibrary()), library);
    EXPECT_FALSE(IsWindowVisible(inicio));
    drive::PostClick(rtf, 2000);
    ASSERT_TRUE(Back());

    // Without Kelmin.EXE: the start error, text, empty line and path.
    ASSERT_TRUE(DeleteFileA((entries + "Kelmin.EXE").c_str()));
    drive::PostClick(inicio, RTF);
    EXPECT_EQ(program.CloseMessage("Error al cargar programa..."),
              "No se encontr\xF3 el archivo.\n\n" + entries + "Kelmin.EXE");
    ASSERT_TRUE(Back());
}

TEST_F(Brenko, AddModifyAndUninstall)
{
    fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "Brenko", "0");
    fixture::AddJre("1.8.0_202", ws.java.c_str());
    Start();

    // "&Agregar": INSTALAR with an empty, editable name; taken names refused.
    drive::PostClick(inicio, AGREGAR);
    HWND dialog = program.Appears(INSTALAR_CAPTION);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(drive::ControlText(dialog, INST_NOMBRE), "");
    EXPECT_EQ(drive::ControlText(dialog, INST_DIR), setup);
    ASSERT_TRUE(drive::Type(dialog, INST_DIR, ws.target));
    ASSERT_TRUE(CreateDirectoryA(ws.target.c_str(), nullptr));
    fixture::WriteBytes(Link("Nomina"), "L", 1);  // a shortcut left behind takes the name too
    for (const char* taken : {"Contabilidad", "Nomina"}) {
        ASSERT_TRUE(drive::Type(dialog, INST_NOMBRE, taken));
        drive::PostClick(dialog, OK);
        EXPECT_EQ(program.CloseMessage("Error"), "El nombre de la aplicaci\xF3n ya existe !") << taken;
    }
    ASSERT_TRUE(DeleteFileA(Link("Nomina").c_str()));
    drive::PostClick(dialog, OK);

    // The editor: everything editable, the server taken from the first entry.
    HWND editor = program.Appears(NEW_CAPTION, 10000);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(drive::ControlText(editor, IDC_EG_NOMBRE) + " " + drive::ControlText(editor, IDC_EG_IP),
              "Nomina 10.1.2.3");
    EXPECT_TRUE(!IsWindowEnabled(GetDlgItem(editor, IDC_EG_DESINSTALAR)) &&
                IsWindowEnabled(GetDlgItem(editor, IDC_EG_IMAGENES_GRANDES)));
    EXPECT_TRUE(drive::Screenshot(editor, "brenko_parametros.bmp"));
    ASSERT_TRUE(drive::Type(editor, IDC_EG_PARAMETROS, "CLAVE,PR"));
    ASSERT_TRUE(drive::Type(editor, IDC_EG_TIEMPO, "45"));
    drive::PostClick(editor, IDC_EG_ACEPTAR);
    ASSERT_TRUE(Back());

    // Saved as an entry and installed as Dalvo installs.
    AppParams saved{};
    std::string bytes = fixture::ReadAll(entries + "Nomina.DAI");
    ASSERT_EQ(bytes.size(), sizeof saved);
    std::memcpy(&saved, bytes.data(), sizeof saved);
    EXPECT_STREQ(saved.parametrosP, "CLAVE,PR");
    EXPECT_EQ(drive::ListItems(GetDlgItem(inicio, LIST)), (std::vector<std::string>{"Contabilidad", "Nomina"}));
    EXPECT_TRUE(drive::Screenshot(inicio, "brenko_inicio.bmp"));
    std::string target = ws.target + "\\";
    EXPECT_EQ(fixture::Listing(target), (std::vector<std::string>{"Nomina.PAR", "Vondra.JAR"}));
    EXPECT_EQ(fixture::ReadAll(target + "Nomina.PAR"), "Efecto3,2,4,2,1,2\r\nDirecta,PRN,C:\\\r\nTiempo=45\r\n");
    EXPECT_EQ(Marker("Nomina") + "|" + User(DIRS_KEY, "Nomina"), "Instalado !|" + ws.target);
    const std::string listing = std::string(fixture::PROGRAMS_KEY) + "VONDRA - Nomina";
    EXPECT_EQ(User(listing, "UninstallString"), "\"" + entries + "Dalvo.EXE\" /desinstalar \"Nomina\"");
    auto link = linkreader::Read(Link("Nomina"));
    ASSERT_FALSE(link.empty()) << "lnkinfo could not be run";
    EXPECT_EQ(link["Working directory"], ws.target);
    EXPECT_EQ(link["Command line arguments"], "-cp " + target + "Vondra.JAR;" + target + "*.JAR Vondra 10.1.2.3 " +
                                                  "\"/P=CLAVE,PR,x /C\" \"Archivo" + target + "Nomina.PAR\"");

    // "&Modificar" of an application not installed here: into DirInst, no
    // directory asked. A failed save is shown, the editor stays, nothing is
    // installed; then the archives there are missing, and the copy declined.
    editor = Modify("Contabilidad");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(drive::ControlText(editor, IDC_EG_ACEPTAR), "&Actualizar");
    HANDLE held = CreateFileA((entries + "Contabilidad.DAI").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    drive::PostClick(editor, IDC_EG_ACEPTAR);
    Confirm("&Guardar", OK);
    EXPECT_EQ(program.CloseMessage("Error"),
              "No se pudo guardar la aplicaci\xF3n en el archivo !\n" + entries + "Contabilidad.DAI");
    CloseHandle(held);
    EXPECT_TRUE(IsWindow(editor) && !fixture::Exists(setup + "Contabilidad.PAR"));
    drive::PostClick(editor, IDC_EG_ACEPTAR);
    Confirm("&Guardar", OK);
    Confirm("&Actualizarlos", CANCEL);
    ASSERT_TRUE(Back());
    EXPECT_EQ(fixture::ReadAll(setup + "Contabilidad.ICO"), fixture::ReadAll(entries + "Contabilidad.ICO"));
    EXPECT_TRUE(fixture::Exists(setup + "Contabilidad.PAR") && !fixture::Exists(setup + "Vondra.JAR"));
    EXPECT_EQ(User(DIRS_KEY, "Contabilidad") + "|" + linkreader::Read(Link("Contabilidad"))["Working directory"],
              setup + "|" + setup);

    // "&Desinstalar": the entry leaves the list, the installation goes where
    // it was made (the recorded directory, not DirInst).
    editor = Modify("Nomina");
    ASSERT_NE(editor, nullptr);
    drive::PostClick(editor, IDC_EG_DESINSTALAR);
    Confirm("&Borrar", OK);
    ASSERT_TRUE(Back());
    EXPECT_EQ(drive::ListItems(GetDlgItem(inicio, LIST)), std::vector<std::string>{"Contabilidad"});
    EXPECT_FALSE(fixture::Exists(entries + "Nomina.DAI") || fixture::Exists(Link("Nomina")));
    EXPECT_EQ(Marker("Nomina") + " " + User(listing, "DisplayName"), "(none) (none)");
    EXPECT_EQ(fixture::Listing(target), (std::vector<std::string>{"Nomina.PAR", "Vondra.JAR"}));

    // An entry deleted by someone else after the list was filled is not
    // edited: nothing of the application edited last is touched.
    AppParams beta = recordfix::Defaults("Contabilidad");
    fixture::WriteBytes(entries + "Beta.DAI", &beta, sizeof beta);
    editor = Modify("Contabilidad");
    ASSERT_NE(editor, nullptr);
    drive::PostClick(editor, IDC_EG_CANCELAR);
    ASSERT_TRUE(Back());
    // The list is filled anew just after INICIO shows again.
    ASSERT_TRUE(drive::WaitUntil([&] { return drive::ListItems(GetDlgItem(inicio, LIST)).size() == 2; }));
    ASSERT_TRUE(DeleteFileA((entries + "Beta.DAI").c_str()));
    Act("Beta");
    EXPECT_EQ(program.CloseMessage("Error"),
              "No se pudo leer el archivo de la aplicaci\xF3n !\n" + entries + "Beta.DAI");
    EXPECT_EQ(drive::ListItems(GetDlgItem(inicio, LIST)), std::vector<std::string>{"Contabilidad"});
    EXPECT_EQ(Marker("Contabilidad"), "Instalado !");
    EXPECT_TRUE(fixture::Exists(entries + "Contabilidad.DAI"));
}
