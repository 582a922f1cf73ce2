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

// The directory recorded for nombre, when there is a usable one.
int RecordedInstallDir(char (&dir)[PATH_SIZE])
{
    RegKey key;
    return key.Open(HKEY_CURRENT_USER, DIRS_KEY, KEY_QUERY_VALUE) &&
           QueryRegText(key.handle, appParams.nombre, dir, sizeof dir) && dir[0] != '\0';
}

// DirInst of root's key into installDir, when it has one; 1 when nombre is
// marked installed there.
int LookIn(HKEY root)
{
    RegKey key;
    if (!key.Open(root, VONDRA_KEY, KEY_QUERY_VALUE))
        return 0;
    char dir[PATH_SIZE];
    if (QueryRegText(key.handle, "DirInst", dir, sizeof dir))
        CopyText(installDir, dir);
    return HasValue(key.handle, appParams.nombre);
}

}  // namespace

void MarkInstalled()
{
    {
        RegKey key;
        if (!key.OpenForWriting(HKEY_CURRENT_USER, VONDRA_KEY))
            return;
        RegSetValueExA(key.handle, appParams.nombre, 0, REG_SZ, reinterpret_cast<const BYTE*>(INSTALLED),
                       sizeof INSTALLED);
    }
    // So that an update or an uninstall finds the files where they went.
    RegKey dirs;
    if (dirs.OpenForWriting(HKEY_CURRENT_USER, DIRS_KEY))
        RegSetValueExA(dirs.handle, appParams.nombre, 0, REG_SZ, reinterpret_cast<const BYTE*>(installDir),
                       static_cast<DWORD>(strnlen(installDir, sizeof installDir - 1) + 1));
}

void UnmarkInstalled()
{
    {
        RegKey key;
        if (key.Open(HKEY_CURRENT_USER, VONDRA_KEY, KEY_ALL_ACCESS))
            RegDeleteValueA(key.handle, appParams.nombre);
    }
    RegKey dirs;
    if (dirs.Open(HKEY_CURRENT_USER, DIRS_KEY, KEY_ALL_ACCESS))
        RegDeleteValueA(dirs.handle, appParams.nombre);
}

int FindInstallation()
{
    CopyText(installDir, DEFAULT_INSTALL_DIR);
    char dir[PATH_SIZE];
    if (LookIn(HKEY_CURRENT_USER)) {
        if (RecordedInstallDir(dir))
            CopyText(installDir, dir);
        return 1;
    }
    if (!LookIn(HKEY_LOCAL_MACHINE))
        return 0;
    // Moved to the user's key; the machine key's values stay.
    WriteUserDirInst(installDir);
    MarkInstalled();
    return 1;
}
