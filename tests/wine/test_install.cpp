// A real installation into the test prefix: files, marker and shortcut, read
// back from disk, the registry and an independent shell-link reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <mutex>
#include <atomic>
#include <utility>
#include <vector>

#include "base/workfile.h"
#include "drive.h"
#include "fixtures.h"
#include "installcore/install.h"
#include "linkreader.h"
#include "params/params.h"

using fixture::Listing;
using fixture::ReadAll;

namespace {

using fixture::Exists;

const char MARKED[] = "Instalado ! 1 12";  // REG_SZ, its NUL included

const char SHELL_FOLDERS[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char USER_SHELL_FOLDERS[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// A registry value as it was, put back on destruction (or removed when it
// did not exist).
class SavedValue {
public:
    SavedValue(const char* key, const char* name) : key_(key), name_(name)
    {
        existed_ = RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type_, data_, &size_) ==
                   ERROR_SUCCESS;
    }
    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;
    ~SavedValue()
    {
        if (existed_)
            RegSetKeyValueA(HKEY_CURRENT_USER, key_, name_, type_, data_, size_);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, key_, name_);
    }

private:
    const char* key_;
    const char* name_;
    bool existed_ = false;
    DWORD type_ = 0, size_ = sizeof data_;
    BYTE data_[1024];
};

std::string Bytes(char seed, size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + i * 7 + i / 251);
    return bytes;
}

std::string ShortForm(const std::string& path)
{
    char shortPath[MAX_PATH];
    DWORD got = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return got > 0 && got < sizeof shortPath ? shortPath : "(none)";
}

// Closes every error box that the code under test shows and keeps its
// text: an unexpected box fails the test instead of blocking it.
class ErrorBoxes {
public:
    ErrorBoxes()
        : thread_([this] {
              while (!stop_) {
                  if (HWND box = drive::WaitForWindow("Error", 20, GetCurrentProcessId())) {
                      std::lock_guard<std::mutex> hold(lock_);
                      shown_.emplace_back();
                      for (const std::string& part : drive::StaticTexts(box))
                          shown_.back() += part;
                      PostMessageA(box, WM_COMMAND, IDOK, 0);
                      drive::WaitForNoWindow("Error", 5000, GetCurrentProcessId());
                  }
              }
          })
    {
    }
    ~ErrorBoxes()
    {
        stop_ = true;
        thread_.join();
    }
    // The texts shown so far, and forgets them.
    std::vector<std::string> Take()
    {
        std::lock_guard<std::mutex> hold(lock_);
        return std::exchange(shown_, {});
    }

private:
    std::atomic<bool> stop_{false};
    std::mutex lock_;
    std::vector<std::string> shown_;
    std::thread thread_;
};

class Install : public ::testing::Test {
protected:
    std::string root, entries, desktop, java;
    AppParams record{};
    Installation inst{};
    // The shell rewrites the legacy Shell Folders value from User Shell
    // Folders whenever it looks up the desktop: both name the test's desktop.
    SavedValue userDesktop{USER_SHELL_FOLDERS, "Desktop"};
    SavedValue legacyDesktop{SHELL_FOLDERS, "Desktop"};
    ErrorBoxes errors;

