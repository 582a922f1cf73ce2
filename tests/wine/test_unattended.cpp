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

DWORD Dalvo(const std::string& arguments, int* windows)
{
    return drive::RunUnseen(DALVO_EXE, arguments, windows);
}

std::string Value(const std::string& key, const char* name)
{
    DWORD number = 0, size = sizeof number;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &number, &size) == ERROR_SUCCESS)
        return std::to_string(number);
    return fixture::TextOf(HKEY_CURRENT_USER, key, name);
}

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
    out += Value(fixture::VONDRA_KEY, NAME) + "\n" + Value(fixture::DIRS_KEY, NAME) + "\n";
    for (const char* name : {"DisplayName", "DisplayIcon", "InstallLocation", "UninstallString", "QuietUninstallString",
                             "NoModify", "NoRepair"})
        out += std::string(name) + ": " + Value(std::string(fixture::PROGRAMS_KEY) + "VONDRA - " + NAME, name) + "\n";
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
    std::string target = ws.target + "\\Nueva Java", log = ws.root + "despliegue.log";
    std::string logged = " /log \"" + log + "\"";
    const std::string listing = std::string(fixture::PROGRAMS_KEY) + "VONDRA - " + NAME;

    // What the interactive flow leaves, with the entry as it is, to compare.
    {
        drive::Program dalvo;
        ASSERT_TRUE(dalvo.Start(DALVO_EXE));
        ASSERT_EQ(dalvodrive::InstallNew(dalvo.info.dwProcessId, NAME, target), "");
        drive::PostClick(drive::WaitForWindow(dalvodrive::INICIO_CAPTION, 1000, dalvo.info.dwProcessId), 1002);
        ASSERT_EQ(dalvo.WaitExit(10000), 0u);
    }
    std::string interactive = Outputs(target, ws.desktop);
    EXPECT_EQ(Value(listing, "UninstallString"), std::string("\"") + DALVO_EXE + "\" /desinstalar \"" + NAME + "\"");
    int windows = 0;
    ASSERT_EQ(Dalvo(std::string("/desinstalar ") + NAME, &windows), 0u);
    EXPECT_EQ(Value(listing, "DisplayName"), "(none)");
    for (const std::string& file : fixture::Listing(target + "\\"))
        DeleteFileA((target + "\\" + file).c_str());
    ASSERT_TRUE(RemoveDirectoryA(target.c_str()));

    // The same installation unattended, into a directory it creates.
    EXPECT_EQ(Dalvo(std::string("/INSTALAR ") + NAME + " /dir \"" + target + "\" /archivos" + logged, &windows), 0u);
    EXPECT_EQ(Outputs(target, ws.desktop), interactive);
    // An update, where it was installed: an archive changed on the server is copied.
    fixture::WriteBytes(entries + "Vondra.JAR", "vondra 2", 8);
    EXPECT_EQ(Dalvo(std::string("/instalar ") + NAME + logged, &windows), 0u);
    EXPECT_EQ(fixture::ReadAll(target + "\\Vondra.JAR"), "vondra 2");
    EXPECT_NE(fixture::UnixOutput("wine uninstaller --list").find("VONDRA - Contabilidad|||VONDRA - Contabilidad"),
              std::string::npos);

    // A run of the same application in progress elsewhere on the machine.
    HANDLE busy = CreateMutexA(nullptr, TRUE, "Global\\Vondra.Dalvo.CONTABILIDAD");
    EXPECT_EQ(Dalvo(std::string("/desinstalar contabilidad") + logged, &windows), 1618u);
    CloseHandle(busy);
    // Uninstalled from the marker, with the entry file gone.
    ASSERT_TRUE(DeleteFileA((entries + NAME + ".DAI").c_str()));
    EXPECT_EQ(Dalvo(std::string("/desinstalar ") + NAME + logged, &windows), 0u);
    EXPECT_FALSE(fixture::Exists(ws.desktop + "\\" + NAME + ".LNK"));
    EXPECT_EQ(Value(listing, "DisplayName"), "(none)");
    EXPECT_EQ(Dalvo(std::string("/desinstalar ") + NAME + logged, &windows), 1605u);
    EXPECT_EQ(Dalvo(logged + " /instalar /dir C:\\X", &windows), 1639u);
    // An entry file that can't be read: held by someone else.
    fixture::WriteBytes(entries + NAME + ".DAI", &entry, sizeof entry);
    HANDLE held = CreateFileA((entries + NAME + ".DAI").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(Dalvo(std::string("/instalar ") + NAME + logged, &windows), 1612u);
    CloseHandle(held);
    EXPECT_EQ(windows, 0);

    // One log for every run: who ran what first, the exit code last, for Notepad.
    std::string text = fixture::ReadAll(log);
    char user[256], machine[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    size = sizeof machine;
    GetComputerNameA(machine, &size);
    std::string first = text.substr(0, text.find("\r\n"));
    EXPECT_EQ(first.substr(4, 1) + first.substr(7, 1) + first.substr(10, 1), "-- ") << first;
    EXPECT_NE(first.find(std::string("Dalvo 1.0, usuario ") + user + " en " + machine + ": \"" + DALVO_EXE +
                         "\" /INSTALAR Contabilidad /dir \"" + target + "\" /archivos" + logged),
              std::string::npos)
        << first;
    EXPECT_NE(text.find("Entrada le\xED" "da: " + entries + NAME + ".DAI: hecho\r\n"), std::string::npos);
    std::string last = text.substr(text.rfind("\r\n", text.size() - 3) + 2);
    EXPECT_EQ(last.substr(last.find("] ") + 2), "Fin: 1612 (no se pudo leer la entrada de la aplicaci\xF3n)\r\n");
    EXPECT_NE(text.find("] Fin: 1639 (falta el nombre de la aplicaci\xF3n tras /instalar)\r\n"), std::string::npos);
    fixture::ClearRegistry();
}
