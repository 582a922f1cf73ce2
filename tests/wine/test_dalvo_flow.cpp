// Installing, updating and uninstalling through the real Dalvo.EXE, from
// INICIO to the files on disk, driven from outside as a person would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "caller.h"
#include "drive.h"
#include "fixtures.h"
#include "linkreader.h"
#include "params/record.h"
#include "recordfix.h"
#include "resources/params/editor_ids.h"

namespace {

using fixture::Exists;

const char INICIO_CAPTION[] = "Instalaci\xF3n y mantenimiento de aplicaciones - TERMINAL";
const char INSTALAR_CAPTION[] = "Instalaci\xF3n de la aplicaci\xF3n";
const char NEW_CAPTION[] = "Agregar una nueva aplicaci\xF3n - Capturar sus par\xE1metros";
const char UPDATE_CAPTION[] = "Actualizar par\xE1metros de una aplicaci\xF3n";
const char BROWSE_CAPTION[] = "Seleccione el directorio deseado";
const char WARNING[] = "ADVERTENCIA";
const char COPY_JARS[] = "Copiar archivos &JAR";
const char UPDATE_JARS[] = "Actualizar archivos &JAR";
using fixture::DIRS_KEY;

enum { LIST = 1000, INICIO_INSTALAR = 1005 };
enum { DIR = 1001, CANCELAR = 1002, JARS = 1003, NOMBRE = 1004, BUSCAR = 1006, ACEPTAR = 1024, AYUDA = 1026 };
enum { JRE_VERSION = 3002, JRE_DIR = 3003 };
enum { BROWSE_DIRS = 1038, BROWSE_PATH = 1039 };

void Forget(const char* name)
{
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        for (const char* key : {fixture::VONDRA_KEY, DIRS_KEY})
            fixture::DeleteValue(root, key, name);
}

std::string UserValue(const char* key, const char* name)
{
    return fixture::TextOf(HKEY_CURRENT_USER, key, name);
}

// A workstation with entries on the "server" (DirInst\Terminal\), a Java
// runtime, and Dalvo started on them.
class Flow : public ::testing::Test {
protected:
    fixture::Workstation ws;
    std::string server, entries;
    drive::Program program;
    HWND inicio = nullptr;

    void SetUp() override
    {
        fixture::ClearRegistry();
        for (const char* name : {"Contabilidad", "Nomina"})
            Forget(name);
        server = fixture::NewDirectory("server");
        entries = server + "Terminal\\";
        ASSERT_TRUE(CreateDirectoryA(entries.c_str(), nullptr));
        for (const char* name : {"Contabilidad", "Nomina"}) {
            AppParams entry = recordfix::Defaults(name);
            std::strcpy(entry.ipServidor, "10.1.2.3");
            std::strcpy(entry.parametrosP, "CLAVE,PR");
            fixture::WriteBytes(entries + name + ".DAI", &entry, sizeof entry);
        }
        ASSERT_TRUE(CopyFileA(DALVO_ICO, (entries + "Contabilidad.ICO").c_str(), FALSE));
        Jar("Vondra.JAR", std::string(70000, 'v'));
        Jar("Extra.JAR", std::string(1234, 'e'));
        fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst", server);
        fixture::AddJre("1.8.0_202", ws.java.c_str());

        ASSERT_TRUE(program.Start(DALVO_EXE));
        inicio = program.Appears(INICIO_CAPTION, 20000);
        ASSERT_NE(inicio, nullptr);
    }
    void TearDown() override
    {
        if (inicio != nullptr && IsWindowVisible(inicio)) {
            drive::PostClick(inicio, 1002);
            EXPECT_EQ(program.WaitExit(10000), 0u);
        }
        for (const char* name : {"Contabilidad", "Nomina"})
            Forget(name);
        fixture::ClearRegistry();
    }

    void Jar(const char* name, const std::string& bytes)
    {
        fixture::WriteBytes(entries + name, bytes.data(), bytes.size());
    }

    HWND Appears(const char* caption, DWORD ms = 5000) { return program.Appears(caption, ms); }
    bool Gone(const char* caption) { return program.Gone(caption); }

