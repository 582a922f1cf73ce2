// The real Instalar.EXE started in a copy of dist/media and driven from
// outside: the tree it leaves (expanded files checked against msexpand),
// updates and removals that meet resisting files, damaged media, and the
// companions TERMINAR starts.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "caller.h"
#include "drive.h"
#include "fixtures.h"

namespace {

using fixture::Exists;
using fixture::Listing;
using fixture::ReadAll;
typedef std::vector<std::string> Names;

const char INICIO[] = "Instalaci\xF3n de la versi\xF3n de VONDRA para Internet";
const char TERMINAR[] = "Finalizando la instalaci\xF3n ...";
const char COMMAND_KEY[] = "VONDRA\\VONDRA";
enum { DIR = 1000, INSTALAR = 1025, DESINSTALAR = 1046, CANCELAR = 1004, BRENKO = 1003, FOSTRA = 1004 };

// extra.ico: the media's lowercase extra.ic_, expanded and renamed.
const Names TERMINAL = {"Dalvo.EXE", "Kelmin.EXE", "LEEME.TXT", "PLUVIK.DLL", "Pluvik64.DLL", "Reportes.JAR",
                        "Telmir.ICO", "VERSION.TXT", "Vondra.ICO", "Vondra.JAR", "activation.jar",
                        "commons-ssl-0.3.11.jar", "extra.ico", "fontbox-2.0.8.jar", "javax.mail-1.6.jar",
                        "pdfbox-2.0.8.jar", "zxing-core-3.3.jar"};

class Instalar : public ::testing::Test {
protected:
    std::string media = fixture::NewDirectory("media"), base = fixture::NewDirectory("setup");
    std::string expanded = media + "expanded\\", starts = base + "starts.txt";
    drive::DialogProgram program;

    // The media with the recorder standing in for the companions, and what
    // msexpand makes of its compressed files.
    void SetUp() override
    {
        fixture::ClearRegistry();
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "VONDRA");
        for (const std::string& name : Listing(fixture::WindowsPath(MEDIA_DIR) + "\\"))
            ASSERT_TRUE(CopyFileA((fixture::WindowsPath(MEDIA_DIR) + "\\" + name).c_str(), (media + name).c_str(),
                                  FALSE));
        for (const char* companion : {"Brenko.EXE", "Fostra.EXE"})
            ASSERT_TRUE(CopyFileA(RECORDER_EXE, (media + companion).c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((media + "Telmir.IC_").c_str(), (media + "extra.ic_").c_str(), FALSE));
        CreateDirectoryA(expanded.c_str(), nullptr);
        std::string command = "/bin/sh -c \"cd '" + fixture::UnixPath(media) +
                              "' && for f in *_; do msexpand <$f >expanded/$f; done; touch expanded/done\"";
        ASSERT_TRUE(fixture::RunUnix(command, [&] { return Exists(expanded + "done"); }, 30000));
        SetEnvironmentVariableA("VONDRA_STARTS", starts.c_str());
    }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "VONDRA");
        fixture::ClearRegistry();
    }

    // said: what the start says of a run cut short before INICIO, if anything.
    void Start(Caller caller = {}, std::string* said = nullptr)
    {
        SCOPED_CALLER(caller);
        for (HANDLE earlier : {program.info.hProcess, program.info.hThread})
            if (earlier != nullptr)
                CloseHandle(earlier);
        program.info = {};
        ASSERT_TRUE(program.Launch(nullptr, "\"" + media + "Instalar.EXE\"", media));
        if (said != nullptr && drive::WaitUntil([&] { return program.Appears(INICIO, 0) || program.Appears("VONDRA", 0); },
                                                20000))
            *said = program.Appears("VONDRA", 0) ? program.CloseMessage("VONDRA") : "";
        program.dialog = program.Appears(INICIO, 20000);
        ASSERT_NE(program.dialog, nullptr);
    }
    // "&Instalar" or "&Actualizar" and whether "&Desinstalar" is enabled.
    std::string Buttons()
    {
        drive::Settle(program.dialog);
        return program.Text(INSTALAR) + (program.Enabled(DESINSTALAR) ? " +" : " -");
    }
    void Answer(const char* caption, int id)
    {
        ASSERT_NE(program.Press(caption, id), nullptr) << caption;
    }
    // The one start the recorder wrote down (it may still be writing).
    void ExpectStart(const std::string& start, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        EXPECT_TRUE(drive::WaitUntil([&] { return ReadAll(starts) == start + "\n"; })) << ReadAll(starts);
    }
    // The tree below dir: copies equal to the media, expanded files to msexpand's.
    void ExpectTree(const std::string& dir, const Names& terminal, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        EXPECT_EQ(Listing(dir + "Terminal\\"), terminal);
        for (std::string name : terminal) {
            std::string source = media + name, copy = dir + "Terminal\\" + name;
            if (lstrcmpiA(name.c_str() + name.size() - 4, ".ICO") == 0 || name == "Kelmin.EXE")
                source = expanded + name.substr(0, name.size() - 1) + "_";
            EXPECT_TRUE(ReadAll(copy) == ReadAll(source) && ReadAll(source) != "(missing)") << name;
        }
        EXPECT_EQ(ReadAll(dir + "Brenko.EXE"), ReadAll(RECORDER_EXE));
        EXPECT_EQ(Listing(dir + "Servidor\\"), Names{"Fostra.EXE"});
    }
};

