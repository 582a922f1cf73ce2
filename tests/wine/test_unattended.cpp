// Dalvo as a deployment tool runs it: /instalar and /desinstalar leave what
// the interactive flow leaves, show no window, and say what happened in
// their exit code and their log.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <set>
#include <string>

#include "base/journal.h"
#include "dalvodrive.h"
#include "drive.h"
#include "fixtures.h"
#include "linkreader.h"
#include "params/record.h"
#include "recordfix.h"

#include <sddl.h>

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
    for (const char* name : {"DisplayName", "DisplayIcon", "InstallLocation", "UninstallString", "QuietUninstallString",
                             "DisplayVersion", "Publisher", "InstallDate", "EstimatedSize"})
        out += std::string(name) + ": " + fixture::TextOf(HKEY_CURRENT_USER, listing, name) + "\n";
    return out;
}

// The user's SID as text, as Dalvo's lock names it.
std::string UserSid()
{
    HANDLE token;
    alignas(TOKEN_USER) BYTE info[256];
    DWORD size;
    char* text = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    GetTokenInformation(token, TokenUser, info, sizeof info, &size);
    CloseHandle(token);
    std::string sid = ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(info)->User.Sid, &text) ? text : "";
    LocalFree(text);
    return sid;
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
    // What deployment tools detect it by: the suite's version, the maker, the date and the size.
    size_t bytes = 0;
    for (const std::string& file : fixture::Listing(target + "\\"))
        bytes += fixture::ReadAll(target + "\\" + file).size();
    SYSTEMTIME now;
    GetLocalTime(&now);
    char detected[128];
    std::snprintf(detected, sizeof detected, "%s|Ostrel, S.A. de C.V.|%04u%02u%02u|%u", VONDRA_VERSION, now.wYear,
                  now.wMonth, now.wDay, static_cast<unsigned>((bytes + 1023) / 1024));
    auto shown = [&](const char* name) { return fixture::TextOf(HKEY_CURRENT_USER, listing, name); };
    EXPECT_EQ(shown("DisplayVersion") + "|" + shown("Publisher") + "|" + shown("InstallDate") + "|" +
                  std::to_string(static_cast<unsigned char>(shown("EstimatedSize")[0])),
              detected);
    ASSERT_EQ(dalvo(std::string("/desinstalar ") + NAME), 0u);
    for (const std::string& file : fixture::Listing(target + "\\"))
        DeleteFileA((target + "\\" + file).c_str());
    ASSERT_TRUE(RemoveDirectoryA(target.c_str()));

    // Refused before anything is written: no archive on the server; entries
    // empty or cut inside the address (1612); one without an address.
    const std::string install = std::string("/INSTALAR ") + NAME + " /dir \"" + target + "\" /archivos" + logged;
    ASSERT_TRUE(MoveFileA((entries + "Vondra.JAR").c_str(), (ws.root + "Vondra.JAR").c_str()));
    ASSERT_TRUE(MoveFileA((entries + "Extra.JAR").c_str(), (ws.root + "Extra.JAR").c_str()));
    EXPECT_EQ(dalvo(install), 1603u);
    AppParams noAddress = entry;
    noAddress.ipServidor[0] = '\0';
    fixture::WriteBytes(entries + "Vacia.DAI", "", 0);
    EXPECT_EQ(dalvo("/instalar Vacia" + logged), 1612u);
    fixture::WriteBytes(entries + "Vacia.DAI", &entry, 134);
    EXPECT_EQ(dalvo("/instalar Vacia" + logged), 1612u);
    fixture::WriteBytes(entries + "Vacia.DAI", &noAddress, sizeof noAddress);
    EXPECT_EQ(dalvo("/instalar Vacia" + logged), 1603u);
    EXPECT_FALSE(fixture::Exists(target));
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "Vacia"), "(none)");
    DeleteFileA((entries + "Vacia.DAI").c_str());
    MoveFileA((ws.root + "Vondra.JAR").c_str(), (entries + "Vondra.JAR").c_str());
    MoveFileA((ws.root + "Extra.JAR").c_str(), (entries + "Extra.JAR").c_str());

    // The same unattended, into a directory it creates; then an update where
    // it was installed, which copies an archive changed on the server.
    EXPECT_EQ(dalvo(install), 0u);
    EXPECT_EQ(Outputs(target, ws.desktop), expected);
    fixture::WriteBytes(entries + "Vondra.JAR", "vondra 2", 8);
    EXPECT_EQ(dalvo(std::string("/instalar ") + NAME + logged), 0u);
    EXPECT_EQ(fixture::ReadAll(target + "\\Vondra.JAR"), "vondra 2");
    // An entry icon held by another program is no missing icon: a failed step.
    HANDLE icon = CreateFileA((entries + NAME + ".ICO").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(dalvo(std::string("/instalar ") + NAME + logged), 1603u);
    CloseHandle(icon);
    EXPECT_NE(fixture::ReadAll(log).find("\xCD" "cono copiado: " + target + "\\" + NAME + ".ICO: FALLO"),
              std::string::npos);
    EXPECT_NE(fixture::UnixOutput("wine uninstaller --list").find("VONDRA - Contabilidad|||VONDRA - Contabilidad"),
              std::string::npos);

    // Another run of the application under way for this user (the machine-wide name of old blocks
    // nothing); then uninstalled from the marker, the entry file gone, twice; a bad line; an entry held elsewhere.
    HANDLE busy = CreateMutexA(nullptr, TRUE, ("Local\\Vondra.Dalvo." + UserSid() + ".CONTABILIDAD").c_str());
    HANDLE old = CreateMutexA(nullptr, TRUE, "Global\\Vondra.Dalvo.CONTABILIDAD");
    EXPECT_EQ(dalvo("/desinstalar contabilidad" + logged), 1618u);
    CloseHandle(busy);
    ASSERT_TRUE(DeleteFileA((entries + NAME + ".DAI").c_str()));
    EXPECT_EQ(dalvo(std::string("/desinstalar ") + NAME + logged), 0u);
    CloseHandle(old);
    EXPECT_FALSE(fixture::Exists(ws.desktop + "\\" + NAME + ".LNK"));
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, listing, "DisplayName"), "(none)");
    EXPECT_EQ(dalvo(std::string("/desinstalar ") + NAME + logged), 1605u);
    // A name that is a value beside the markers; a value that is no marker.
    EXPECT_EQ(dalvo("/desinstalar DirInst" + logged), 1639u);
    fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, NAME, "1");
    EXPECT_EQ(dalvo(std::string("/desinstalar ") + NAME + logged), 1605u);
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst"), server);
    EXPECT_EQ(dalvo(logged + " /instalar /dir C:\\X"), 1639u);
    fixture::WriteBytes(entries + NAME + ".DAI", &entry, sizeof entry);
    // Refused before anything is made: a directory too long for the parameter file.
    std::string deep = ws.root + "largo\\" + std::string(245 - ws.root.size() - 6, 'd');
    EXPECT_EQ(dalvo(std::string("/instalar ") + NAME + " /dir " + deep + logged), 1603u);
    EXPECT_FALSE(fixture::Exists(ws.root + "largo"));
    HANDLE held = CreateFileA((entries + NAME + ".DAI").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(dalvo(std::string("/instalar ") + NAME + logged), 1612u);
    CloseHandle(held);
    EXPECT_EQ(windows, 0);

    // The README's logon script as an administrator copies it, the share a
    // local directory: it installs, and a run that fails leaves its line.
    std::string readme = fixture::ReadAll(std::string("Z:") + README_MD);
    std::string script = readme.substr(readme.find("```bat\n@echo off"));
    script = script.substr(script.find('\n') + 1, script.find("```", 6) - script.find('\n') - 1);
    const std::string share = "\\\\servidor\\VONDRA";
    for (size_t at; (at = script.find(share)) != std::string::npos;)
        script.replace(at, share.size(), server.substr(0, server.size() - 1));
    for (size_t at = 0; (at = script.find('\n', at)) != std::string::npos; at += 2)
        script.insert(at, "\r");
    fixture::WriteBytes(ws.root + "logon.cmd", script.data(), script.size());
    ASSERT_TRUE(CreateDirectoryA((server + "Bitacoras").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(DALVO_EXE, (entries + "Dalvo.EXE").c_str(), FALSE));
    std::string cmd = "C:\\windows\\system32\\cmd.exe", logon = "/c \"" + ws.root + "logon.cmd\"";
    EXPECT_EQ(drive::RunUnseen(cmd, logon, &windows), 0u) << script;
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, fixture::DIRS_KEY, NAME), "C:\\VONDRA\\Java");
    held = CreateFileA((entries + NAME + ".DAI").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(drive::RunUnseen(cmd, logon, &windows), 1612u);
    CloseHandle(held);
    std::vector<std::string> failures = fixture::Listing(server + "Bitacoras\\");
    ASSERT_EQ(failures.size(), 1u);
    std::string line = fixture::ReadAll(server + "Bitacoras\\" + failures[0]);
    EXPECT_EQ(line.substr(line.size() - 6), "1612\r\n") << line;
    EXPECT_EQ(dalvo(std::string("/desinstalar ") + NAME), 0u);

    // Killed at any moment as a power cut would, an update (of many
    // archives, so that it lasts) or a first installation is wholly old or
    // new (absent or there) once Dalvo has started again.
    std::string cuts = fixture::NewDirectory("cortes"), newer = cuts + "Terminal\\", into = ws.target + "\\Cortes";
    ASSERT_TRUE(CreateDirectoryA(newer.c_str(), nullptr));
    AppParams next = entry;
    std::strcpy(next.ipServidor, "10.9.9.9");
    std::strcpy(next.tiempo, "45");
    fixture::WriteBytes(newer + NAME + ".DAI", &next, sizeof next);
    fixture::WriteBytes(newer + NAME + ".ICO", "icono nuevo", 11);
    const std::string archive(70000, 'j');
    for (int i = 0; i < 40; ++i)
        for (const std::string& dir : {entries, newer})
            fixture::WriteBytes(dir + "A" + std::to_string(i) + ".JAR", archive.data(), dir == entries ? 60000 : 70000);
    char appData[MAX_PATH];
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, appData)));
    const std::string cutLog = " /log \"" + ws.root + "cortes.log\"", journals = std::string(appData) + "\\Vondra\\";
    auto from = [&](const std::string& dir) { fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst", dir); };
    // "old", "new", "absent", or what is mixed.
    auto state = [&](const std::string& dir) {
        std::set<std::string> seen;
        std::string files, left, args = linkreader::Read(ws.desktop + "\\" + NAME + ".LNK")["Command line arguments"];
        int archives = 0;
        for (const std::string& file : fixture::Listing(dir + "\\")) {
            std::string bytes = fixture::ReadAll(dir + "\\" + file);
            files += file + " ";
            if (file[0] == 'A' || file.find(NAME) == 0)
                seen.insert(bytes.size() == 70000 || bytes.find("Tiempo=45") != std::string::npos ||
                                    bytes == "icono nuevo" ? "new" : "old");
            archives += file[0] == 'A';
        }
        if (!args.empty())
            seen.insert(args.find("10.9.9.9") != std::string::npos ? "new" : "old");
        for (const std::string& place : {journals, ws.desktop + "\\"})
            for (const std::string& file : fixture::Listing(place))
                left += file.find(".diario") != std::string::npos || file[0] == '~' ? " " + file : "";
        bool marked = fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, NAME) == "Instalado !";
        bool listed = fixture::TextOf(HKEY_CURRENT_USER, listing, "InstallLocation") == dir;
        if (seen.empty() && !marked && !listed && !fixture::Exists(dir) && left.empty())
            return std::string("absent");
        if (seen.size() == 1 && marked && listed && left.empty() && files.find('~') == std::string::npos && archives == 40)
            return *seen.begin();
        return "mixed " + std::to_string(seen.size()) + (marked ? " marked" : "") + (listed ? " listed" : "") + left +
               " | " + files;
    };
    from(server);
    EXPECT_EQ(dalvo(std::string("/instalar ") + NAME + " /dir " + into + cutLog), 0u);
    from(cuts);
    DWORD began = GetTickCount();
    EXPECT_EQ(dalvo(std::string("/instalar ") + NAME + cutLog), 0u);
    DWORD lasts = GetTickCount() - began;
    EXPECT_EQ(state(into), "new");
    std::string outcomes;
    for (int cut = 0; cut < 12; ++cut) {
        bool first = cut >= 8;
        from(server);
        std::string dir = first ? into + std::to_string(cut) : into;
        DWORD before = dalvo(std::string(first ? "/desinstalar " : "/instalar ") + NAME + cutLog);
        EXPECT_TRUE(before == 0 || (first && before == 1605)) << cut << ": " << before;
        from(cuts);
        drive::Program run;
        ASSERT_TRUE(run.Start(DALVO_EXE, std::string("/instalar ") + NAME + " /dir " + dir + cutLog));
        // From a third of the run on: before that the process is only starting.
        Sleep(lasts * (first ? 40 + 20 * (cut - 8) : 30 + 11 * cut) / 100);
        fixture::UnixOutput("pkill -9 -f '[D]alvo.EXE /instalar'");
        run.WaitExit(10000);
        EXPECT_EQ(dalvo("/desinstalar Ninguna" + cutLog), 1605u);
        std::string now = state(dir);
        EXPECT_TRUE(now == "old" || now == "new" || (first && now == "absent")) << cut << ": " << now;
        outcomes += now.substr(0, 1);
    }
    std::printf("update cut after %lu ms at most: %s\n", static_cast<unsigned long>(lasts), outcomes.c_str());
    EXPECT_NE(fixture::ReadAll(ws.root + "cortes.log").find("se deshicieron sus cambios"), std::string::npos);
    // A journal that can't be settled (its backup can't go back over a
    // directory) is never overwritten: runs wait until it can be.
    JournalRecord stuck;
    stuck.kind = JOURNAL_FILE;
    stuck.path = into + "\\Atascado.PAR";
    stuck.backup = BackupName(stuck.path, 0);
    const std::string pending = JournalHeader("Dalvo") + JournalLine(stuck), unsettled = journals + "Dalvo " + NAME + ".diario";
    ASSERT_TRUE(CreateDirectoryA(stuck.path.c_str(), nullptr));
    fixture::WriteBytes(stuck.backup, "x", 1);
    fixture::WriteBytes(unsettled, pending.data(), pending.size());
    EXPECT_EQ(dalvo(std::string("/instalar ") + NAME + " /dir " + into + cutLog), 1603u);
    EXPECT_EQ(fixture::ReadAll(unsettled), pending);
    RemoveDirectoryA(stuck.path.c_str());
    EXPECT_EQ(dalvo(std::string("/instalar ") + NAME + " /dir " + into + cutLog), 0u);
    EXPECT_EQ(fixture::ReadAll(stuck.path), "x");
    DeleteFileA(stuck.path.c_str());
    dalvo(std::string("/desinstalar ") + NAME);  // the last first installation, when it stayed
    from(server);

    // One log for every run: date, program, user and line first, the exit code last.
    std::string text = fixture::ReadAll(log), first = text.substr(0, text.find("\r\n"));
    char user[256];
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    EXPECT_EQ(first.substr(4, 1) + first.substr(7, 1) + first.substr(10, 1), "-- ") << first;
    EXPECT_NE(first.find(std::string("Dalvo " VONDRA_VERSION ", usuario ") + user + " en "), std::string::npos) << first;
    EXPECT_NE(first.find(std::string(": \"") + DALVO_EXE + "\" " + install), std::string::npos) << first;
    EXPECT_NE(text.find("Entrada le\xED" "da: " + entries + NAME + ".DAI: hecho\r\n"), std::string::npos);
    EXPECT_NE(text.find("] Fin: 1639 (falta el nombre de la aplicaci\xF3n tras /instalar)\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.rfind("] ") + 2), "Fin: 1612 (no se pudo leer la entrada de la aplicaci\xF3n)\r\n");
    EXPECT_NE(text.find("JRE de Java elegido: " + ws.java + " (1.8.0_202 (32 bits)), el m\xE1s nuevo, de "),
              std::string::npos);

    // The same workstation whose only runtime is a 64-bit Java 17 registered
    // by its maker alone: the client's archives reach it through the class
    // path, as a real Java launcher reads the shortcut's.
    fixture::ClearRegistry();
    fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst", server);
    // A client whose main class needs a class of another archive.
    std::string sources = fixture::UnixPath(server), jars = fixture::UnixPath(entries);
    std::string built = fixture::UnixOutput(
        "cd '" + sources + "' && printf 'public class Vondra { public static void main(String[] a) { "
        "System.out.println(Extra.saludo() + \" \" + a[0]); } }' >Vondra.java && "
        "printf 'public class Extra { public static String saludo() { return \"hola\"; } }' >Extra.java && "
        JDK_BIN "/javac -d clases Vondra.java Extra.java && " JDK_BIN "/jar cf '" + jars + "Vondra.JAR' -C clases Vondra.class && "
        JDK_BIN "/jar cf '" + jars + "Extra.JAR' -C clases Extra.class && echo listo", 60000);
    ASSERT_NE(built.find("listo"), std::string::npos) << built;
    std::string java = ws.root + "temurin17";
    fixture::MakeJavaHome(java, "17.0.13");
    fixture::AddRuntime(64, "SOFTWARE\\Eclipse Adoptium\\JDK\\17.0.13.11\\hotspot\\MSI", "Path", java + "\\");

    // No /archivos: the archives go there all the same. No Desktop value: the
    // system's desktop. The Dalvo.EXE beside the entries uninstalls.
    target = ws.target + "\\J17";
    const char folders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    ASSERT_TRUE(fixture::DeleteValue(HKEY_CURRENT_USER, folders, "Desktop"));
    ASSERT_TRUE(CopyFileA(DALVO_EXE, (entries + "Dalvo.EXE").c_str(), FALSE));
    EXPECT_EQ(dalvo(std::string("/instalar ") + NAME + " /dir " + target + logged), 0u);
    EXPECT_EQ(fixture::TextOf(HKEY_CURRENT_USER, listing, "UninstallString"),
              "\"" + entries + "Dalvo.EXE\" /desinstalar \"" + NAME + "\"");
    EXPECT_NE(fixture::ReadAll(log).find("JRE de Java elegido: " + java + " (17.0.13 (64 bits)), el m\xE1s nuevo"),
              std::string::npos);
    EXPECT_TRUE(fixture::Exists(target + "\\Extra.JAR"));
    EXPECT_FALSE(fixture::Exists(java + "\\lib\\ext"));
    auto link = linkreader::Read(ws.desktop + "\\" + NAME + ".LNK");
    char shortJava[MAX_PATH];
    ASSERT_NE(GetShortPathNameA(java.c_str(), shortJava, sizeof shortJava), 0u);
    EXPECT_EQ(link["Local path"], std::string(shortJava) + "\\BIN\\JavaW.EXE");
    std::string arguments = link["Command line arguments"], prefix = "-cp ";
    ASSERT_EQ(arguments.substr(0, 4), prefix) << arguments;
    std::string classPath = arguments.substr(4, arguments.find(' ', 4) - 4);
    // Started as the workstation's runtime would start it, through the
    // drive's own directory: the ':' of dosdevices/c: would split the path.
    std::string drive = fixture::UnixOutput("readlink -fn '" + fixture::UnixPath("C:\\") + "'") + "/", unix = classPath;
    for (size_t at; (at = unix.find("C:\\")) != std::string::npos;)
        unix.replace(at, 3, drive);
    std::replace(unix.begin(), unix.end(), '\\', '/');
    std::replace(unix.begin(), unix.end(), ';', ':');
    EXPECT_EQ(fixture::UnixOutput(JDK_BIN "/java -cp '" + unix + "' Vondra 10.1.2.3", 60000).substr(0, 13),
              "hola 10.1.2.3")
        << unix;
    ASSERT_TRUE(fixture::DeleteValue(HKEY_CURRENT_USER, folders, "Desktop"));
    EXPECT_EQ(dalvo(std::string("/desinstalar ") + NAME), 0u);
    EXPECT_FALSE(fixture::Exists(ws.desktop + "\\" + NAME + ".LNK"));
    EXPECT_EQ(windows, 0);
    fixture::ClearRegistry();
}