    // Picks an application in INICIO and asks to install it: INICIO hides,
    // unless the entry is refused.
    void Pick(int index, bool hides = true, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        drive::ClickListItem(GetDlgItem(inicio, LIST), index, false);
        ASSERT_TRUE(drive::WaitUntil([&] { return IsWindowEnabled(GetDlgItem(inicio, INICIO_INSTALAR)) != 0; }));
        drive::PostClick(inicio, INICIO_INSTALAR);
        ASSERT_TRUE(!hides || drive::WaitUntil([&] { return !IsWindowVisible(inicio); }));
    }
    bool InicioBack() { return drive::WaitUntil([&] { return IsWindowVisible(inicio) != 0; }); }

    // The archive check box: text, checked, enabled.
    std::string JarBox(HWND dialog)
    {
        drive::Settle(dialog);
        return drive::ControlText(dialog, JARS) + (drive::Checked(dialog, JARS) ? " checked" : " unchecked") +
               (IsWindowEnabled(GetDlgItem(dialog, JARS)) ? " enabled" : " disabled");
    }

    // Answers the WARNING question whose button 1024 reads first, with id;
    // its message, when given, is checked.
    void Answer(const char* first, int id, const char* message = nullptr, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        HWND question = nullptr;
        ASSERT_TRUE(drive::WaitUntil([&] {
            question = Appears(WARNING, 100);
            return question != nullptr && drive::ControlText(question, 1024) == first;
        })) << first;
        if (message != nullptr) {
            EXPECT_EQ(drive::MessageText(question), message);
        }
        drive::PostClick(question, id);
        ASSERT_TRUE(drive::WaitUntil([&] { return !IsWindow(question); }));
    }

    // The editor opened by the flow, accepted.
    void AcceptEditor(const char* caption, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        HWND editor = Appears(caption, 10000);
        ASSERT_NE(editor, nullptr) << caption;
        EXPECT_EQ(GetWindow(editor, GW_OWNER), nullptr);
        drive::PostClick(editor, IDC_ED_ACEPTAR);
    }

    std::string Installed(const std::string& dir, const char* file) { return fixture::ReadAll(dir + "\\" + file); }
    std::string Link(const char* name) { return ws.desktop + "\\" + name + ".LNK"; }
};

}  // namespace

