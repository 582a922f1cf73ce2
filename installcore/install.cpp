// The installation step and its undoing: parameter file, icon, archives,
// marker and shortcut.
#include <cstdio>
#include <cstring>

#include "../base/rollback.h"
#include "../base/runlog.h"
#include "../base/workfile.h"
#include "install.h"

namespace {

const char PATH_TOO_LONG[] =
    "El directorio de instalaci\xF3n es demasiado largo para los archivos de la aplicaci\xF3n !";
const char COMMAND_TOO_LONG[] =
    "La l\xEDnea de comando de la aplicaci\xF3n excede lo que admite un acceso directo !\n"
    "Use un directorio de instalaci\xF3n m\xE1s corto o menos par\xE1metros /P.";
const char JRE_TOO_LONG[] = "La ruta del JRE de Java es demasiado larga para el acceso directo !";
const char NAME_UNUSABLE[] = "El nombre de la aplicaci\xF3n no es v\xE1lido como nombre de archivo !\n";
const char ENTRY_DIR_REFUSED[] =
    "El directorio de instalaci\xF3n no puede ser el de las aplicaciones del servidor !\n";
const char SHORTCUT_NOT_OURS_TEXT[] =
    "El acceso directo del escritorio es de otra aplicaci\xF3n: no se reemplaza y la instalaci\xF3n se deshizo !\n";
const char PARAM_FILE_FAILED[] = "No se pudo escribir el archivo de par\xE1metros de la aplicaci\xF3n !\n";
const char NO_ARCHIVES[] = "No hay archivos JAR que copiar para la aplicaci\xF3n en\n";
const char INSTALL_INCOMPLETE[] =
    "La instalaci\xF3n de la aplicaci\xF3n no se complet\xF3 y se deshizo lo hecho !\n";
const char JOURNAL_FAILED[] = "No se pudo escribir el diario de la instalaci\xF3n: no se cambi\xF3 nada !";

// 0 after the refusal is said.
int Refused(HWND owner, const char* text, const char* detail = "")
{
    Refuse(owner, text, detail);
    return 0;
}

int RefuseInstall(HWND owner, const char* text, const char* detail = "")
{
    Refuse(owner, text, detail);
    return INSTALL_REFUSED;
}

}  // namespace