TEST_F(Instalar, SetupUpdateWithResistingFilesAndRemoval)
{
    std::string java = base + "jre", ext = java + "\\lib\\ext\\", dir = base + "Nuevo\\Java";
    ASSERT_TRUE(CreateDirectoryA(java.c_str(), nullptr) && CreateDirectoryA((java + "\\lib").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(ext.c_str(), nullptr));
    for (const char* earlier : {"mail.jar", "otro.jar"})
        fixture::WriteBytes(ext + earlier, "earlier", 7);
    fixture::AddJre("1.8.0_202", java.c_str());
    fixture::SetText(HKEY_CLASSES_ROOT, COMMAND_KEY, nullptr, "C:\\VONDRA\\VONDRA.EXE /S " + base + "Nuevo\\ /P");
    Start();
    EXPECT_EQ(program.Text(DIR), dir);
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst"), dir);
    EXPECT_EQ(Buttons(), "&Instalar -");
    drive::Screenshot(program.dialog, "instalar-inicio.bmp");

    program.Click(INSTALAR);
    Answer("ADVERTENCIA", 1025);  // create the directory
    HWND terminar = program.Appears(TERMINAR, 20000);
    ASSERT_NE(terminar, nullptr);
    drive::Screenshot(terminar, "instalar-terminar.bmp");
    ExpectTree(dir + "\\", TERMINAL);
    EXPECT_EQ(Listing(ext), (Names{"activation.jar", "commons-ssl-0.3.11.jar", "fontbox-2.0.8.jar",
                                   "javax.mail-1.6.jar", "otro.jar", "pdfbox-2.0.8.jar"}));
    EXPECT_EQ(ReadAll(ext + "activation.jar"), ReadAll(media + "activation.jar"));
    drive::PostClick(terminar, BRENKO);
    EXPECT_EQ(program.Wait(), 0u);
    ExpectStart("Brenko.EXE|" + dir);

    // An update killed hard at moments over its run, then Instalar started
    // again: the distribution is wholly the earlier one or wholly the new one.
    std::string outcomes, said, terminal = dir + "\\Terminal\\";
    for (int cut = 0; cut < 5; ++cut) {
        for (const std::string& name : TERMINAL)
            fixture::WriteBytes(terminal + name, "old", 3);
        Start();
        DWORD began = GetTickCount();
        program.Click(INSTALAR);
        if (cut == 0)  // the whole update, timed; its end is safe to kill
            ASSERT_NE(program.Appears(TERMINAR, 20000), nullptr);
        else
            Sleep(std::stoi(outcomes) * cut / 5);
        if (cut == 0)
            outcomes += std::to_string(GetTickCount() - began) + " ms: ";
        TerminateProcess(program.info.hProcess, 9);  // wineserver: SIGKILL
        program.WaitExit(5000);
        if (cut == 0)
            continue;
        said.clear();
        Start({}, &said);
        size_t old = 0;
        for (const std::string& name : TERMINAL)
            old += ReadAll(terminal + name) == "old";
        EXPECT_TRUE(old == TERMINAL.size() || old == 0) << cut << ": " << old << " " << said;
        outcomes += old ? (said.empty() ? "o" : "u") : "n";
        if (!old)
            ExpectTree(dir + "\\", TERMINAL);
        program.Click(CANCELAR);
        program.Wait();
    }
    std::printf("Instalar update killed after %s\n", outcomes.c_str());

    // An update over a read-only program, with a mail archive held in the
    // runtime: reported, the old program kept, no TERMINAR, no DirInst;
    // INICIO stays.
    std::string dalvo = dir + "\\Terminal\\Dalvo.EXE";
    fixture::WriteBytes(dalvo, "old", 3);
    SetFileAttributesA(dalvo.c_str(), FILE_ATTRIBUTE_READONLY);
    fixture::ClearRegistry();
    fixture::AddJre("1.8.0_202", java.c_str());
    fixture::WriteBytes(ext + "mail.jar", "earlier", 7);
    HANDLE held = CreateFileA((ext + "mail.jar").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    for (const char* own : {"Terminal\\Ventas.DAI", "Terminal\\Ventas.PAR", "Servidor\\Notas.DAI", "Terminal\\Vondra.JAR"})
        fixture::WriteBytes(dir + "\\" + own, "own", 3);
    Start();
    EXPECT_EQ(program.Text(DIR), dir);  // from the command line, DirInst being gone
    ASSERT_TRUE(drive::Type(program.dialog, DIR, base + "Otro"));
    EXPECT_EQ(Buttons(), "&Instalar -");
    ASSERT_TRUE(drive::Type(program.dialog, DIR, dir));
    EXPECT_EQ(Buttons(), "&Actualizar +");
    fixture::DeleteValue(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst");
    program.Click(INSTALAR);
    std::string message = program.CloseMessage("Error");
    EXPECT_NE(message.find(dalvo + ": archivo de s\xF3lo lectura"), std::string::npos) << message;
    // Undone: the distribution there before stays whole.
    EXPECT_EQ(ReadAll(dalvo) + ReadAll(dir + "\\Terminal\\Vondra.JAR") + ReadAll(ext + "mail.jar"), "oldownearlier");
    EXPECT_EQ(Listing(dir + "\\Terminal\\").size(), TERMINAL.size() + 2);  // no work file left
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst"), "(none)");
    EXPECT_EQ(program.WaitExit(0), STILL_ACTIVE);
    EXPECT_TRUE(program.Gone(TERMINAR, 0));
    // The held archive alone is failure enough: the setup is not recorded.
    SetFileAttributesA(dalvo.c_str(), FILE_ATTRIBUTE_NORMAL);
    program.Click(INSTALAR);
    message = program.CloseMessage("Error");
    EXPECT_NE(message.find(ext + "mail.jar: no se pudo eliminar"), std::string::npos) << message;
    EXPECT_EQ(message.find(dalvo), std::string::npos) << message;
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst"), "(none)");
    CloseHandle(held);
    SetFileAttributesA(dalvo.c_str(), FILE_ATTRIBUTE_READONLY);

    // Removal of another directory holding a Brenko.EXE: its files go, the
    // installation's DirInst stays; an archive matched only by its 8.3
    // alias (VONDRA~1.JAR) stays too.
    fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst", dir);
    std::string other = base + "Otro\\";
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr) && CreateDirectoryA((other + "Terminal").c_str(), nullptr));
    for (const char* file : {"Brenko.EXE", "Terminal\\Vondra.JAR", "Terminal\\Vondra.jar_old"})
        fixture::WriteBytes(other + file, "own", 3);
    ASSERT_TRUE(drive::Type(program.dialog, DIR, other));
    EXPECT_EQ(Buttons(), "&Actualizar +");
    program.Click(DESINSTALAR);
    Answer("ADVERTENCIA", 1025);
    EXPECT_TRUE(drive::WaitUntil([&] { return program.Text(INSTALAR) == "&Instalar"; }));
    EXPECT_EQ(Listing(other + "Terminal\\"), Names{"Vondra.jar_old"});
    EXPECT_FALSE(Exists(other + "Brenko.EXE"));
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst"), dir);

    // Removal: the read-only program is named and every file stays; once
    // it can go, only the listed files are gone.
    ASSERT_TRUE(drive::Type(program.dialog, DIR, dir));
    program.Click(DESINSTALAR);
    Answer("ADVERTENCIA", 1025);
    message = program.CloseMessage("Error");
    EXPECT_NE(message.find(dalvo + ": no se pudo eliminar"), std::string::npos) << message;
    EXPECT_EQ(Listing(dir + "\\Terminal\\").size(), TERMINAL.size() + 2);
    EXPECT_EQ(Listing(dir + "\\Servidor\\"), (Names{"Fostra.EXE", "Notas.DAI"}));
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst"), dir);
    EXPECT_EQ(Buttons(), "&Actualizar +");
    SetFileAttributesA(dalvo.c_str(), FILE_ATTRIBUTE_NORMAL);
    // Typed in another case and with a final '\\': still DirInst's directory.
    ASSERT_TRUE(drive::Type(program.dialog, DIR, base + "NUEVO\\Java\\"));
    program.Click(DESINSTALAR);
    Answer("ADVERTENCIA", 1025);
    // The buttons follow only once a box would have been closed.
    EXPECT_TRUE(drive::WaitUntil([&] { return program.Text(INSTALAR) == "&Instalar"; }));
    EXPECT_EQ(drive::FindWindowNow(nullptr, program.info.dwProcessId, [](HWND w) { return drive::Text(w) == "Error"; }),
              nullptr);
    EXPECT_EQ(Listing(dir + "\\Terminal\\"), (Names{"LEEME.TXT", "VERSION.TXT", "Ventas.DAI", "Ventas.PAR"}));
    EXPECT_EQ(Listing(dir + "\\"), (Names{"Servidor", "Terminal"}));
    EXPECT_EQ(Listing(dir + "\\Servidor\\"), Names{"Notas.DAI"});
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst"), "(none)");
    EXPECT_EQ(Buttons(), "&Instalar -");
    program.Click(CANCELAR);
    EXPECT_EQ(program.Wait(), 0u);
}

TEST_F(Instalar, DamagedMediaReportedThenSetupStartsFostra)
{
    // Too long for the command buffer: the default stays, nothing stored.
    fixture::SetText(HKEY_CLASSES_ROOT, COMMAND_KEY, nullptr, "VONDRA.EXE /S D:\\Apps " + std::string(70, 'x'));
    // A cut stream, a compressed file shorter than its header, and the
    // suite's own Dalvo.EXE and Telmir.IC_ missing (as to a setup started
    // elsewhere), while Tascor.EX_, another product's, may be.
    std::string kelmin = ReadAll(media + "Kelmin.EX_"), icon = ReadAll(media + "Vondra.IC_");
    fixture::WriteBytes(media + "Kelmin.EX_", kelmin.data(), kelmin.size() / 2);
    fixture::WriteBytes(media + "Vondra.IC_", icon.data(), 10);
    const char* const missing[] = {"Dalvo.EXE", "Telmir.IC_"};
    for (const char* name : missing)
        ASSERT_TRUE(MoveFileA((media + name).c_str(), (base + name).c_str()));
    // A Java 8 without an extension directory gets none.
    std::string java8 = base + "jre8", java17 = base + "jdk17";
    fixture::AddJre("1.8.0_202", java8.c_str());
    Start();
    EXPECT_EQ(program.Text(DIR), "C:\\Vondra\\Java");
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst"), "(none)");
    std::string dir = base + "Destino";
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    ASSERT_TRUE(drive::Type(program.dialog, DIR, dir));
    program.Click(INSTALAR);
    drive::Screenshot(program.Appears("Error"), "instalar-error.bmp");
    std::string message = program.CloseMessage("Error");
    for (const char* damaged : {"Kelmin.EX_", "Vondra.IC_"})
        EXPECT_NE(message.find(damaged + std::string(": archivo comprimido da\xF1" "ado")), std::string::npos)
            << message;
    for (const char* name : missing)
        EXPECT_NE(message.find(name + std::string(": falta en el medio de instalaci\xF3n")), std::string::npos)
            << message;
    EXPECT_EQ(message.find("Tascor"), std::string::npos) << message;
    EXPECT_FALSE(Exists(dir + "\\Terminal\\Kelmin.EXE"));
    EXPECT_FALSE(Exists(dir + "\\Terminal\\Vondra.ICO"));
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst"), "(none)");
    EXPECT_TRUE(program.Gone(TERMINAR, 0));
    EXPECT_FALSE(Exists(java8 + "\\lib\\ext"));

    // Sound media, and a Java 17 registered by its maker, which an extension
    // directory would stop: the extension archives stay in Terminal\ only.
    fixture::MakeJavaHome(java17, "17.0.13");
    fixture::AddRuntime(64, "SOFTWARE\\Eclipse Adoptium\\JDK\\17.0.13.11\\hotspot\\MSI", "Path", java17);
    fixture::WriteBytes(media + "Kelmin.EX_", kelmin.data(), kelmin.size());
    fixture::WriteBytes(media + "Vondra.IC_", icon.data(), icon.size());
    for (const char* name : missing)
        ASSERT_TRUE(MoveFileA((base + name).c_str(), (media + name).c_str()));
    program.Click(INSTALAR);
    HWND terminar = program.Appears(TERMINAR, 20000);
    ASSERT_NE(terminar, nullptr);
    ExpectTree(dir + "\\", TERMINAL);
    EXPECT_EQ(Listing(java17 + "\\"), (Names{"BIN", "release"}));
    EXPECT_FALSE(Exists(java8 + "\\lib\\ext"));
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst"), dir);
    drive::PostClick(terminar, FOSTRA);
    EXPECT_EQ(program.Wait(), 0u);
    ExpectStart("Fostra.EXE|" + dir + "\\Servidor");
}

}  // namespace