TEST_F(Flow, FirstInstallationUpdateAndUninstall)
{
    Pick(0);
    HWND dialog = Appears(INSTALAR_CAPTION);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), inicio);
    // The directory is DirInst, since there is one.
    EXPECT_EQ(drive::ControlText(dialog, NOMBRE) + "|" + drive::ControlText(dialog, DIR) + "|" +
                  drive::ControlText(dialog, JRE_VERSION) + "|" + drive::ControlText(dialog, JRE_DIR),
              "Contabilidad|" + server + "|1.8.0_202 (32 bits)|" + ws.java);
    EXPECT_EQ(JarBox(dialog), std::string(COPY_JARS) + " checked disabled");
    EXPECT_EQ(drive::ControlText(dialog, ACEPTAR) + "|" + drive::ControlText(dialog, BUSCAR), "&Instalar|&Buscar  >>");
    EXPECT_EQ(drive::StaticTexts(dialog),
              (std::vector<std::string>{"Versi\xF3n", "Directorio", "Nombre", "Directorio",
                                        "NOTA: Si instala una nueva versi\xF3n del ejecutable de Java ( JRE ) "
                                        "ser\xE1 necesario actualizar todas y cada una de las aplicaciones en "
                                        "VONDRA."}));
    EXPECT_TRUE(drive::Screenshot(dialog, "instalar.bmp"));

    // A new nested directory: declining its creation stays in the dialog.
    std::string target = ws.target + "\\Java\\Apps";
    ASSERT_TRUE(drive::Type(dialog, DIR, target));
    EXPECT_EQ(JarBox(dialog), std::string(COPY_JARS) + " checked disabled");
    drive::PostClick(dialog, ACEPTAR);
    HWND create = Appears(WARNING);
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(drive::ControlText(create, 1001), target);
    drive::PostClick(create, 1002);
    ASSERT_TRUE(Gone(WARNING));
    EXPECT_TRUE(IsWindow(dialog) && !Exists(ws.target));
    drive::PostClick(dialog, ACEPTAR);
    ASSERT_NE(program.Press(WARNING, 1024), nullptr);

    // What is typed in the editor is what gets installed.
    HWND editor = Appears(NEW_CAPTION, 10000);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(Exists(target));
    ASSERT_TRUE(drive::Type(editor, IDC_ED_TIEMPO, "45"));
    AcceptEditor(NEW_CAPTION);
    ASSERT_TRUE(InicioBack());

    // What the installation left: parameter file, icon, archives, marker, shortcut.
    EXPECT_EQ(fixture::Listing(target + "\\"),
              (std::vector<std::string>{"Contabilidad.ICO", "Contabilidad.PAR", "Extra.JAR", "Vondra.JAR"}));
    EXPECT_EQ(Installed(target, "Contabilidad.PAR"), "Efecto3,2,4,2,1,2\r\nDirecta,PRN,C:\\\r\nTiempo=45\r\n");
    EXPECT_EQ(Installed(target, "Contabilidad.ICO"), fixture::ReadAll(DALVO_ICO));
    EXPECT_EQ(Installed(target, "Vondra.JAR") + "|" + Installed(target, "Extra.JAR"),
              std::string(70000, 'v') + "|" + std::string(1234, 'e'));
    EXPECT_EQ(UserValue(fixture::VONDRA_KEY, "Contabilidad") + "|" + UserValue(DIRS_KEY, "Contabilidad"),
              "Instalado !|" + target);
    auto link = linkreader::Read(Link("Contabilidad"));
    ASSERT_FALSE(link.empty()) << "lnkinfo could not be run";
    EXPECT_EQ(link["Working directory"] + "|" + link["Icon location"], target + "|" + target + "\\Contabilidad.ICO");
    EXPECT_NE(link["Local path"].find("\\BIN\\JavaW.EXE"), std::string::npos) << link["Local path"];
    EXPECT_EQ(link["Command line arguments"], "-cp " + target + "\\Vondra.JAR;" + target + "\\*.JAR Vondra 10.1.2.3 " +
                                                  "\"/P=CLAVE,PR,x /C\" \"Archivo" + target + "\\Contabilidad.PAR\"");

    // A second run finds it installed and offers the update, in the
    // directory chosen then (not DirInst). The archives are current: no question.
    Pick(0);
    HWND exists = Appears(WARNING);
    ASSERT_NE(exists, nullptr);
    EXPECT_EQ(drive::ControlText(exists, NOMBRE), "Contabilidad");
    EXPECT_EQ(drive::ControlText(exists, ACEPTAR), "&Actualizar");
    std::vector<std::string> texts = drive::StaticTexts(exists);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2],
              "La aplicaci\xF3n de VONDRA seleccionada ya ha sido instalada en \xE9sta m\xE1quina previamente.");
    EXPECT_EQ(texts.back(), "Confirme si desea sobreescribir - esto es actualizar - la instalaci\xF3n existente.");
    EXPECT_TRUE(drive::Screenshot(exists, "existe.bmp"));
    drive::PostClick(exists, ACEPTAR);
    AcceptEditor(UPDATE_CAPTION);
    Answer("&Guardar", 1024);
    ASSERT_TRUE(InicioBack());
    EXPECT_EQ(Installed(target, "Vondra.JAR"), std::string(70000, 'v'));

    // An archive of another size on the server: the update asks, and copies.
    Jar("Vondra.JAR", std::string(500, 'w'));
    Pick(0);
    ASSERT_NE(program.Press(WARNING, ACEPTAR), nullptr);
    AcceptEditor(UPDATE_CAPTION);
    Answer("&Guardar", 1024);
    Answer("&Actualizarlos", 1024,
           "Los archivos JAR en en directorio de instalaci\xF3n de la aplicaci\xF3n requieren ser actualizados. "
           "Se recomienda actualizarlos ....");
    ASSERT_TRUE(InicioBack());
    EXPECT_EQ(Installed(target, "Vondra.JAR"), std::string(500, 'w'));

    // Uninstall from the editor: marker, icon and shortcut go; the rest stays.
    Pick(0);
    ASSERT_NE(program.Press(WARNING, ACEPTAR), nullptr);
    ASSERT_NE(program.Press(UPDATE_CAPTION, IDC_ED_DESINSTALAR, 10000), nullptr);
    Answer("&Desisntalar", 1024,
           "Confirme si realmente desea desinstalar la  aplicaci\xF3n de VONDRA seleccionada.");
    ASSERT_TRUE(InicioBack());
    EXPECT_EQ(fixture::Listing(target + "\\"),
              (std::vector<std::string>{"Contabilidad.PAR", "Extra.JAR", "Vondra.JAR"}));
    EXPECT_FALSE(Exists(Link("Contabilidad")));
    EXPECT_EQ(UserValue(fixture::VONDRA_KEY, "Contabilidad"), "(none)");
    EXPECT_EQ(UserValue(DIRS_KEY, "Contabilidad"), "(none)");

    // The next install command asks for a directory again; cancelling goes back.
    Pick(0);
    dialog = Appears(INSTALAR_CAPTION);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(drive::ControlText(dialog, DIR), server);
    drive::PostClick(dialog, CANCELAR);
    ASSERT_TRUE(InicioBack());
}