    void SetUp() override
    {
        root = fixture::NewDirectory("install");
        ASSERT_FALSE(root.empty());
        entries = root + "Terminal\\";
        // A dot in the desktop's path must not cut the shortcut's name.
        desktop = root + "Escritorio.v2";
        java = root + "Program Files\\Java\\jre1.8.0_202";
        for (const std::string& dir : {entries, desktop, root + "Program Files", root + "Program Files\\Java", java,
                                       java + "\\BIN"})
            ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << dir;
        fixture::WriteBytes(java + "\\BIN\\JavaW.EXE", "MZ", 2);

        fixture::SetText(HKEY_CURRENT_USER, USER_SHELL_FOLDERS, "Desktop", desktop);
        fixture::SetText(HKEY_CURRENT_USER, SHELL_FOLDERS, "Desktop", desktop);
        // Wine would also announce each new desktop link to the host's desktop.
        SetEnvironmentVariableA("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d");

        CopyText(entryDir, entries.c_str());
        CopyText(inst.dir, (root + "VONDRA\\Java").c_str());
        CopyText(inst.runtime.home, java.c_str());
        inst.runtime.feature = 8;
        SetEntryDefaults(record);
        Name("Contabilidad");
        CopyText(record.ipServidor, "192.0.2.10");
        CopyText(record.parametrosP, "CLAVE,PR");
        inst.copyJars = 1;
        Entry("Contabilidad.ICO", Bytes('i', 766));
        Entry("Vondra.JAR", Bytes('v', 70000));
        Entry("Extra.JAR", Bytes('e', 1234));
    }
    void TearDown() override
    {
        EXPECT_EQ(errors.Take(), std::vector<std::string>{}) << "unexpected error boxes";
        for (const char* name : {"Contabilidad", "Contab. general", "Contab.2", "Larga"}) {
            Name(name);
            UnmarkInstalled(record.nombre);
        }
    }
    void Name(const char* name) { CopyText(record.nombre, name); }
    void Entry(const std::string& file, const std::string& bytes)
    {
        fixture::WriteBytes(entries + file, bytes.data(), bytes.size());
    }
    std::string Installed(const std::string& file) const { return std::string(inst.dir) + "\\" + file; }
    std::string Link(const std::string& name) const { return desktop + "\\" + name + ".LNK"; }
    // The user's installation marker as "text type size", "(none)" without one.
    std::string Marker(const char* name)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, fixture::VONDRA_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return "(none)";
        char text[64] = "";
        DWORD length = sizeof text, type = 0;
        LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &length);
        RegCloseKey(key);
        return status != ERROR_SUCCESS ? "(none)" : text + (" " + std::to_string(type) + " " + std::to_string(length));
    }
};

}  // namespace

