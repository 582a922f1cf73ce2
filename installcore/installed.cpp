// Which applications this workstation has installed, and where: the marker
// value "Instalado !" per application and the directory it was installed to.
#include "install.h"
#include "../base/regkey.h"

namespace {

const char INSTALLED[] = "Instalado !";
// One value per application, named like its marker, holding the directory
// it was installed to. Installations made before it was kept have none.
const char DIRS_KEY[] = "SOFTWARE\\Vondra\\Java\\Directorios";

int HasValue(HKEY key, const char* name)
{
    return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// The directory recorded for name, when there is a usable one.
int RecordedInstallDir(const char* name, char (&dir)[PATH_SIZE])
{
    RegKey key;
    return key.Open(HKEY_CURRENT_USER, DIRS_KEY, KEY_QUERY_VALUE) && QueryRegText(key.handle, name, dir, sizeof dir) &&
           dir[0] != '\0';
}

// DirInst of root's key into installDir, when it has one; 1 when name is
// marked installed there.
int LookIn(HKEY root, const char* name, char (&installDir)[PATH_SIZE])
{
    RegKey key;
    if (!key.Open(root, VONDRA_KEY, KEY_QUERY_VALUE))
        return 0;
    char dir[PATH_SIZE];
    if (QueryRegText(key.handle, "DirInst", dir, sizeof dir))
        CopyText(installDir, dir);
    return HasValue(key.handle, name);
}

}  // namespace

void MarkInstalled(const char* name, const char* dir)
{
    {
        RegKey key;
        if (!key.OpenForWriting(HKEY_CURRENT_USER, VONDRA_KEY))
            return;
        RegSetValueExA(key.handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(INSTALLED),
                       sizeof INSTALLED);
    }
    // So that an update or an uninstall finds the files where they went.
    RegKey dirs;
    if (dirs.OpenForWriting(HKEY_CURRENT_USER, DIRS_KEY))
        RegSetValueExA(dirs.handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(dir),
                       static_cast<DWORD>(strnlen(dir, PATH_SIZE - 1) + 1));
}

void UnmarkInstalled(const char* name)
{
    {
        RegKey key;
        if (key.Open(HKEY_CURRENT_USER, VONDRA_KEY, KEY_ALL_ACCESS))
            RegDeleteValueA(key.handle, name);
    }
    RegKey dirs;
    if (dirs.Open(HKEY_CURRENT_USER, DIRS_KEY, KEY_ALL_ACCESS))
        RegDeleteValueA(dirs.handle, name);
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
    // Moved to the user's key; the machine key's values stay.
    WriteUserDirInst(installDir);
    MarkInstalled(name, installDir);
    return 1;
}