TEST_F(Flow, ArchiveCheckBoxFollowsTheTypedDirectory)
{
    std::string current = ws.root + "Actuales", stale = ws.root + "Viejos";
    for (const std::string& dir : {current, stale}) {
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
        for (const char* jar : {"Vondra.JAR", "Extra.JAR"})
            ASSERT_TRUE(CopyFileA((entries + jar).c_str(), (dir + "\\" + jar).c_str(), FALSE));
    }
    // Older than its source, same size.
    HANDLE file = CreateFileA((stale + "\\Extra.JAR").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME old{0, 0x01000000};
    SetFileTime(file, nullptr, nullptr, &old);
    CloseHandle(file);

    Pick(1);
    HWND dialog = Appears(INSTALAR_CAPTION);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(drive::ControlText(dialog, NOMBRE), "Nomina");
    ASSERT_TRUE(drive::Type(dialog, DIR, current));
    EXPECT_EQ(JarBox(dialog), std::string(UPDATE_JARS) + " unchecked disabled");
    ASSERT_TRUE(drive::Type(dialog, DIR, stale));
    EXPECT_EQ(JarBox(dialog), std::string(UPDATE_JARS) + " checked enabled");
    drive::PostClick(dialog, JARS);
    ASSERT_TRUE(drive::WaitUntil([&] { return !drive::Checked(dialog, JARS); }));
    ASSERT_TRUE(drive::Type(dialog, DIR, stale + "\\Nada"));
    EXPECT_EQ(JarBox(dialog), std::string(COPY_JARS) + " checked disabled");

    // The browser starts from the field and puts the chosen directory in it.
    ASSERT_TRUE(drive::Type(dialog, DIR, ws.root.substr(0, ws.root.size() - 1)));
    drive::PostClick(dialog, BUSCAR);
    HWND browser = Appears(BROWSE_CAPTION);
    ASSERT_NE(browser, nullptr);
    std::vector<std::string> items = drive::ListItems(GetDlgItem(browser, BROWSE_DIRS));
    auto at = std::find(items.begin(), items.end(), "Actuales");
    ASSERT_NE(at, items.end());
    drive::ClickListItem(GetDlgItem(browser, BROWSE_DIRS), static_cast<int>(at - items.begin()), true);
    ASSERT_TRUE(drive::WaitUntil([&] { return drive::ControlText(browser, BROWSE_PATH) == current; }));
    drive::PostClick(browser, 1024);
    ASSERT_TRUE(Gone(BROWSE_CAPTION));
    EXPECT_EQ(drive::ControlText(dialog, DIR), current);
    EXPECT_EQ(JarBox(dialog), std::string(UPDATE_JARS) + " unchecked disabled");

    // Cancelled, the field keeps its text and the box is worked out again.
    DeleteFileA((current + "\\Extra.JAR").c_str());
    drive::PostClick(dialog, BUSCAR);
    ASSERT_NE(program.Press(BROWSE_CAPTION, 1002), nullptr);
    ASSERT_TRUE(Gone(BROWSE_CAPTION));
    EXPECT_EQ(drive::ControlText(dialog, DIR), current);
    EXPECT_EQ(JarBox(dialog), std::string(COPY_JARS) + " checked disabled");

    // Help, then the checks of "&Instalar".
    drive::PostClick(dialog, AYUDA);
    HWND help = Appears("AYUDA");
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(drive::StaticTexts(help), (std::vector<std::string>{
              "En esta parte debe proporcionar el directorio en el cual se instalar\xE1n los archivos "
              "necesarios para la ejecuci\xF3n de la aplicaci\xF3n.",
              "Se recomienda que todas las aplicaciones sean instaladas en el mismo directorio ya que en "
              "\xE9l se copiar\xE1n los archivos JAR necesarios para ejecutar todas las aplicaciones, "
              "adem\xE1s de los archivos espec\xED" "ficos a cada aplicaci\xF3n.",
              "Use el bot\xF3n BUSCAR para buscar el directorio de instalaci\xF3n, o proporci\xF3nelo "
              "directamente.",
              "Si en el directorio dado existen ya los archivos JAR, el instalador activar\xE1 la "
              "posibilidad de actualizarlos si as\xED se desea. Para ello prenda la bandera "
              "correspondiente.",
              "Puede, si as\xED lo desea y si la aplicaci\xF3n ya ha sido instalada previamente, "
              "desinstalar la aplicaci\xF3n seleccionando el bot\xF3n DESINSTALAR. O bi\xE9n actualizar sus "
              "par\xE1metros seleccionando el bot\xF3n ACTUALIZAR."}));
    EXPECT_TRUE(drive::Screenshot(help, "ayuda_instala.bmp"));
    drive::PostClick(help, 1024);
    ASSERT_TRUE(Gone("AYUDA"));

    // No more can be typed than installDir holds: 259 characters stay. The
    // backspace and 'y' typed last give a text that no earlier moment of the
    // typing shows, so every key has been handled once it is there.
    std::string longest = "C:\\" + std::string(300, 'x');
    EXPECT_TRUE(drive::Type(dialog, DIR, longest + "\by", (longest.substr(0, 258) + "y").c_str()));

    ASSERT_TRUE(drive::Type(dialog, DIR, ""));
    drive::PostClick(dialog, ACEPTAR);
    EXPECT_EQ(program.CloseMessage("Error"), "Proporcione el directorio de instalaci\xF3n !");
    // A shortcut left without its marker: the name counts as taken.
    fixture::WriteBytes(Link("Nomina"), "L", 1);
    ASSERT_TRUE(drive::Type(dialog, DIR, current));
    drive::PostClick(dialog, ACEPTAR);
    EXPECT_EQ(program.CloseMessage("Error"), "El nombre de la aplicaci\xF3n ya existe !");
    EXPECT_TRUE(IsWindow(dialog));
    DeleteFileA(Link("Nomina").c_str());

    // Without archives on the server the box says "Copiar", and the new
    // installation, which would start nothing, is refused before it writes.
    for (const char* jar : {"Vondra.JAR", "Extra.JAR"})
        DeleteFileA((entries + jar).c_str());
    std::string bare = ws.root + "SinArchivos";
    ASSERT_TRUE(CreateDirectoryA(bare.c_str(), nullptr));
    ASSERT_TRUE(drive::Type(dialog, DIR, bare));
    EXPECT_EQ(JarBox(dialog), std::string(COPY_JARS) + " checked disabled");
    drive::PostClick(dialog, ACEPTAR);
    AcceptEditor(NEW_CAPTION);
    EXPECT_EQ(program.CloseMessage("Error"),
              "No hay archivos JAR que copiar para la aplicaci\xF3n en\n" + entries);
    ASSERT_TRUE(InicioBack());
    EXPECT_EQ(fixture::Listing(bare + "\\"), (std::vector<std::string>{}));
    EXPECT_FALSE(Exists(Link("Nomina")));
    EXPECT_EQ(UserValue(fixture::VONDRA_KEY, "Nomina"), "(none)");
}

TEST_F(Flow, MachineKeyInstallationIsMovedToTheUser)
{
    std::string old = ws.root + "Antigua";
    fixture::SetText(HKEY_LOCAL_MACHINE, fixture::VONDRA_KEY, "Contabilidad", "Instalado !");
    fixture::SetText(HKEY_LOCAL_MACHINE, fixture::VONDRA_KEY, "DirInst", old);
    // The user's DirInst would otherwise win: this older workstation has none.
    ASSERT_TRUE(fixture::DeleteValue(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst"));

    Pick(0);
    HWND exists = Appears(WARNING);
    ASSERT_NE(exists, nullptr);
    EXPECT_EQ(drive::ControlText(exists, NOMBRE), "Contabilidad");
    EXPECT_EQ(UserValue(fixture::VONDRA_KEY, "Contabilidad") + "|" + UserValue(fixture::VONDRA_KEY, "DirInst"),
              "Instalado !|" + old);
    EXPECT_FALSE(fixture::GetText(HKEY_LOCAL_MACHINE, fixture::VONDRA_KEY, "Contabilidad", nullptr));

    // Updating works in the old DirInst.
    drive::PostClick(exists, ACEPTAR);
    AcceptEditor(UPDATE_CAPTION);
    Answer("&Guardar", 1024);
    Answer("&Actualizarlos", 1002);
    ASSERT_TRUE(InicioBack());
    EXPECT_EQ(fixture::Listing(old + "\\"), (std::vector<std::string>{"Contabilidad.ICO", "Contabilidad.PAR"}));
    EXPECT_EQ(linkreader::Read(Link("Contabilidad"))["Working directory"], old);

    // Cancelling EXISTE goes straight back to INICIO.
    Pick(0);
    exists = Appears(WARNING);
    ASSERT_NE(exists, nullptr);
    PostMessageA(exists, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(InicioBack());
    EXPECT_EQ(Appears(UPDATE_CAPTION, 300), nullptr);
}

TEST_F(Flow, TheEntryIsTheFilePickedWhateverItsRecordSays)
{
    // An entry file whose record names a path elsewhere: every file is named
    // after the entry picked.
    drive::PostClick(inicio, 1002);
    ASSERT_EQ(program.WaitExit(10000), 0u);
    AppParams evil = recordfix::Defaults("..\\..\\..\\fuera");
    std::strcpy(evil.ipServidor, "10.1.2.3");
    fixture::WriteBytes(entries + "Evil.DAI", &evil, sizeof evil);
    // One whose mail server would add a line to the parameter file.
    std::strcpy(evil.correoServidor, "smtp\r\nFondoRojo");
    fixture::WriteBytes(entries + "Roja.DAI", &evil, sizeof evil);
    ASSERT_TRUE(program.Start(DALVO_EXE));
    inicio = program.Appears(INICIO_CAPTION, 20000);
    ASSERT_NE(inicio, nullptr);

    Pick(1);
    HWND dialog = Appears(INSTALAR_CAPTION);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(drive::ControlText(dialog, NOMBRE), "Evil");
    ASSERT_TRUE(drive::Type(dialog, DIR, ws.target));
    drive::PostClick(dialog, ACEPTAR);
    ASSERT_NE(program.Press(WARNING, 1024), nullptr);
    AcceptEditor(NEW_CAPTION);
    ASSERT_TRUE(InicioBack());
    EXPECT_TRUE(fixture::Exists(ws.target + "\\Evil.PAR") && fixture::Exists(Link("Evil")));
    EXPECT_EQ(fixture::Listing(server), std::vector<std::string>{"Terminal"});
    EXPECT_FALSE(fixture::Exists("C:\\fuera.PAR"));
    Forget("Evil");

    Pick(3, false);
    EXPECT_EQ(program.CloseMessage("Error"), "Un par\xE1metro contiene saltos de l\xEDnea, caracteres de control, "
                                             "comillas o blancos que no admite !\nCorreo: servidor");
    EXPECT_EQ(Appears(INSTALAR_CAPTION, 300), nullptr);
    EXPECT_EQ(UserValue(fixture::VONDRA_KEY, "Roja"), "(none)");

    // An entry gone from the share since it was listed is said so and not
    // edited; the list shows what is there.
    ASSERT_TRUE(DeleteFileA((entries + "Nomina.DAI").c_str()));
    Pick(2, false);
    EXPECT_EQ(program.CloseMessage("Error"),
              "No se pudo leer el archivo de la aplicaci\xF3n !\n" + entries + "Nomina.DAI");
    EXPECT_EQ(drive::ListItems(GetDlgItem(inicio, LIST)),
              (std::vector<std::string>{"Contabilidad", "Evil", "Roja"}));
    EXPECT_EQ(Appears(INSTALAR_CAPTION, 300), nullptr);
}