TEST_F(Install, FreshInstallationInTheDefaultDirectory)
{
    auto clean = [] {
        for (const char* file : {"Contabilidad.PAR", "Contabilidad.ICO", "Vondra.JAR", "Extra.JAR"})
            DeleteFileA((std::string("C:\\VONDRA\\Java\\") + file).c_str());
        RemoveDirectoryA("C:\\VONDRA\\Java");
        RemoveDirectoryA("C:\\VONDRA");
    };
    clean();
    ASSERT_FALSE(Exists("C:\\VONDRA"));
    CopyText(inst.dir, "C:\\VONDRA\\Java");
    CopyText(record.ipServidor, "S");
    record.tamano = 5;
    record.renglones = 30;
    record.columnas = 100;
    record.pre[SLOT_TAMANO] = 0;
    std::string javaShort = ShortForm(java);
    ASSERT_NE(javaShort, java) << "the prefix gives no short names";

    EXPECT_EQ(InstallApplication(nullptr, record, inst), SHORTCUT_SAVED);

    // The parameter file: CP1252 bytes, CR LF, no byte-order mark, no NUL.
    EXPECT_EQ(ReadAll(Installed("Contabilidad.PAR")),
              "Tama\xF1orcm30-100\r\nEfecto3,2,4,2,1,2\r\nDirecta,PRN,C:\\\r\n");
    EXPECT_EQ(ReadAll(Installed("Contabilidad.ICO")) + "|" + ReadAll(Installed("Vondra.JAR")) + "|" +
                  ReadAll(Installed("Extra.JAR")),
              Bytes('i', 766) + "|" + Bytes('v', 70000) + "|" + Bytes('e', 1234));
    EXPECT_EQ(Marker("Contabilidad"), MARKED);

    // The shortcut's target takes the short form; the runtime found stays as found.
    EXPECT_EQ(std::string(inst.runtime.home), java);
    EXPECT_EQ(ShortcutExists(record.nombre), 1);
    auto link = linkreader::Read(Link("Contabilidad"));
    ASSERT_FALSE(link.empty()) << "lnkinfo could not be run";
    EXPECT_EQ(link["Local path"], javaShort + "\\BIN\\JavaW.EXE");
    EXPECT_EQ(link["Command line arguments"],
              "-cp C:\\VONDRA\\Java\\Vondra.JAR;C:\\VONDRA\\Java\\*.JAR Vondra S \"/P=CLAVE,PR,x /C\" "
              "\"ArchivoC:\\VONDRA\\Java\\Contabilidad.PAR\"");
    EXPECT_EQ(link["Working directory"] + "|" + link["Description"] + "|" + link["Icon location"],
              "C:\\VONDRA\\Java|Ostrel, S.A. de C.V.|C:\\VONDRA\\Java\\Contabilidad.ICO");

    // Installing again, journaled: the entry icon held elsewhere is a failed
    // step the user is told, and what was done is undone; then it rewrites
    // the parameter file whole, archives only on request.
    inst.copyJars = 0;
    Entry("Vondra.JAR", Bytes('w', 100));
    record.pre[SLOT_TAMANO] = 1;
    record.imagenesGrandes = 1;
    profile.journal = "Prueba";
    HANDLE held = CreateFileA((entries + "Contabilidad.ICO").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    EXPECT_EQ(InstallApplication(nullptr, record, inst), SHORTCUT_SAVED);
    CloseHandle(held);
    EXPECT_EQ(errors.Take(), std::vector<std::string>{"La instalaci\xF3n de la aplicaci\xF3n no se complet\xF3 y se "
                                                      "deshizo lo hecho !\n\xCD" "cono copiado: " +
                                                      Installed("Contabilidad.ICO")});
    EXPECT_EQ(ReadAll(Installed("Contabilidad.PAR")), "Tama\xF1orcm30-100\r\nEfecto3,2,4,2,1,2\r\nDirecta,PRN,C:\\\r\n");
    EXPECT_EQ(linkreader::Read(Link("Contabilidad"))["Command line arguments"].substr(0, 4), "-cp ");
    EXPECT_EQ(Listing(std::string(inst.dir) + "\\").size(), 4u);  // no backup or work file left
    EXPECT_EQ(InstallApplication(nullptr, record, inst), SHORTCUT_SAVED);
    profile.journal = nullptr;
    EXPECT_EQ(ReadAll(Installed("Contabilidad.PAR")), "Efecto3,2,4,2,1,2\r\nDirecta,PRN,C:\\\r\n");
    EXPECT_EQ(ReadAll(Installed("Vondra.JAR")), Bytes('v', 70000));
    link = linkreader::Read(Link("Contabilidad"));
    EXPECT_EQ(link["Command line arguments"].substr(0, 22), "-Xms200m -Xmx300m -cp ");
    clean();
}

TEST_F(Install, NamesWithDotsAndBackslashes)
{
    Name("Contab. general");
    Entry("Contab. general.ICO", Bytes('c', 300));
    CopyText(inst.dir, (root + "VONDRA\\Java\\").c_str());
    CopyText(record.parametrosP, "");
    EXPECT_EQ(InstallApplication(nullptr, record, inst), SHORTCUT_SAVED);
    std::string dir = root + "VONDRA\\Java\\";
    EXPECT_TRUE(Exists(dir + "Contab. general.PAR"));
    EXPECT_EQ(ReadAll(dir + "Contab. general.ICO"), Bytes('c', 300));
    ASSERT_TRUE(Exists(Link("Contab")));
    EXPECT_EQ(Marker("Contab. general"), MARKED);

    auto link = linkreader::Read(Link("Contab"));
    EXPECT_EQ(link["Command line arguments"], "-cp " + dir + "\\Vondra.JAR;" + dir +
                                                  "\\*.JAR Vondra 192.0.2.10 /P= \"Archivo" + dir +
                                                  "Contab. general.PAR\"");
    EXPECT_EQ(link["Icon location"], dir + "Contab. general.ICO");

    // Another name up to the same dot takes the same shortcut, but neither
    // replaces nor deletes it: its arguments name another parameter file.
    EXPECT_EQ(ShortcutExists("Contab.2"), 1);
    EXPECT_EQ(ShortcutExists("Contabilidad"), 0);
    Name("Contab.2");
    EXPECT_EQ(InstallApplication(nullptr, record, inst), SHORTCUT_NOT_OURS);
    EXPECT_EQ(errors.Take().at(0),
              "El acceso directo del escritorio es de otra aplicaci\xF3n: no se reemplaza y la instalaci\xF3n se "
              "deshizo !\n" + Link("Contab"));
    DeleteShortcut(record.nombre);
    EXPECT_EQ(linkreader::Read(Link("Contab"))["Icon location"], dir + "Contab. general.ICO");
    DeleteShortcut("Contab. general");
    EXPECT_FALSE(Exists(Link("Contab")));
}

TEST_F(Install, JarStatusOfAnInstallationDirectory)
{
    std::string dir = root + "Destino";
    CreateDirectoryA(dir.c_str(), nullptr);
    EXPECT_EQ(JarStatus(dir.c_str()), JARS_MISSING);
    CopyText(inst.dir, dir.c_str());
    CopyJars(inst.dir);
    EXPECT_EQ(JarStatus(dir.c_str()), JARS_CURRENT);
    EXPECT_EQ(JarStatus((dir + "\\").c_str()), JARS_CURRENT);

    // A source rewritten later than the copy.
    HANDLE file = CreateFileA((entries + "Extra.JAR").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG ahead = (ULONGLONG(now.dwHighDateTime) << 32 | now.dwLowDateTime) + 3600ull * 10000000ull;  // an hour
    FILETIME later{DWORD(ahead), DWORD(ahead >> 32)};
    SetFileTime(file, nullptr, nullptr, &later);
    CloseHandle(file);
    EXPECT_EQ(JarStatus(dir.c_str()), JARS_OUT_OF_DATE);
    CopyJars(inst.dir);
    // The copy is newer than the source's future time only after that time:
    // equal size and an older copy still count as out of date.
    EXPECT_EQ(JarStatus(dir.c_str()), JARS_OUT_OF_DATE);
    Entry("Extra.JAR", Bytes('e', 1234));
    CopyJars(inst.dir);
    EXPECT_EQ(JarStatus(dir.c_str()), JARS_CURRENT);

    // A copy of another size, even a newer one.
    fixture::WriteBytes(dir + "\\Vondra.JAR", "corto", 5);
    EXPECT_EQ(JarStatus(dir.c_str()), JARS_OUT_OF_DATE);

    // One archive missing.
    CopyJars(inst.dir);
    DeleteFileA((dir + "\\Extra.JAR").c_str());
    EXPECT_EQ(JarStatus(dir.c_str()), JARS_MISSING);

    // A directory named like an archive is no archive; none at all is told apart.
    CopyJars(inst.dir);
    CreateDirectoryA((entries + "Carpeta.JAR").c_str(), nullptr);
    EXPECT_EQ(JarStatus(dir.c_str()), JARS_CURRENT);
    CopyText(entryDir, (root + "SinArchivos\\").c_str());
    CreateDirectoryA(entryDir, nullptr);
    EXPECT_EQ(JarStatus(dir.c_str()), JARS_NONE);
}

TEST_F(Install, UninstallKeepsParametersArchivesAndDirectory)
{
    ASSERT_EQ(InstallApplication(nullptr, record, inst), SHORTCUT_SAVED);
    ASSERT_TRUE(Exists(Link("Contabilidad")));
    UninstallApplication(record.nombre, inst);
    EXPECT_EQ(Marker("Contabilidad"), "(none)");
    EXPECT_FALSE(Exists(Link("Contabilidad")));
    EXPECT_EQ(ShortcutExists(record.nombre), 0);
    EXPECT_EQ(Listing(Installed("")), (std::vector<std::string>{"Contabilidad.PAR", "Extra.JAR", "Vondra.JAR"}));

    // Nothing left to remove: silent.
    UninstallApplication(record.nombre, inst);
    EXPECT_EQ(Marker("Contabilidad"), "(none)");
}

TEST_F(Install, ShortcutResultCodes)
{
    std::string target = java + "\\BIN", args = "-cp x Vondra", icon = entries + "Contabilidad.ICO";
    auto shortcut = [&](const std::string& dir, const char* name, const std::string& arguments) {
        return CreateShortcut(dir.c_str(), "JavaW.EXE", name, root.c_str(), arguments.c_str(), icon.c_str());
    };
    EXPECT_EQ(shortcut(target, "Prueba", args), SHORTCUT_SAVED);
    auto link = linkreader::Read(Link("Prueba"));
    EXPECT_EQ(link["Local path"] + " " + link["Command line arguments"], target + "\\JavaW.EXE " + args);

    // Arguments of exactly what a link accepts are kept whole; one more is refused.
    std::string longest(COMMAND_LINE_SIZE - 1, 'a');
    EXPECT_EQ(shortcut(target, "Larga", longest), SHORTCUT_SAVED);
    EXPECT_EQ(linkreader::Read(Link("Larga"))["Command line arguments"], longest);
    DeleteFileA(Link("Larga").c_str());
    EXPECT_EQ(shortcut(target, "Larga", longest + "a"), SHORTCUT_BAD_ARGUMENTS);
    EXPECT_FALSE(Exists(Link("Larga")));

    std::string longDir(PATH_SIZE - 5, 'x');
    EXPECT_EQ(shortcut(longDir, "Larga", args), SHORTCUT_BAD_TARGET);

    // A desktop that does not exist: nothing could be saved, and it says so.
    fixture::SetText(HKEY_CURRENT_USER, SHELL_FOLDERS, "Desktop", root + "NoExiste");
    EXPECT_EQ(shortcut(target, "Prueba", args), SHORTCUT_NOT_SAVED);

    // A value that names no folder of its own (empty, relative, unexpanded):
    // the system's desktop folder, never the current directory.
    for (const char* odd : {"", "Escritorio", "%USERPROFILE%\\Desktop"}) {
        fixture::SetText(HKEY_CURRENT_USER, SHELL_FOLDERS, "Desktop", odd);
        EXPECT_EQ(shortcut(target, "Raro", args), SHORTCUT_SAVED) << odd;
        EXPECT_TRUE(Exists(Link("Raro"))) << odd;
        DeleteFileA(Link("Raro").c_str());
    }
    EXPECT_FALSE(Exists("Escritorio"));

    // No value at all: the system's too. Only a link of the name's parameter file is replaced.
    ASSERT_TRUE(fixture::DeleteValue(HKEY_CURRENT_USER, SHELL_FOLDERS, "Desktop"));
    EXPECT_EQ(shortcut(target, "Prueba", args), SHORTCUT_NOT_OURS);
    EXPECT_EQ(shortcut(target, "Nueva", args + " \"Archivo" + root + "Nueva.par\""), SHORTCUT_SAVED);
    EXPECT_EQ(shortcut(target, "Nueva", args), SHORTCUT_SAVED);
    EXPECT_TRUE(Exists(Link("Prueba")) && Exists(Link("Nueva")));
}

TEST_F(Install, TooLongPathsAreRefusedBeforeAnythingIsWritten)
{
    // 259 characters for the .PAR path still install (its archives would
    // not fit); 260 are refused.
    inst.copyJars = 0;
    std::string base = root + "L";
    std::string dir = base + std::string(PATH_SIZE - 1 - base.size() - std::strlen("\\Larga.PAR"), 'p');
    Name("Larga");
    Entry("Larga.ICO", "ico");
    CopyText(inst.dir, dir.c_str());
    EXPECT_EQ(InstallApplication(nullptr, record, inst), SHORTCUT_SAVED);
    EXPECT_EQ(Installed("Larga.PAR").size(), PATH_SIZE - 1u);
    EXPECT_TRUE(Exists(Installed("Larga.PAR")));
    EXPECT_EQ(Marker("Larga"), MARKED);
    UninstallApplication(record.nombre, inst);

    CopyText(inst.dir, (dir + "q").c_str());
    EXPECT_EQ(InstallApplication(nullptr, record, inst), INSTALL_REFUSED);
    EXPECT_EQ(errors.Take(), std::vector<std::string>{"El directorio de instalaci\xF3n es demasiado largo para los "
                                                      "archivos de la aplicaci\xF3n !"});
    EXPECT_FALSE(Exists(inst.dir));
    EXPECT_EQ(Marker("Larga"), "(none)");
    EXPECT_FALSE(Exists(Link("Larga")));

    // A runtime whose JavaW.EXE path would not fit the shortcut's target.
    CopyText(inst.dir, dir.c_str());
    DeleteFileA(Installed("Larga.PAR").c_str());
    CopyText(inst.runtime.home, ("C:\\" + std::string(PATH_SIZE - 16, 'j')).c_str());
    EXPECT_EQ(InstallApplication(nullptr, record, inst), INSTALL_REFUSED);
    EXPECT_EQ(errors.Take(),
              std::vector<std::string>{"La ruta del JRE de Java es demasiado larga para el acceso directo !"});
    EXPECT_EQ(Marker("Larga"), "(none)");
    EXPECT_FALSE(Exists(Installed("Larga.PAR")));
}

TEST_F(Install, ParameterFileNeedsItsDirectory)
{
    // A deep directory that does not exist yet: created before the file is written.
    CopyText(inst.dir, (root + "Nueva\\Mas\\Java").c_str());
    char path[PATH_SIZE];
    ASSERT_EQ(WriteParamFile(inst.dir, record.nombre, "Efecto3,2,4,2,1,2\r\n", path), 1);
    EXPECT_EQ(std::string(path), root + "Nueva\\Mas\\Java\\Contabilidad.PAR");
    EXPECT_EQ(ReadAll(path), "Efecto3,2,4,2,1,2\r\n");

    // Held open by a running client, the file can't be replaced: it keeps its
    // lines whole and no work file stays beside it.
    HANDLE held = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WriteParamFile(inst.dir, record.nombre, "Efecto=1,1,1,1,1,1\r\n", path), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadAll(path), "Efecto3,2,4,2,1,2\r\n");
    EXPECT_EQ(Listing(root + "Nueva\\Mas\\Java\\"), std::vector<std::string>{"Contabilidad.PAR"});

    // A directory that cannot exist (a file stands in its way): the user is
    // told, and neither marker nor shortcut claim an installation.
    fixture::WriteBytes(root + "Archivo", "x", 1);
    CopyText(inst.dir, (root + "Archivo\\Java").c_str());
    EXPECT_EQ(InstallApplication(nullptr, record, inst), INSTALL_REFUSED);
    EXPECT_EQ(errors.Take(), std::vector<std::string>{"No se pudo escribir el archivo de par\xE1metros de la "
                                                      "aplicaci\xF3n !\n" + root + "Archivo\\Java\\Contabilidad.PAR"});
    EXPECT_EQ(Marker("Contabilidad"), "(none)");
    EXPECT_FALSE(Exists(Link("Contabilidad")));
}

TEST_F(Install, DirectoriesAndShortNames)
{
    EXPECT_EQ(MakeDirectoryPath(""), 0);
    EXPECT_EQ(MakeDirectoryPath("SinBarra"), 1);
    EXPECT_FALSE(Exists("SinBarra"));
    EXPECT_EQ(MakeDirectoryPath((root + "a\\b c\\d").c_str()), 1);
    EXPECT_TRUE(Exists(root + "a\\b c\\d"));
    EXPECT_EQ(MakeDirectoryPath((root + "e\\f\\").c_str()), 1);
    EXPECT_TRUE(Exists(root + "e\\f"));
    EXPECT_EQ(MakeDirectoryPath((root + "e\\f\\").c_str()), 1);  // existing levels are fine

    char path[PATH_SIZE], work[PATH_SIZE];
    CopyText(path, java.c_str());
    ToShortPath(path, work);
    EXPECT_EQ(std::string(path), ShortForm(java));
    EXPECT_STREQ(work, path);
    EXPECT_EQ(std::string(path).find("Program Files"), std::string::npos);

    // Components that do not exist keep their long form.
    CopyText(path, (java + "\\No Existe\\jre largo").c_str());
    ToShortPath(path, work);
    EXPECT_EQ(std::string(path), ShortForm(java) + "\\No Existe\\jre largo");

    // The entries directory by its short name or a drive letter of its own (a
    // link of the prefix: Wine's DefineDosDevice reaches no file) is still it.
    std::string drive = "\"$WINEPREFIX/dosdevices/q:\"";
    fixture::UnixOutput("ln -sfn '" + fixture::UnixPath(root) + "' " + drive);
    ASSERT_TRUE(Exists("Q:\\Terminal\\Contabilidad.ICO"));
    for (const std::string& spelling : {ShortForm(entries), std::string("q:\\TERMINAL")}) {
        CopyText(inst.dir, spelling.c_str());
        UninstallApplication(record.nombre, inst);
        EXPECT_TRUE(Exists(entries + "Contabilidad.ICO")) << spelling;
    }
    fixture::UnixOutput("rm -f " + drive);
}

TEST_F(Install, CopyKeepsTheEarlierFileWhenItCannotBeCompleted)
{
    std::string dir = root + "Destino\\", target = dir + "Vondra.JAR";
    CreateDirectoryA(dir.c_str(), nullptr);
    fixture::WriteBytes(target, "anterior", 8);

    // What the copy from entries answers, and the target it leaves.
    auto copy = [&](const char* source) {
        int copied = CopyFileRaw(target.c_str(), (entries + source).c_str());
        return std::to_string(copied) + " " + ReadAll(target);
    };
    // The source is gone: nothing is touched.
    EXPECT_EQ(copy("NoHay.JAR"), "0 anterior");

    // The Java client still runs from the earlier archive.
    HANDLE running = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(running, INVALID_HANDLE_VALUE);
    EXPECT_EQ(copy("Vondra.JAR"), "0 anterior");
    CloseHandle(running);
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"Vondra.JAR"});

    // A read-only archive is not replaced.
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(copy("Vondra.JAR"), "0 anterior");
    // Nor by a copy that saw no target and finds one appeared meanwhile;
    // any other such target is replaced whole.
    for (int readOnly = 1; readOnly >= 0; --readOnly) {
        SetFileAttributesA(target.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        Replacement late(target.c_str(), false);
        EXPECT_EQ(late.Write("nuevo", 5), 1);
        EXPECT_EQ(late.Commit(true), 1 - readOnly);
        EXPECT_EQ(ReadAll(target), readOnly ? "anterior" : "nuevo");
        EXPECT_EQ(Listing(dir), std::vector<std::string>{"Vondra.JAR"});
    }

    // Files beside the archive, whatever their names, are left alone.
    fixture::WriteBytes(dir + "Vondra.JA~", "ajeno", 5);
    EXPECT_EQ(copy("Vondra.JAR"), "1 " + Bytes('v', 70000));
    EXPECT_EQ(ReadAll(dir + "Vondra.JA~"), "ajeno");
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"Vondra.JAR", "Vondra.JA~"}));
    DeleteFileA((dir + "Vondra.JA~").c_str());
    fixture::WriteBytes(entries + "Vacio.JAR", "", 0);
    EXPECT_EQ(copy("Vacio.JAR"), "1 ");
}