int WriteParamFile(const char* dir, const char* name, const char* lines, char (&path)[PATH_SIZE])
{
    if (!ComposeInstallPath(path, dir, name, ".PAR"))
        return 0;
    // The shortcut will point at this file: its directory must exist first.
    MakeDirectoryPath(dir);
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

namespace {

// Which directory dir is, whatever its spelling (short names, another drive
// letter or share for it): its volume and file index. 0 when it can't be
// opened or the file system gives no index.
int DirectoryIdentity(const char* dir, BY_HANDLE_FILE_INFORMATION& info)
{
    HANDLE handle = CreateFileA(dir, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    BOOL got = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    return got && (info.nFileIndexHigh != 0 || info.nFileIndexLow != 0);
}

}  // namespace

int IsEntryDirectory(const char* dir)
{
    BY_HANDLE_FILE_INFORMATION info[2];
    if (DirectoryIdentity(dir, info[0]) && DirectoryIdentity(entryDir, info[1]))
        return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
               info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
    // One of them does not exist (yet): the spellings decide.
    char full[2][PATH_SIZE];
    const char* given[2] = {dir, entryDir};
    for (int i = 0; i < 2; ++i) {
        DWORD got = GetFullPathNameA(given[i], PATH_SIZE, full[i], nullptr);
        if (got == 0 || got >= PATH_SIZE || !AddBackslash(full[i]))
            return 0;
    }
    return SameFileName(full[0], full[1]);
}

int RefuseEntryDirectory(HWND owner, const char* dir)
{
    if (!IsEntryDirectory(dir))
        return 0;
    Refuse(owner, ENTRY_DIR_REFUSED, dir);
    return 1;
}

void DeleteInstalledIcon(const char* name, const char* dir)
{
    // The entries directory holds the entry's own icon, not an installed copy.
    char icon[PATH_SIZE];
    if (!IsEntryDirectory(dir) && ComposeInstallPath(icon, dir, name, ".ICO"))
        DeleteInstalledFile("\xCD" "cono borrado:", icon);
}

void UninstallApplication(const char* name, const Installation& installation)
{
    int failedBefore = FailedSteps();
    if (!BeginJournal(name))
        return;
    UnmarkInstalled(name);
    DeleteInstalledIcon(name, installation.dir);
    DeleteShortcut(name);
    EndJournal(FailedSteps() == failedBefore);
}

int ComposeInstallation(HWND owner, const AppParams& record, const Installation& installation,
                        InstallTexts& texts)
{
    const char* name = record.nombre;
    const char* dir = installation.dir;
    if (!EntryNameUsable(name, entryDir))
        return Refused(owner, NAME_UNUSABLE, name);
    if (RefuseEntryDirectory(owner, dir))
        return 0;
    // Copies asked for with none to copy: the shortcut would start nothing.
    bool archives = !installation.copyJars;
    if (!archives)
        ForEachFile(entryDir, "*.JAR", [&archives](const char*) { return !(archives = true); });
    if (!archives)
        return Refused(owner, NO_ARCHIVES, entryDir);
    BuildParamLines(texts.lines, record);
    if (!ComposeInstallPath(texts.paramFile, dir, name, ".PAR") || !ComposeInstallPath(texts.icon, dir, name, ".ICO"))
        return Refused(owner, PATH_TOO_LONG);
    const Runtime& runtime = installation.runtime;
    if (!BuildCommandLine(texts.command, record, dir, texts.paramFile, runtime.feature))
        return Refused(owner, COMMAND_TOO_LONG);
    // The shortcut's target in short form; the runtime found stays as found.
    char java[PATH_SIZE], work[PATH_SIZE], target[PATH_SIZE];
    CopyText(java, runtime.home);
    ToShortPath(java, work);
    if (!ComposeText(texts.targetDir, java, "\\BIN\\") || !ComposeText(target, texts.targetDir, "JavaW.EXE"))
        return Refused(owner, JRE_TOO_LONG);
    return 1;
}

int InstallApplication(HWND owner, const AppParams& record, const Installation& installation)
{
    // Everything is composed and checked before the first file is written:
    // a refused installation leaves the workstation as it was.
    InstallTexts texts;
    if (!ComposeInstallation(owner, record, installation, texts))
        return INSTALL_REFUSED;
    const char* name = record.nombre;
    const char* dir = installation.dir;
    const Runtime& runtime = installation.runtime;
    const char *lines = texts.lines, *icon = texts.icon, *command = texts.command, *targetDir = texts.targetDir;
    char (&paramFile)[PATH_SIZE] = texts.paramFile;
    int failedBefore = FailedSteps();
    // Every step below is journaled: the installation is done whole or undone.
    if (!BeginJournal(name))
        return RefuseInstall(owner, JOURNAL_FAILED);

    if (!WriteParamFile(dir, name, lines, paramFile)) {
        LogStep("Archivo de par\xE1metros escrito:", paramFile, 0, GetLastError());
        EndJournal(0);
        return RefuseInstall(owner, PARAM_FILE_FAILED, paramFile);
    }
    LogStep("Archivo de par\xE1metros escrito:", paramFile, 1);

    // A missing entry icon leaves the shortcut's icon pointing at nothing, as
    // before; the installation goes on. One that is there but can't be read
    // (held by another program) is a failed step, not a missing icon.
    char iconSource[PATH_SIZE];
    if (ComposeText(iconSource, entryDir, name, ".ICO")) {
        if (GetFileAttributesA(iconSource) != INVALID_FILE_ATTRIBUTES) {
            int copied = CopyFileRaw(icon, iconSource);
            LogStep("\xCD" "cono copiado:", icon, copied, copied ? 0 : GetLastError());
        } else {
            LogNote("La aplicaci\xF3n no tiene \xED" "cono: ", iconSource);
        }
    }
    if (installation.copyJars || (!UsesExtensionDir(runtime) && JarStatus(dir) != JARS_CURRENT))
        CopyJars(dir);
    MarkInstalled(name, dir);
    ListInstalledProgram(name, dir, icon);
    int result = CreateShortcut(targetDir, "JavaW.EXE", name, dir, command, icon);
    char link[PATH_SIZE] = "", step[64];
    ShortcutPath(name, link);
    if (result == SHORTCUT_NOT_OURS)
        Refuse(owner, SHORTCUT_NOT_OURS_TEXT, link);
    std::snprintf(step, sizeof step, "Acceso directo (c\xF3" "digo %d):", result);
    LogStep(step, link, result == SHORTCUT_SAVED);
    bool failed = FailedSteps() > failedBefore;
    char last[512];
    CopyText(last, LastFailedStep());
    EndJournal(!failed);
    // The log says it unattended; with windows the user is told here.
    if (!IsUnattended() && failed && result != SHORTCUT_NOT_OURS)
        Refuse(owner, INSTALL_INCOMPLETE, last);
    return result;
}
