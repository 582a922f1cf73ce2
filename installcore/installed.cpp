// Which applications this workstation has installed, and where: the marker
// value "Instalado !" per application and the directory it was installed to.
#include <cstdio>
#include <cstring>

#include "install.h"
#include "../base/regkey.h"
#include "../base/rollback.h"
#include "../base/runlog.h"

#include <winnetwk.h>

char uninstaller[PATH_SIZE];

namespace {

const char INSTALLED[] = "Instalado !";
// The maker, as the shortcuts and the distribution's package name it.
const char PUBLISHER[] = "Ostrel, S.A. de C.V.";
// One value per application, named like its marker, holding the directory
// it was installed to. Installations made before it was kept have none.
const char DIRS_KEY[] = "SOFTWARE\\Vondra\\Java\\Directorios";

// A marker holds its text: a value of another meaning named like an
// application is none.
int IsMarked(HKEY key, const char* name)
{
    char text[sizeof INSTALLED];
    return QueryRegText(key, name, text, sizeof text) && std::strcmp(text, INSTALLED) == 0;
}

// The directory recorded for name, when there is a usable one: a relative
// one would follow the current directory.
int RecordedInstallDir(const char* name, char (&dir)[PATH_SIZE])
{
    RegKey key;
    return key.Open(HKEY_CURRENT_USER, DIRS_KEY, KEY_QUERY_VALUE) && QueryRegText(key.handle, name, dir, sizeof dir) &&
           IsFullDirectory(dir);
}

// DirInst of root's key into installDir, when it names a full directory; 1
// when name is marked installed there.
int LookIn(HKEY root, const char* name, char (&installDir)[PATH_SIZE])
{
    RegKey key;
    if (!key.Open(root, VONDRA_KEY, KEY_QUERY_VALUE))
        return 0;
    char dir[PATH_SIZE];
    if (QueryRegText(key.handle, "DirInst", dir, sizeof dir) && IsFullDirectory(dir))
        CopyText(installDir, dir);
    return IsMarked(key.handle, name);
}

// The marker of name in the machine key (an older installation) goes; none
// there is nothing to do. The key is opened for more than reading only when
// it holds one: a user may not write it.
LONG DeleteMachineMarker(const char* name)
{
    {
        RegKey key;
        if (!key.Open(HKEY_LOCAL_MACHINE, VONDRA_KEY, KEY_QUERY_VALUE) || !IsMarked(key.handle, name))
            return ERROR_SUCCESS;
    }
    RegKey key;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, VONDRA_KEY, 0, KEY_SET_VALUE, &key.handle);
    return status == ERROR_SUCCESS ? RegDeleteValueA(key.handle, name) : status;
}

// The system's list of installed programs, one key per application.
const char PROGRAMS_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char SHOWN_PREFIX[] = "VONDRA - ";

int ProgramKey(char (&key)[PATH_SIZE], const char* name)
{
    return ComposeText(key, PROGRAMS_KEY, SHOWN_PREFIX, name);
}

LONG SetText(HKEY key, const char* name, const char* text)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}

// A value of the user's key path. No key or no value leaves nothing to
// delete; a key that is there but does not open for it is a failure. Only
// the right to set values is asked: a key may allow no more.
LONG DeleteValue(const char* path, const char* name)
{
    RegKey key;
    LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_SET_VALUE, &key.handle);
    if (status == ERROR_SUCCESS)
        status = RegDeleteValueA(key.handle, name);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

