// Dalvo as a deployment tool runs it: /instalar and /desinstalar leave what
// the interactive flow leaves, show no window, and say what happened in
// their exit code and their log.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "dalvodrive.h"
#include "drive.h"
#include "fixtures.h"
#include "linkreader.h"
#include "params/record.h"
#include "recordfix.h"

namespace {

const char NAME[] = "Contabilidad";

// Everything an installation leaves, one line each: files with a digest of
// their bytes, the shortcut as lnkinfo reads it, the registry values.
std::string Outputs(const std::string& dir, const std::string& desktop)
{
    std::string out;
    for (const std::string& file : fixture::Listing(dir + "\\"))
        out += file + " " + std::to_string(std::hash<std::string>()(fixture::ReadAll(dir + "\\" + file))) + "\n";
    auto link = linkreader::Read(desktop + "\\" + NAME + ".LNK");
    for (const char* field : {"Local path", "Description", "Working directory", "Command line arguments", "Icon location"})
        out += std::string(field) + ": " + link[field] + "\n";
    const std::string listing = std::string(fixture::PROGRAMS_KEY) + "VONDRA - " + NAME;
    out += fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, NAME) + "\n" +
           fixture::TextOf(HKEY_CURRENT_USER, fixture::DIRS_KEY, NAME) + "\n";
    for (const char* name : {"DisplayName", "DisplayIcon", "InstallLocation", "UninstallString", "QuietUninstallString"})
        out += std::string(name) + ": " + fixture::TextOf(HKEY_CURRENT_USER, listing, name) + "\n";
    return out;
}

}  // namespace

TEST(Unattended, InstallUpdateAndUninstallWithoutWindows)
{
    fixture::ClearRegistry();
    fixture::Workstation ws;
    std::string server = fixture::NewDirectory("deploy"), entries = server + "Terminal\\";
    ASSERT_TRUE(CreateDirectoryA(entries.c_str(), nullptr));
    AppParams entry = recordfix::Defaults(NAME);
    std::strcpy(entry.ipServidor, "10.1.2.3");
    std::strcpy(entry.parametrosP, "CLAVE,PR");
    fixture::WriteBytes(entries + NAME + ".DAI", &entry, sizeof entry);
    ASSERT_TRUE(CopyFileA(DALVO_ICO, (entries + NAME + ".ICO").c_str(), FALSE));
    fixture::WriteBytes(entries + "Vondra.JAR", "vondra", 6);
    fixture::WriteBytes(entries + "Extra.JAR", "extra", 5);
    fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst", server);
    fixture::AddJre("1.8.0_202", ws.java.c_str());
    std::string target = ws.target + "\\Nueva Java", log = ws.root + "despliegue.log", logged = " /log \"" + log + "\"";
    const std::string listing = std::string(fixture::PROGRAMS_KEY) + "VONDRA - " + NAME;
    int windows = 0;
    auto dalvo = [&](const std::string& arguments) { return drive::RunUnseen(DALVO_EXE, arguments, &windows); };

    // What the interactive flow leaves, with the entry as it is, to compare.
    drive::Program interactive;
    ASSERT_TRUE(interactive.Start(DALVO_EXE));
    ASSERT_EQ(dalvodrive::InstallNew(interactive.info.dwProcessId, NAME, target), "");
    drive::PostClick(drive::WaitForWindow(dalvodrive::INICIO_CAPTION, 1000, interactive.info.dwProcessId), 1002);
    ASSERT_EQ(interactive.WaitExit(10000), 0u);
    std::string expected = Outputs(target, ws.desktop);
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, listing, "UninstallString"),
              std::string("\"") + DALVO_EXE + "\" /desinstalar \"" + NAME + "\"");
    for (const char* flag : {"NoModify", "NoRepair"})
        EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, listing, flag), "\x01") << flag;  // DWORD 1
    ASSERT_EQ(dalvo(std::string("/desinstalar ") + NAME), 0u);
    for (const std::string& file : fixture::Listing(target + "\\"))
        DeleteFileA((target + "\\" + file).c_str());
    ASSERT_TRUE(RemoveDirectoryA(target.c_str()));

    // The same unattended, into a directory it creates; then an update where
    // it was installed, which copies an archive changed on the server.
    const std::string install = std::string("/INSTALAR ") + NAME + " /dir \"" + target + "\" /archivos" + logged;
    EXPECT_EQ(dalvo(install), 0u);
    EXPECT_EQ(Outputs(target, ws.desktop), expected);
    fixture::WriteBytes(entries + "Vondra.JAR", "vondra 2", 8);
    EXPECT_EQ(dalvo(std::string("/instalar ") + NAME + logged), 0u);
    EXPECT_EQ(fixture::ReadAll(target + "\\Vondra.JAR"), "vondra 2");
    EXPECT_NE(fixture::UnixOutput("wine uninstaller --list").find("VONDRA - Contabilidad|||VONDRA - Contabilidad"),
              std::string::npos);

    // Another run of the application under way; then uninstalled from the
    // marker, the entry file gone, twice; a bad line; an entry held elsewhere.
    HANDLE busy = CreateMutexA(nullptr, TRUE, "Global\\Vondra.Dalvo.CONTABILIDAD");
    EXPECT_EQ(dalvo("/desinstalar contabilidad" + logged), 1618u);
    CloseHandle(busy);
    ASSERT_TRUE(DeleteFileA((entries + NAME + ".DAI").c_str()));
    EXPECT_EQ(dalvo(std::string("/desinstalar ") + NAME + logged), 0u);
    EXPECT_FALSE(fixture::Exists(ws.desktop + "\\" + NAME + ".LNK"));
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, listing, "DisplayName"), "(none)");
    EXPECT_EQ(dalvo(std::string("/desinstalar ") + NAME + logged), 1605u);
    EXPECT_EQ(dalvo(logged + " /instalar /dir C:\\X"), 1639u);
    fixture::WriteBytes(entries + NAME + ".DAI", &entry, sizeof entry);
    HANDLE held = CreateFileA((entries + NAME + ".DAI").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(dalvo(std::string("/instalar ") + NAME + logged), 1612u);
    CloseHandle(held);
    EXPECT_EQ(windows, 0);

    // One log for every run: date, program, user and line first, the exit code last.
    std::string text = fixture::ReadAll(log), first = text.substr(0, text.find("\r\n"));
    char user[256];
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    EXPECT_EQ(first.substr(4, 1) + first.substr(7, 1) + first.substr(10, 1), "-- ") << first;
    EXPECT_NE(first.find(std::string("Dalvo 1.0, usuario ") + user + " en "), std::string::npos) << first;
    EXPECT_NE(first.find(std::string(": \"") + DALVO_EXE + "\" " + install), std::string::npos) << first;
    EXPECT_NE(text.find("Entrada le\xED" "da: " + entries + NAME + ".DAI: hecho\r\n"), std::string::npos);
    EXPECT_NE(text.find("] Fin: 1639 (falta el nombre de la aplicaci\xF3n tras /instalar)\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.rfind("] ") + 2), "Fin: 1612 (no se pudo leer la entrada de la aplicaci\xF3n)\r\n");
    fixture::ClearRegistry();
}
