// The installation step and its undoing: parameter file, icon, archives,
// marker and shortcut.
#include <cstring>

#include "../base/workfile.h"
#include "install.h"

char installDir[PATH_SIZE];
int copyJars;

namespace {

const char PATH_TOO_LONG[] =
    "El directorio de instalaci\xF3n es demasiado largo para los archivos de la aplicaci\xF3n !";
const char COMMAND_TOO_LONG[] =
    "La l\xEDnea de comando de la aplicaci\xF3n excede lo que admite un acceso directo !\n"
    "Use un directorio de instalaci\xF3n m\xE1s corto o menos par\xE1metros /P.";
const char JRE_TOO_LONG[] = "La ruta del JRE de Java es demasiado larga para el acceso directo !";
const char PARAM_FILE_FAILED[] = "No se pudo escribir el archivo de par\xE1metros de la aplicaci\xF3n !\n";

int Refuse(const char* text, const char* detail = "")
{
    char message[512];
    ComposeText(message, text, detail);
    ShowError(mainWindow, message, "Error");
    return INSTALL_REFUSED;
}

}  // namespace

int WriteParamFile(const char* lines, char (&path)[PATH_SIZE])
{
    if (!ComposeInstallPath(path, installDir, appParams.nombre, ".PAR"))
        return 0;
    // The shortcut will point at this file: its directory must exist first.
    MakeDirectoryPath(installDir);
    return WriteWholeFile(path, lines, std::strlen(lines));
}

void ToShortPath(char (&path)[PATH_SIZE], char (&work)[PATH_SIZE])
{
    size_t at = std::strcspn(path, "\\");
    std::memcpy(work, path, at);
    work[at] = '\0';
    while (path[at] == '\\') {
        size_t next = std::strcspn(path + at + 1, "\\");
        size_t used = std::strlen(work);
        if (used + 1 + next >= sizeof work)
            return;  // cannot happen for a path that fits; leave it whole
        work[used] = '\\';
        std::memcpy(work + used + 1, path + at + 1, next);
        work[used + 1 + next] = '\0';
        char shortForm[PATH_SIZE];
        DWORD got = GetShortPathNameA(work, shortForm, sizeof shortForm);
        if (got > 0 && got < sizeof shortForm)
            std::memcpy(work, shortForm, got + 1);
        at += 1 + next;
    }
    std::memcpy(path, work, std::strlen(work) + 1);
}

void DeleteInstalledIcon()
{
    char icon[PATH_SIZE];
    if (ComposeInstallPath(icon, installDir, appParams.nombre, ".ICO"))
        DeleteFileA(icon);
}

void UninstallApplication()
{
    UnmarkInstalled();
    DeleteInstalledIcon();
    DeleteShortcut();
}

int InstallApplication()
{
    // Everything is composed and checked before the first file is written:
    // a refused installation leaves the workstation as it was.
    char lines[PARAM_LINES_SIZE];
    BuildParamLines(lines, appParams);
    char paramFile[PATH_SIZE], icon[PATH_SIZE];
    if (!ComposeInstallPath(paramFile, installDir, appParams.nombre, ".PAR") ||
        !ComposeInstallPath(icon, installDir, appParams.nombre, ".ICO"))
        return Refuse(PATH_TOO_LONG);
    char command[COMMAND_LINE_SIZE];
    if (!BuildCommandLine(command, appParams, installDir, paramFile))
        return Refuse(COMMAND_TOO_LONG);

    char work[PATH_SIZE];
    ToShortPath(javaHome, work);
    char targetDir[PATH_SIZE], target[PATH_SIZE];
    if (!ComposeText(targetDir, javaHome, "\\BIN\\") || !ComposeText(target, targetDir, "JavaW.EXE"))
        return Refuse(JRE_TOO_LONG);

    if (!WriteParamFile(lines, paramFile))
        return Refuse(PARAM_FILE_FAILED, paramFile);

    // A missing entry icon leaves the shortcut's icon pointing at nothing, as
    // before; the installation goes on.
    char iconSource[PATH_SIZE];
    MakeDirectoryPath(installDir);
    if (ComposeText(iconSource, entryDir, appParams.nombre, ".ICO"))
        CopyFileRaw(icon, iconSource);
    if (copyJars)
        CopyJars();
    MarkInstalled();
    return CreateShortcut(targetDir, "JavaW.EXE", appParams.nombre, installDir, command, icon);
}