// The Dalvo.EXE beside the entries, which stays where the one running may
// not (a deployment tool's cache, a drive letter pushd maps for a while);
// on a network drive named by its share, which outlasts the letter.
int LastingUninstaller(char (&exe)[PATH_SIZE])
{
    char beside[PATH_SIZE];
    DWORD got = ComposeText(beside, entryDir, "Dalvo.EXE") ? GetFullPathNameA(beside, PATH_SIZE, exe, nullptr) : 0;
    if (got == 0 || got >= PATH_SIZE || !FileExists(exe))
        return uninstaller[0] != '\0' ? CopyText(exe, uninstaller) : ComposeText(exe, entryDir, "Dalvo.EXE");
    char root[] = {exe[0], ':', '\\', '\0'};
    if (exe[1] != ':' || GetDriveTypeA(root) != DRIVE_REMOTE)
        return 1;
    union {
        UNIVERSAL_NAME_INFOA info;
        char bytes[sizeof(UNIVERSAL_NAME_INFOA) + PATH_SIZE];
    } universal;
    DWORD size = sizeof universal;
    if (WNetGetUniversalNameA(exe, UNIVERSAL_NAME_INFO_LEVEL, &universal, &size) == NO_ERROR &&
        strnlen(universal.info.lpUniversalName, PATH_SIZE) < PATH_SIZE)
        CopyText(exe, universal.info.lpUniversalName);
    return 1;
}

// Kilobytes the application takes in dir: its parameter file and icon and
// the archives it starts from, as the list of programs shows them.
DWORD InstalledKilobytes(const char* name, const char* dir)
{
    char base[PATH_SIZE], par[PATH_SIZE], icon[PATH_SIZE];
    if (!CopyText(base, dir) || !AddBackslash(base) || !ComposeText(par, name, ".PAR") ||
        !ComposeText(icon, name, ".ICO"))
        return 0;
    ULONGLONG bytes = 0;
    for (const char* pattern : {"*.JAR", static_cast<const char*>(par), static_cast<const char*>(icon)})
        ForEachFile(base, pattern, [&](const char* file) {
            char path[PATH_SIZE];
            WIN32_FILE_ATTRIBUTE_DATA data;
            if (ComposeText(path, base, file) && GetFileAttributesExA(path, GetFileExInfoStandard, &data))
                bytes += (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            return true;
        });
    return static_cast<DWORD>((bytes + 1023) / 1024);
}

}  // namespace

void MarkInstalled(const char* name, const char* dir)
{
    const char step[] = "Marca de instalaci\xF3n y directorio en el registro:";
    {
        RegKey key;
        bool kept = KeepValue(HKEY_CURRENT_USER, 0, VONDRA_KEY, name) && KeepValue(HKEY_CURRENT_USER, 0, DIRS_KEY, name);
        LONG status = kept && key.OpenForWriting(HKEY_CURRENT_USER, VONDRA_KEY) ? SetText(key.handle, name, INSTALLED)
                                                                                 : ERROR_CANTWRITE;
        if (status != ERROR_SUCCESS) {
            LogStep(step, name, 0, status);
            return;
        }
    }
    // So that an update or an uninstall finds the files where they went.
    RegKey dirs;
    char recorded[PATH_SIZE];
    CopyText(recorded, dir);
    LONG status = dirs.OpenForWriting(HKEY_CURRENT_USER, DIRS_KEY) ? SetText(dirs.handle, name, recorded)
                                                                    : ERROR_CANTWRITE;
    LogStep(step, name, status == ERROR_SUCCESS, status);
}

void UnmarkInstalled(const char* name)
{
    // A machine marker left would make the next run find it installed again.
    if (!KeepValue(HKEY_CURRENT_USER, 0, VONDRA_KEY, name) || !KeepValue(HKEY_CURRENT_USER, 0, DIRS_KEY, name) ||
        !KeepValue(HKEY_LOCAL_MACHINE, 0, VONDRA_KEY, name)) {
        LogStep("Marca de instalaci\xF3n quitada del registro:", name, 0, GetLastError());
        return;
    }
    LONG status = DeleteValue(VONDRA_KEY, name);
    for (LONG removed : {DeleteValue(DIRS_KEY, name), DeleteMachineMarker(name)})
        if (status == ERROR_SUCCESS)
            status = removed;
    LogStep("Marca de instalaci\xF3n quitada del registro:", name, status == ERROR_SUCCESS, status);

    char key[PATH_SIZE];
    if (!ProgramKey(key, name))
        return;
    status = KeepKey(HKEY_CURRENT_USER, 0, key) ? RegDeleteKeyA(HKEY_CURRENT_USER, key) : ERROR_CANTWRITE;
    if (status == ERROR_FILE_NOT_FOUND)
        status = ERROR_SUCCESS;
    LogStep("Programa quitado de la lista del sistema:", key, status == ERROR_SUCCESS, status);
}