TEST_F(Install, FindInstallationReadsMarkerRecordAndOlderKeys)
{
    const char* dirsKey = fixture::DIRS_KEY;
    auto removeMachine = [] { fixture::DeleteValue(HKEY_LOCAL_MACHINE, fixture::VONDRA_KEY, "Contabilidad"); };
    auto user = [](const char* key, const char* name) { return fixture::TextOf(HKEY_CURRENT_USER, key, name); };
    // What FindInstallation answers and the directory it leaves.
    auto find = [&] { return std::to_string(FindInstallation(record.nombre, inst)) + " " + inst.dir; };
    fixture::ClearRegistry();
    removeMachine();
    UnmarkInstalled(record.nombre);

    // Nothing recorded: the default directory, not installed.
    CopyText(inst.dir, "X");
    EXPECT_EQ(find(), "0 C:\\VONDRA\\Java");

    // DirInst alone; a directory recorded without the marker is not used.
    fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst", "D:\\Servidor");
    fixture::SetText(HKEY_CURRENT_USER, dirsKey, "Contabilidad", "E:\\Otra");
    EXPECT_EQ(find(), "0 D:\\Servidor");

    // Installed before directories were recorded: DirInst, as it always was.
    UnmarkInstalled(record.nombre);
    fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "Contabilidad", "Instalado !");
    EXPECT_EQ(find(), "1 D:\\Servidor");

    // Marking records inst.dir; an update then finds it there.
    CopyText(inst.dir, "F:\\Estaciones\\Java");
    MarkInstalled(record.nombre, inst.dir);
    EXPECT_EQ(user(dirsKey, "Contabilidad"), "F:\\Estaciones\\Java");
    EXPECT_EQ(find(), "1 F:\\Estaciones\\Java");
    // An empty or over-long record counts as none.
    fixture::SetText(HKEY_CURRENT_USER, dirsKey, "Contabilidad", "");
    EXPECT_EQ(find(), "1 D:\\Servidor");
    fixture::SetText(HKEY_CURRENT_USER, dirsKey, "Contabilidad", "G:\\" + std::string(300, 'x'));
    EXPECT_EQ(find(), "1 D:\\Servidor");
    for (const char* relative : {"Relativa", "G:Relativa", "\\Relativa"}) {  // and so does a relative one
        fixture::SetText(HKEY_CURRENT_USER, dirsKey, "Contabilidad", relative);
        EXPECT_EQ(find(), "1 D:\\Servidor") << relative;
    }

    // Uninstalling removes the marker and the record.
    UnmarkInstalled(record.nombre);
    EXPECT_EQ(user(fixture::VONDRA_KEY, "Contabilidad") + " " + user(dirsKey, "Contabilidad"), "(none) (none)");

    // Marked only in the machine key: the machine's DirInst wins, the marker
    // moves to the user's key, whose own DirInst stays (an empty one is none);
    // a machine marker the move left goes with the uninstall.
    auto moved = [&] {
        std::string found = find();
        return found + "|" + user(fixture::VONDRA_KEY, "DirInst") + "|" + user(dirsKey, "Contabilidad") + "|" +
               fixture::TextOf(HKEY_LOCAL_MACHINE, fixture::VONDRA_KEY, "Contabilidad");
    };
    fixture::SetText(HKEY_LOCAL_MACHINE, fixture::VONDRA_KEY, "DirInst", "H:\\Antigua");
    for (std::string own : {"D:\\Servidor", ""}) {
        fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst", own);
        fixture::SetText(HKEY_LOCAL_MACHINE, fixture::VONDRA_KEY, "Contabilidad", "Instalado !");
        EXPECT_EQ(moved(), "1 H:\\Antigua|" + (own.empty() ? "H:\\Antigua" : own) + "|H:\\Antigua|(none)");
        fixture::SetText(HKEY_LOCAL_MACHINE, fixture::VONDRA_KEY, "Contabilidad", "Instalado !");
        UnmarkInstalled(record.nombre);
    }
    fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst", "Servidor");  // relative: none either
    fixture::DeleteValue(HKEY_LOCAL_MACHINE, fixture::VONDRA_KEY, "DirInst");
    EXPECT_EQ(moved(), "0 C:\\VONDRA\\Java|Servidor|(none)|(none)");

    // A value of another type (or text) named like the application is no marker.
    UnmarkInstalled(record.nombre);
    removeMachine();
    DWORD one = 1;
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "Contabilidad", REG_DWORD, &one, sizeof one),
              ERROR_SUCCESS);
    EXPECT_EQ(FindInstallation(record.nombre, inst), 0);
    fixture::ClearRegistry();
}
