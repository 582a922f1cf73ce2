// The real Kelmin.EXE, driven from outside: install, update and uninstall of
// the library and its grant, and what happens when the files resist.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "caller.h"
#include "drive.h"
#include "fixtures.h"
#include "kelmin_fixture.h"

#include <sddl.h>

using kelmin::Block;
using kelmin::LfOnly;
using kelmin::ReadAll;
using kelmin::STOCK_POLICY;

namespace {

const char INICIO[] = "Instalaci\xF3n de VONDRA";
const char DESINST[] = "Desinstalar DLL";
enum {
    INSTALAR = 3000, DESINSTALAR = 3001, JRE_VERSION = 3002, JRE_HOME = 3003, INSTALADA = 3004,
    A_INSTALAR = 3005, ACTUALIZAR = 3006, URL = 3007, NOTA = 3008, TERMINAR = 2000, DESINST_CANCELAR = 3005
};

struct Error {
    const char* caption;
    const char* text;
};
const Error ERROR_JRE = {"ERROR - No existe JRE", nullptr};
const Error ERROR_REGISTRY = {
    "ERROR al actualizar el registro",
    "No se pudo crear la entrada en el registro de Windows para el DLL.\nLibere el registro e intentente nuevamente."};
const Error ERROR_COPY = {
    "ERROR al copiar DLL",
    "No se pudo copiar el archivo Pluvik.DLL.\nRevise permisos, espacio en disco y que el archivo exista."};
const Error ERROR_POLICY = {
    "ERROR al crear entrada en JAVA.POLICY",
    "No se pudo crear la entrada en JAVA.POLICY.\nRevise permisos, espacio en disco y que el archivo exista."};
const Error ERROR_FORMAT = {"Error en formato", "Formato incorrecto de la URL de los archivos JAR"};

BOOL CALLBACK CollectGroup(HWND child, LPARAM data)
{
    char className[32];
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Button") == 0 && (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
        reinterpret_cast<std::vector<std::string>*>(data)->push_back(drive::Text(child));
    return TRUE;
}

// Texts of the group boxes of a dialog, in creation order.
std::vector<std::string> GroupTexts(HWND dialog)
{
    std::vector<std::string> texts;
    EnumChildWindows(dialog, CollectGroup, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// A Java runtime's own reading of a policy file: per code base (blank-separated
// URLs), which of Pluvik's grant, the file permission and the stock grant to
// all code it gives, one line each ("-" for none).
std::string JavaGrants(const std::string& policy, const std::string& codeBases)
{
    return fixture::UnixOutput(POLICY_CHECK " '" + fixture::UnixPath(policy) + "' " + codeBases + " 2>/dev/null");
}

std::string DllValue(const char* name)
{
    return fixture::TextOf(HKEY_LOCAL_MACHINE, kelmin::DLL_KEY, name);
}

bool DllKeyExists()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kelmin::DLL_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

class Kelmin : public ::testing::Test {
protected:
    std::unique_ptr<drive::Program> program;
    HWND inicio = nullptr;
    std::string home;     // the runtime's directory, with '\'
    std::string policy;   // its JAVA.POLICY
    std::string source;   // directory of the library to install, with '\'
    std::string library;  // the bytes of that library

    void SetUp() override
    {
        fixture::ClearRegistry();
        kelmin::ClearInstallation();
        home = kelmin::NewJre("1.8", STOCK_POLICY);
        policy = home + "LIB\\SECURITY\\JAVA.POLICY";
        library = kelmin::LibraryBytes(1);
        source = kelmin::NewSource(library);
    }
    void TearDown() override
    {
        program.reset();
        kelmin::ClearInstallation();
        fixture::ClearRegistry();
    }

    // Starts Kelmin with this command line (the application named apart);
    // the first refresh has run when a runtime is registered.
    void Start(const std::string& commandLine, const std::string& workDir = "", Caller caller = {})
    {
        SCOPED_CALLER(caller);
        program.reset(new drive::Program);
        ASSERT_TRUE(program->Launch(KELMIN_EXE, commandLine, workDir));
        inicio = program->Appears(INICIO, 20000);
        ASSERT_NE(inicio, nullptr);
    }
    // Started with the source directory as its command line.
    void StartWithSource(Caller caller = {})
    {
        SCOPED_CALLER(caller);
        Start(source.substr(0, source.size() - 1));
        ASSERT_TRUE(drive::WaitUntil([&] { return Text(INSTALADA) != ""; }));
    }

    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(inicio, id)) != 0; }
    std::string Text(int id) { return drive::ControlText(inicio, id); }
    // The texts of these controls, each followed by '|'.
    std::string Texts(std::initializer_list<int> ids)
    {
        std::string joined;
        for (int id : ids)
            joined += Text(id) + "|";
        return joined;
    }
    void Type(const std::string& text) { drive::SetText(GetDlgItem(inicio, URL), text); }
    // "Instalar", "Actualizar" and "Desinstalar" as the three states show them.
    std::string Buttons()
    {
        return std::string(Enabled(INSTALAR) ? "I" : "-") + (Enabled(ACTUALIZAR) ? "A" : "-") +
               (Enabled(DESINSTALAR) ? "D" : "-");
    }
    // The buttons once text is typed in the address field.
    std::string ButtonsTyping(const std::string& text) { Type(text); return Buttons(); }
    bool WaitInstalled() { return drive::WaitUntil([&] { return Text(INSTALADA) == "2.3" && Enabled(DESINSTALAR); }); }
    bool WaitNotInstalled()
    {
        return drive::WaitUntil([&] { return Text(INSTALADA) == "No hay" && Enabled(INSTALAR); });
    }
    // The error box of the program: its text checked, then closed with OK.
    void ExpectError(const Error& error, const char* shot = nullptr, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        HWND box = program->Appears(error.caption, 10000);
        ASSERT_NE(box, nullptr) << error.caption;
        if (error.text != nullptr) {
            EXPECT_EQ(drive::MessageText(box), error.text);
        }
        if (shot != nullptr) {
            EXPECT_TRUE(drive::Screenshot(box, shot));
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(program->Gone(error.caption));
    }
    // "Instalar" with typed, answered by the error: then nothing shows installed.
    bool Refused(const std::string& typed, const Error& error, const char* shot = nullptr, Caller caller = {})
    {
        Install(typed);
        ExpectError(error, shot, caller);
        return WaitNotInstalled();
    }
    void NoErrorAppears(Caller caller = {})
    {
        SCOPED_CALLER(caller);
        drive::Settle(inicio);
        for (const Error* error : {&ERROR_JRE, &ERROR_REGISTRY, &ERROR_COPY, &ERROR_POLICY, &ERROR_FORMAT})
            EXPECT_EQ(program->Appears(error->caption, 0), nullptr) << error->caption;
    }
    void Install(const std::string& typed) { Type(typed); drive::PostClick(inicio, INSTALAR); }
    bool Installs(const std::string& typed) { Install(typed); return WaitInstalled(); }
    void Terminate(Caller caller = {})
    {
        SCOPED_CALLER(caller);
        drive::PostClick(inicio, TERMINAR);
        EXPECT_EQ(program->WaitExit(10000), 0u);
    }
};

}  // namespace

TEST_F(Kelmin, InstallsUpdatesAndUninstalls)
{
    StartWithSource();
    EXPECT_EQ(Texts({JRE_VERSION, JRE_HOME, INSTALADA, A_INSTALAR, URL}) + Buttons(),
              "1.8 (32 bits)|" + home.substr(0, home.size() - 1) + "|No hay|2.3||I--");
    EXPECT_EQ(Texts({INSTALAR, ACTUALIZAR, DESINSTALAR, TERMINAR}), "&Instalar|&Actualizar|&Desinstalar|&Terminar|");
    EXPECT_EQ(GroupTexts(inicio), (std::vector<std::string>{" Ejecutable de JAVA ( Java Runtime Environment - JRE - ) ",
                                                         " Versi\xF3n del DLL ", " URL de los JAR de Vondra "}));
    EXPECT_EQ(drive::StaticTexts(inicio),
              (std::vector<std::string>{
                  "Versi\xF3n", "Directorio", "Instalada", "A instalar",
                  "Direcci\xF3n de los JAR de Vondra en formato IP o URL. Si no lo proporciona se abren los permisos "
                  "a cualquier JAR.",
                  "NOTA: Si instala una nueva versi\xF3n del ejecutable de Java ( JRE ) ser\xE1 necesario ejecutar "
                  "nuevamente este programa para as\xED poder actualizar el archivo JAVA.POLICY del JRE."}));
    EXPECT_TRUE(drive::Screenshot(inicio, "kelmin_inicio.bmp"));

    // Install with a bare address of four numbers.
    ASSERT_TRUE(Installs("10.0.0.5"));
    NoErrorAppears();
    EXPECT_EQ(Texts({URL}) + Buttons(), "http://10.0.0.5/*|--D");
    EXPECT_EQ(ReadAll(kelmin::InstalledLibrary()), library);
    EXPECT_EQ(ReadAll(policy), Block("http://10.0.0.5/*") + STOCK_POLICY);
    EXPECT_EQ(DllValue("Version") + " " + DllValue("Bits") + " " + DllValue("URL"), "2.3 32 http://10.0.0.5/*");
    EXPECT_TRUE(kelmin::NoWorkFiles(home + "LIB\\SECURITY\\") && kelmin::NoWorkFiles(kelmin::SystemDir()));
    EXPECT_TRUE(drive::Screenshot(inicio, "kelmin_instalado.bmp"));

    // Editing the address offers the update; typing the stored text back withdraws it.
    EXPECT_EQ(ButtonsTyping("10.0.0.6"), "-AD");
    EXPECT_EQ(ButtonsTyping("http://10.0.0.5/*"), "--D");
    EXPECT_EQ(ButtonsTyping("http://10.0.0.5/"), "-AD");

    // The update replaces the grant rather than adding a second one.
    Type("servidor/jar");
    drive::PostClick(inicio, ACTUALIZAR);
    ASSERT_TRUE(drive::WaitUntil([&] { return Text(URL) == "http://servidor/jar/*" && Buttons() == "--D"; }));
    NoErrorAppears();
    EXPECT_EQ(ReadAll(policy), Block("http://servidor/jar/*") + "\r\n" + STOCK_POLICY);
    EXPECT_EQ(DllValue("URL") + " " + DllValue("Version"), "http://servidor/jar/* 2.3");

    // Uninstall: cancelled three times (button, Enter, Esc) with "Cancelar"
    // focused, then confirmed.
    for (WPARAM key : {WPARAM(0), WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
        drive::PostClick(inicio, DESINSTALAR);
        HWND confirm = program->Appears(DESINST), focus = nullptr;
        ASSERT_NE(confirm, nullptr);
        ASSERT_TRUE(drive::WaitUntil([&] {
            GUITHREADINFO thread{};
            thread.cbSize = sizeof thread;
            GetGUIThreadInfo(GetWindowThreadProcessId(confirm, nullptr), &thread);
            return (focus = thread.hwndFocus) != nullptr;
        }));
        EXPECT_EQ(focus, GetDlgItem(confirm, DESINST_CANCELAR));
        if (key != 0) {
            PostMessageA(focus, WM_KEYDOWN, key, 0);
        } else {
            EXPECT_EQ(drive::StaticTexts(confirm),
                      (std::vector<std::string>{"Confirme que realmente quiere desinstalar el DLL del sistema !"}));
            EXPECT_EQ(drive::ControlText(confirm, DESINSTALAR) + "|" + drive::ControlText(confirm, DESINST_CANCELAR),
                      "&Desinstalar|&Cancelar");
            EXPECT_TRUE(drive::Screenshot(confirm, "kelmin_desinst.bmp"));
            drive::PostClick(confirm, DESINST_CANCELAR);
        }
        ASSERT_TRUE(program->Gone(DESINST));
    }
    drive::Settle(inicio);
    EXPECT_EQ(Buttons() + " " + DllValue("Version"), "--D 2.3");
    EXPECT_EQ(ReadAll(kelmin::InstalledLibrary()), library);

    drive::PostClick(inicio, DESINSTALAR);
    ASSERT_NE(program->Press(DESINST, DESINSTALAR), nullptr);
    ASSERT_TRUE(WaitNotInstalled());
    EXPECT_EQ(Buttons(), "I--");
    EXPECT_FALSE(DllKeyExists() || kelmin::EntryExists(kelmin::InstalledLibrary()));
    // Each removal leaves the leading empty line of its block behind.
    EXPECT_EQ(ReadAll(policy), "\r\n\r\n" + std::string(STOCK_POLICY));
    Terminate();
}

TEST_F(Kelmin, UnattendedAsADeploymentToolRunsIt)
{
    std::string log = source + "kelmin.log";
    int windows = 0;
    auto run = [&](const std::string& dir, const std::string& arguments) {
        return drive::RunUnseen(KELMIN_EXE, "\"" + dir.substr(0, dir.size() - 1) + "\" " + arguments + " /log \"" + log + "\"",
                                &windows);
    };
    EXPECT_EQ(run(source, "/instalar /url 10.0.0.5"), 0u);
    EXPECT_EQ(ReadAll(kelmin::InstalledLibrary()), library);
    EXPECT_EQ(ReadAll(policy), Block("http://10.0.0.5/*") + STOCK_POLICY);
    EXPECT_EQ(DllValue("URL") + " " + DllValue("Version"), "http://10.0.0.5/* 2.3");
    // Nothing to do, then another address: the grant replaced.
    EXPECT_EQ(run(source, "/instalar"), 0u);
    EXPECT_EQ(run(source, "/INSTALAR /url servidor/jar"), 0u);
    EXPECT_EQ(ReadAll(policy), Block("http://servidor/jar/*") + "\r\n" + STOCK_POLICY);
    // An update to 2.3 from 2.2 killed hard at moments spread over its run,
    // then any run: all of one version, the policy read by Java, nothing left.
    std::string oldLib = kelmin::LibraryBytes(9), oldUrl = "http://servidor/jar/*", newUrl = "http://10.0.0.9/*";
    std::string vondra = std::string(getenv("LOCALAPPDATA")) + "\\Vondra\\";
    auto oldOne = [&] {
        kelmin::WriteAll(kelmin::InstalledLibrary(), oldLib);
        kelmin::WriteAll(policy, Block(oldUrl) + STOCK_POLICY);
        fixture::SetText(HKEY_LOCAL_MACHINE, kelmin::DLL_KEY, "Version", "2.2");
        fixture::SetText(HKEY_LOCAL_MACHINE, kelmin::DLL_KEY, "URL", oldUrl);
    };
    auto oneVersion = [&](Caller caller = {}) {
        SCOPED_CALLER(caller);
        bool fresh = DllValue("Version") == "2.3";
        std::string text = ReadAll(policy);
        EXPECT_EQ(ReadAll(kelmin::InstalledLibrary()) + DllValue("URL") + text,
                  fresh ? library + newUrl + Block(newUrl) + "\r\n" + STOCK_POLICY
                        : oldLib + oldUrl + Block(oldUrl) + STOCK_POLICY);
        EXPECT_EQ(JavaGrants(policy, " http://10.0.0.9/a.jar http://servidor/jar/a.jar"),
                  fresh ? "loadLibrary.Pluvik files stopThread\nstopThread\n"
                        : "stopThread\nloadLibrary.Pluvik files stopThread\n");
        EXPECT_TRUE(kelmin::NoWorkFiles(home + "LIB\\SECURITY\\") && kelmin::NoWorkFiles(kelmin::SystemDir()));
        for (const std::string& name : fixture::Listing(vondra))
            EXPECT_EQ(name.find(".diario"), std::string::npos) << name;
        return fresh;
    };
    oldOne();
    // Killed before its first line was written: a journal of nothing done.
    kelmin::WriteAll(vondra + "Kelmin.diario", "");
    DWORD began = GetTickCount();
    EXPECT_EQ(run(source, "/instalar /url 10.0.0.9"), 0u);
    DWORD length = GetTickCount() - began, fresh = 0;
    EXPECT_TRUE(oneVersion());
    for (DWORD part = 1; part <= 6; ++part) {
        oldOne();
        drive::Program killed;
        ASSERT_TRUE(killed.Start(KELMIN_EXE, "\"" + source.substr(0, source.size() - 1) + "\" /instalar /url 10.0.0.9"));
        Sleep(length * part / 6);
        TerminateProcess(killed.info.hProcess, 99);  // wineserver: SIGKILL
        EXPECT_EQ(run(home, "/instalar"), 1612u);
        fresh += oneVersion();
    }
    std::printf("Kelmin /instalar: %lu ms, 6 kills: %lu done\n", length, fresh);
    // A step that fails (a read-only policy file) undoes the others.
    oldOne();
    SetFileAttributesA(policy.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(run(source, "/instalar /url 10.0.0.9"), 1603u);
    SetFileAttributesA(policy.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(oneVersion());
    EXPECT_NE(ReadAll(log).find("  Deshecho: "), std::string::npos);
    EXPECT_EQ(run(source, "/instalar /url \"a};\""), 1639u);
    EXPECT_EQ(run(home, "/instalar"), 1612u);
    EXPECT_EQ(run(source, "/desinstalar"), 0u);
    EXPECT_FALSE(DllKeyExists() || kelmin::EntryExists(kelmin::InstalledLibrary()));
    EXPECT_EQ(ReadAll(policy), "\r\n" + std::string(STOCK_POLICY));
    // The lock held by another run: busy; made by someone else and closed to
    // this run: failed, and said.
    const char* lock = "Global\\Vondra.Kelmin.PLUVIK";
    HANDLE held = CreateMutexA(nullptr, TRUE, lock);
    EXPECT_EQ(run(source, "/desinstalar"), 1618u);
    CloseHandle(held);
    SECURITY_ATTRIBUTES closed = {sizeof closed, nullptr, FALSE};
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P", SDDL_REVISION_1, &closed.lpSecurityDescriptor, nullptr));
    held = CreateMutexA(&closed, FALSE, lock);
    EXPECT_EQ(run(source, "/desinstalar"), 1603u);
    CloseHandle(held);
    EXPECT_EQ(run(source, "/desinstalar"), 1605u);
    EXPECT_EQ(windows, 0);
    std::string text = ReadAll(log);
    EXPECT_NE(text.find(std::string("ejecuci\xF3n: ") + lock + ": FALLO - "), std::string::npos);
    EXPECT_NE(text.find("Fin: 1603 (acceso denegado al bloqueo: otro"), std::string::npos);
    EXPECT_NE(text.find("ya estaba instalado: nada que hacer)\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.rfind("] ") + 2), "Fin: 1605 (Pluvik.DLL no est\xE1 instalado aqu\xED)\r\n");
    // Elevated, as every run here: a default log that is one more name of
    // another file gets none of the run's lines; one the run made does.
    char temp[MAX_PATH];
    std::string standard = std::string(temp, GetTempPathA(sizeof temp, temp)) + "Kelmin.log", other = source + "otro.txt";
    DeleteFileA(standard.c_str());
    kelmin::WriteAll(other, "ajeno");
    ASSERT_TRUE(CreateHardLinkA(standard.c_str(), other.c_str(), nullptr));
    EXPECT_EQ(drive::RunUnseen(KELMIN_EXE, "/desinstalar", &windows), 1605u);
    EXPECT_EQ(ReadAll(other), "ajeno");
    ASSERT_TRUE(DeleteFileA(standard.c_str()));
    EXPECT_EQ(drive::RunUnseen(KELMIN_EXE, "/desinstalar", &windows), 1605u);
    EXPECT_NE(ReadAll(standard).find("] Fin: 1605"), std::string::npos);
}

TEST_F(Kelmin, RuntimesOfJava17And25Of64Bits)
{
    // Newer than the Java 8 of 32 bits: the grant in conf\security and
    // nothing in lib, the 64-bit library in the 64-bit system32.
    std::string jdk17 = kelmin::NewRuntime("17.0.13", STOCK_POLICY), conf = jdk17 + "conf\\security\\java.policy";
    std::string home17 = jdk17.substr(0, jdk17.size() - 1), library64 = ReadAll(source + "Pluvik64.DLL");
    StartWithSource();
    EXPECT_EQ(Text(JRE_VERSION) + " " + Text(JRE_HOME), "17.0.13 (64 bits) " + home17);
    ASSERT_TRUE(Installs("10.0.0.5"));
    EXPECT_EQ(ReadAll(conf), Block("http://10.0.0.5/*") + STOCK_POLICY);
    EXPECT_EQ(JavaGrants(conf, "http://10.0.0.5/Vondra.JAR"), "loadLibrary.Pluvik files stopThread\n");
    EXPECT_EQ(fixture::Listing(jdk17 + "lib\\"), std::vector<std::string>{"security"});
    EXPECT_TRUE(fixture::Listing(jdk17 + "lib\\security\\").empty());
    EXPECT_EQ(ReadAll(kelmin::NativeLibrary()) + DllValue("Bits"), library64 + "64");
    EXPECT_FALSE(kelmin::EntryExists(kelmin::InstalledLibrary()));
    drive::PostClick(inicio, DESINSTALAR);
    ASSERT_NE(program->Press(DESINST, DESINSTALAR), nullptr);
    ASSERT_TRUE(WaitNotInstalled());
    EXPECT_EQ(ReadAll(conf) + ReadAll(kelmin::NativeLibrary()), "\r\n" + std::string(STOCK_POLICY) + "(missing)");
    Terminate();

    // Java 25 reads no policy file: the library alone is the installation.
    std::string jdk25 = kelmin::NewRuntime("25.0.1", nullptr);
    StartWithSource();
    EXPECT_EQ(Text(JRE_VERSION) + " " + Text(NOTA),
              "25.0.1 (64 bits) Este JRE (Java 24 o posterior) no usa JAVA.POLICY: Pluvik.DLL no necesita permisos.");
    ASSERT_TRUE(Installs("10.0.0.5"));
    EXPECT_TRUE(drive::Screenshot(inicio, "kelmin_java25.bmp"));
    Terminate();
    StartWithSource();
    EXPECT_EQ(Text(INSTALADA) + " " + Buttons(), "2.3 --D");
    EXPECT_EQ(ReadAll(kelmin::NativeLibrary()), library64);
    EXPECT_TRUE(fixture::Listing(jdk25 + "conf\\security\\").empty() && fixture::Listing(jdk25 + "lib\\security\\").empty());
    Terminate();

    // Unattended: the library recorded goes; /java pins the Java 17, whose
    // library must be in the source.
    std::string log = source + "kelmin.log", only32 = kelmin::NewSource(library);
    ASSERT_TRUE(DeleteFileA((only32 + "Pluvik64.DLL").c_str()));
    int windows = 0;
    auto run = [&](const std::string& dir, const std::string& arguments) {
        return drive::RunUnseen(KELMIN_EXE, "\"" + dir + "\" " + arguments + " /log \"" + log + "\"", &windows);
    };
    EXPECT_EQ(run(source, "/desinstalar"), 0u);
    EXPECT_FALSE(kelmin::EntryExists(kelmin::NativeLibrary()));
    EXPECT_EQ(run(source, "/instalar /java C:\\no-existe"), 1603u);
    EXPECT_EQ(run(only32, "/instalar /java \"" + home17 + "\""), 1612u);
    // No address given or stored: a grant to any code only when asked for, and said.
    EXPECT_EQ(run(source, "/instalar /java \"" + home17 + "\""), 1639u);
    EXPECT_EQ(ReadAll(conf), "\r\n" + std::string(STOCK_POLICY));
    EXPECT_EQ(run(source, "/instalar /cualquiera /java \"" + home17 + "\""), 0u);
    EXPECT_EQ(ReadAll(conf) + ReadAll(kelmin::NativeLibrary()), Block("") + "\r\n" + STOCK_POLICY + library64);
    std::string text = ReadAll(log);
    EXPECT_NE(text.find("AVISO: los permisos valen para JAR de cualquier origen"), std::string::npos);
    EXPECT_NE(text.find("Este JRE (Java 24 o posterior) no usa JAVA.POLICY: Pluvik.DLL no necesita permisos.\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("elegido: " + home17 + " (17.0.13 (64 bits)), fijado por el administrador en /java"), std::string::npos);
}

TEST_F(Kelmin, StoredAddressAndEmptyAddress)
{
    // An address stored earlier is shown at start; an empty field grants to any code.
    fixture::SetText(HKEY_LOCAL_MACHINE, kelmin::DLL_KEY, "URL", "http://10.1.1.1/*");
    StartWithSource();
    EXPECT_EQ(Texts({URL, INSTALADA}) + Buttons(), "http://10.1.1.1/*|No hay|I--");
    ASSERT_TRUE(Installs(""));
    EXPECT_EQ(DllValue("URL"), "");
    std::string written = ReadAll(policy);
    EXPECT_EQ(written, Block("") + STOCK_POLICY);
    EXPECT_NE(written.find("\r\ngrant  {\r\n"), std::string::npos);

    // A newer library than the installed one is offered as an update, and
    // the stored address passes again unchanged.
    Terminate();
    fixture::SetText(HKEY_LOCAL_MACHINE, kelmin::DLL_KEY, "Version", "2.2");
    fixture::SetText(HKEY_LOCAL_MACHINE, kelmin::DLL_KEY, "URL", "http://10.0.0.5/*");
    library = kelmin::LibraryBytes(2);
    kelmin::WriteAll(source + "Pluvik.DLL", library);
    StartWithSource();
    ASSERT_TRUE(drive::WaitUntil([&] { return Text(INSTALADA) == "2.2"; }));
    EXPECT_EQ(Buttons(), "-AD");
    // Typing does not withdraw an update offered for the version.
    Type("otro");
    EXPECT_EQ(ButtonsTyping("http://10.0.0.5/*"), "-AD");
    drive::PostClick(inicio, ACTUALIZAR);
    ASSERT_TRUE(WaitInstalled());
    NoErrorAppears();
    EXPECT_EQ(Buttons() + " " + DllValue("Version"), "--D 2.3");
    EXPECT_EQ(ReadAll(kelmin::InstalledLibrary()), library);
    EXPECT_EQ(ReadAll(policy), Block("http://10.0.0.5/*") + "\r\n" + STOCK_POLICY);
    Terminate();
}

TEST_F(Kelmin, PolicyAndLibraryChangedByHand)
{
    StartWithSource();
    ASSERT_TRUE(Installs("10.0.0.5"));
    Terminate();

    // The library deleted by hand: the next start removes the registration,
    // keeps the grant, and offers "Instalar" again.
    ASSERT_TRUE(DeleteFileA(kelmin::InstalledLibrary().c_str()));
    StartWithSource();
    EXPECT_EQ(Text(INSTALADA) + " " + Buttons(), "No hay I--");
    EXPECT_FALSE(DllKeyExists());
    EXPECT_EQ(ReadAll(policy), Block("http://10.0.0.5/*") + STOCK_POLICY);

    // The new grant takes the place of the one left behind.
    ASSERT_TRUE(Installs("10.0.0.7"));
    EXPECT_EQ(ReadAll(policy), Block("http://10.0.0.7/*") + "\r\n" + STOCK_POLICY);
    EXPECT_EQ(JavaGrants(policy, "http://10.0.0.7/Vondra.JAR"), "loadLibrary.Pluvik files stopThread\n");
    Terminate();

    // As edited by hand: LF line ends, the block twice, the second without
    // its empty line after it and a grant right behind. Still installed; an
    // uninstall removes both blocks and nothing else.
    std::string trimmed = Block("http://10.0.0.5/*");
    trimmed.resize(trimmed.size() - 2);
    const std::string HAND_GRANT =
        "grant codeBase \"file:/C:/Aplicaciones/*\" {\r\n"
        "   permission java.io.FilePermission \"<<ALL FILES>>\", \"read, write, delete\";\r\n};\r\n";
    kelmin::WriteAll(policy, LfOnly(Block("http://10.0.0.5/*") + trimmed + HAND_GRANT + STOCK_POLICY));
    fixture::SetText(HKEY_LOCAL_MACHINE, kelmin::DLL_KEY, "Version", "2.3");
    kelmin::WriteAll(kelmin::InstalledLibrary(), library);
    StartWithSource();
    EXPECT_EQ(Buttons(), "--D");
    drive::PostClick(inicio, DESINSTALAR);
    ASSERT_NE(program->Press(DESINST, DESINSTALAR), nullptr);
    ASSERT_TRUE(WaitNotInstalled());
    EXPECT_FALSE(kelmin::EntryExists(kelmin::InstalledLibrary()));  // no Bits: the 32-bit one
    EXPECT_EQ(ReadAll(policy), LfOnly("\r\n\r\n" + HAND_GRANT + STOCK_POLICY));
    // A Java runtime still reads the rest: the stock grant to all code, the hand-written one.
    EXPECT_EQ(JavaGrants(policy, "http://10.0.0.5/Vondra.JAR file:/C:/Aplicaciones/a.jar"), "stopThread\nfiles stopThread\n");
    Terminate();
}

TEST_F(Kelmin, WithoutJavaRuntime)
{
    fixture::ClearRegistry();
    Start(source.substr(0, source.size() - 1));
    HWND box = program->Appears(ERROR_JRE.caption, 10000);
    ASSERT_NE(box, nullptr);
    std::string text = drive::MessageText(box);
    const std::string start =
        "Debe instalar primero la versi\xF3n ejecutable de Java (Java Runtime Environment o JRE).\n"
        "Consulte la p\xE1gina de OSTREL en ";
    const std::string end = " para mayor informaci\xF3n";
    EXPECT_EQ(text.compare(0, start.size(), start), 0) << text;
    ASSERT_GT(text.size(), start.size() + end.size());
    EXPECT_EQ(text.substr(text.size() - end.size()), end);
    EXPECT_TRUE(drive::Screenshot(box, "kelmin_sin_jre.bmp"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program->Gone(ERROR_JRE.caption));

    EXPECT_EQ(Texts({JRE_VERSION, JRE_HOME, INSTALADA}) + Buttons(), "|No est\xE1 instalado !||---");
    // Without a runtime the address field offers nothing either.
    EXPECT_EQ(ButtonsTyping("10.0.0.5"), "---");
    // The close box ends the program.
    PostMessageA(inicio, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program->WaitExit(10000), 0u);
}

TEST_F(Kelmin, SourceDirectoryFromTheCommandLine)
{
    // Started without arguments, as the general installer starts it, or from
    // the shell with the program's path in quotes: the library comes from the
    // current directory.
    std::string exe = KELMIN_EXE;
    for (const std::string& commandLine : {exe, "\"" + exe + "\" "}) {
        Start(commandLine, source);
        ASSERT_TRUE(WaitNotInstalled());
        ASSERT_TRUE(Installs(""));
        EXPECT_EQ(ReadAll(kelmin::InstalledLibrary()), library) << commandLine;
        Terminate();
        kelmin::ClearInstallation();
        kelmin::WriteAll(policy, STOCK_POLICY);
    }

    // A directory without the library: error 3, nothing installed.
    std::string empty = fixture::NewDirectory("vacio");
    Start(empty.substr(0, empty.size() - 1), source);
    ASSERT_TRUE(WaitNotInstalled());
    ASSERT_TRUE(Refused("", ERROR_COPY));
    EXPECT_FALSE(kelmin::EntryExists(kelmin::InstalledLibrary()));
    EXPECT_EQ(ReadAll(policy), STOCK_POLICY);
    Terminate();
}

TEST_F(Kelmin, InvalidAddressChangesNothing)
{
    StartWithSource();
    ASSERT_TRUE(Refused("10.0.0.5/jar", ERROR_FORMAT, "kelmin_error_formato.bmp"));
    EXPECT_EQ(Text(URL), "10.0.0.5/jar");
    EXPECT_FALSE(DllKeyExists() || kelmin::EntryExists(kelmin::InstalledLibrary()));
    EXPECT_EQ(ReadAll(policy), STOCK_POLICY);
    // A quote would end the grant's address early in JAVA.POLICY.
    ASSERT_TRUE(Refused("servidor\"/jar", ERROR_FORMAT));
    EXPECT_EQ(ReadAll(policy), STOCK_POLICY);
    Terminate();
}

TEST_F(Kelmin, PolicyFileHeldOpenElsewhere)
{
    StartWithSource();
    HANDLE held = CreateFileA(policy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(Refused("10.0.0.5", ERROR_POLICY, "kelmin_error_policy.bmp"));
    // The copied library is taken away again; the policy file is untouched.
    EXPECT_FALSE(kelmin::EntryExists(kelmin::InstalledLibrary()));
    EXPECT_TRUE(kelmin::NoWorkFiles(home + "LIB\\SECURITY\\"));
    EXPECT_EQ(DllValue("Version"), "(none)");
    CloseHandle(held);
    EXPECT_EQ(ReadAll(policy), STOCK_POLICY);

    // Installed, then held when the program starts: whether the grant is
    // there cannot be told, so the file is named and nothing is taken away.
    ASSERT_TRUE(Installs("10.0.0.5"));
    Terminate();
    held = CreateFileA(policy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Start(source.substr(0, source.size() - 1));
    EXPECT_EQ(program->CloseMessage("Error"),
              "No se pudo leer el archivo de permisos de Java; no se modific\xF3 la instalaci\xF3n del DLL.\n\n" +
                  policy);
    EXPECT_EQ(Buttons() + " " + DllValue("Version") + " " + ReadAll(kelmin::InstalledLibrary()), "--- 2.3 " + library);
    CloseHandle(held);
    Terminate();
    // Held while it is uninstalled: the uninstall is undone, all that stays
    // is said; a second try takes it away.
    StartWithSource();
    held = CreateFileA(policy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    drive::PostClick(inicio, DESINSTALAR);
    ASSERT_NE(program->Press(DESINST, DESINSTALAR), nullptr);
    EXPECT_NE(program->CloseMessage("Error"), "");
    EXPECT_EQ(program->CloseMessage("ERROR al desinstalar"),
              "No se pudo quitar:\n- el registro del DLL (HKEY_LOCAL_MACHINE\\SOFTWARE\\VONDRA\\DLLRTF)\n- Pluvik.DLL del "
              "directorio del sistema\n- los permisos de " + policy + "\n\nRevise permisos y que no est\xE9n en uso, e intente nuevamente.");
    EXPECT_EQ(Text(INSTALADA) + " " + Buttons() + " " + ReadAll(kelmin::InstalledLibrary()), "2.3 --- " + library);
    CloseHandle(held);
    Terminate();
    StartWithSource();
    drive::PostClick(inicio, DESINSTALAR);
    ASSERT_NE(program->Press(DESINST, DESINSTALAR), nullptr);
    ASSERT_TRUE(WaitNotInstalled());
    EXPECT_EQ(ReadAll(policy), "\r\n" + std::string(STOCK_POLICY));
    Terminate();
}

TEST_F(Kelmin, PolicyThatCannotBeReplaced)
{
    StartWithSource();
    // A full disk under the new copy: the policy file stays, the library goes again.
    std::string large = kelmin::PutTooLargeFile(policy);
    ASSERT_NE(large, "");
    ASSERT_TRUE(Refused("10.0.0.5", ERROR_POLICY));
    EXPECT_EQ(ReadAll(policy), large);
    EXPECT_TRUE(kelmin::NoWorkFiles(home + "LIB\\SECURITY\\") && !kelmin::EntryExists(kelmin::InstalledLibrary()));
    ASSERT_TRUE(DeleteFileA(policy.c_str()));
    kelmin::WriteAll(policy, STOCK_POLICY);

    // A read-only policy file is not replaced either.
    ASSERT_TRUE(SetFileAttributesA(policy.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(Refused("10.0.0.5", ERROR_POLICY));
    SetFileAttributesA(policy.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadAll(policy), STOCK_POLICY);
    Terminate();
}

TEST_F(Kelmin, LibraryTargetThatResists)
{
    std::string installed = kelmin::InstalledLibrary(), old = kelmin::LibraryBytes(7, 1000);
    StartWithSource();

    // A read-only library in the system directory stays as it is.
    kelmin::WriteAll(installed, old);
    ASSERT_TRUE(SetFileAttributesA(installed.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(Refused("10.0.0.5", ERROR_COPY, "kelmin_error_copia.bmp"));
    EXPECT_EQ(ReadAll(installed) + "|" + ReadAll(policy) + "|" + DllValue("Version"),
              old + "|" + STOCK_POLICY + "|(none)");
    ASSERT_TRUE(SetFileAttributesA(installed.c_str(), FILE_ATTRIBUTE_NORMAL));

    // A full disk: the copy of a library too large for it fails part-way,
    // the library there before stays whole.
    ASSERT_NE(kelmin::PutTooLargeFile(source + "Pluvik.DLL"), "");
    ASSERT_TRUE(Refused("10.0.0.5", ERROR_COPY));
    EXPECT_EQ(ReadAll(installed) + "|" + ReadAll(policy), old + "|" + STOCK_POLICY);
    EXPECT_TRUE(kelmin::NoWorkFiles(kelmin::SystemDir()));

    // A library in use (held open) cannot be replaced.
    HANDLE inUse = CreateFileA(installed.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(Refused("10.0.0.5", ERROR_COPY));
    CloseHandle(inUse);
    EXPECT_EQ(ReadAll(installed), old);
    Terminate();
}

TEST_F(Kelmin, RegistryThatRefusesTheVersion)
{
    // No lasting key can be made below a volatile one: "Version" is not
    // stored, and the library and the grant are taken away again.
    ASSERT_TRUE(kelmin::MakeVondraKeyVolatile());
    StartWithSource();
    ASSERT_TRUE(Refused("10.0.0.5", ERROR_REGISTRY, "kelmin_error_registro.bmp"));
    EXPECT_FALSE(kelmin::EntryExists(kelmin::InstalledLibrary()));
    EXPECT_EQ(ReadAll(policy), STOCK_POLICY);
    Terminate();
    kelmin::RestoreVondraKey();
}