void ListInstalledProgram(const char* name, const char* dir, const char* icon)
{
    char key[PATH_SIZE], shown[PATH_SIZE], exe[PATH_SIZE], command[2 * PATH_SIZE];
    bool composed = ProgramKey(key, name) && ComposeText(shown, SHOWN_PREFIX, name) && LastingUninstaller(exe) &&
                    ComposeText(command, "\"", exe, "\" /desinstalar \"", name, "\"");
    LONG status = ERROR_FILENAME_EXCED_RANGE;
    if (composed) {
        RegKey listed;
        static const char* const NAMES[] = {"DisplayName",     "DisplayIcon",          "InstallLocation",
                                            "UninstallString", "QuietUninstallString", "DisplayVersion",
                                            "Publisher",       "InstallDate",          "NoModify",
                                            "NoRepair",        "EstimatedSize"};
        status = KeepKey(HKEY_CURRENT_USER, 0, key) ? ERROR_SUCCESS : ERROR_CANTWRITE;
        for (const char* value : NAMES)
            if (status == ERROR_SUCCESS && !KeepValue(HKEY_CURRENT_USER, 0, key, value))
                status = ERROR_CANTWRITE;
        if (status == ERROR_SUCCESS)
            status = RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                 &listed.handle, nullptr);
        // What deployment tools detect an installation by: version, maker, size and date.
        SYSTEMTIME today;
        GetLocalTime(&today);
        char date[16];
        std::snprintf(date, sizeof date, "%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
        const char* const texts[][2] = {{"DisplayName", shown},
                                        {"DisplayIcon", icon},
                                        {"InstallLocation", dir},
                                        {"UninstallString", command},
                                        {"QuietUninstallString", command},
                                        {"DisplayVersion", VONDRA_VERSION},
                                        {"Publisher", PUBLISHER},
                                        {"InstallDate", date}};
        for (const auto& text : texts)
            if (status == ERROR_SUCCESS)
                status = SetText(listed.handle, text[0], text[1]);
        const DWORD numbers[] = {1, 1, InstalledKilobytes(name, dir)};
        const char* const numbered[] = {"NoModify", "NoRepair", "EstimatedSize"};
        for (int i = 0; i < 3; ++i)
            if (status == ERROR_SUCCESS)
                status = RegSetValueExA(listed.handle, numbered[i], 0, REG_DWORD,
                                        reinterpret_cast<const BYTE*>(&numbers[i]), sizeof numbers[i]);
    }
    LogStep("Programa en la lista del sistema:", key, status == ERROR_SUCCESS, status);
}

int FindInstallation(const char* name, Installation& installation)
{
    char (&installDir)[PATH_SIZE] = installation.dir;
    CopyText(installDir, DEFAULT_INSTALL_DIR);
    char dir[PATH_SIZE];
    if (LookIn(HKEY_CURRENT_USER, name, installDir)) {
        if (RecordedInstallDir(name, dir))
            CopyText(installDir, dir);
        return 1;
    }
    if (!LookIn(HKEY_LOCAL_MACHINE, name, installDir))
        return 0;
    // Moved to the user's key, whose own DirInst stays; the machine's marker
    // goes where that is allowed (else the uninstall says it could not).
    if (!UserHasDirInst())
        WriteUserDirInst(installDir);
    MarkInstalled(name, installDir);
    RegKey user;
    if (user.Open(HKEY_CURRENT_USER, VONDRA_KEY, KEY_QUERY_VALUE) && IsMarked(user.handle, name))
        DeleteMachineMarker(name);
    return 1;
}
