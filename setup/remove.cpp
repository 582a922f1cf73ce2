// Removal of a distribution: only the files the setup placed, and the
// directories that are left empty. Entry files, parameter files, texts and
// the user's own files stay, and so do the directories holding them.
#include "../base/regkey.h"
#include "../base/rollback.h"
#include "../base/runlog.h"
#include "instalar.h"

// Deleting what is not there is no failure.
void DeleteListed(const char* path, SetupFailures& failures)
{
    DWORD error = 0;
    if (!RemoveFile(path, error))
        failures.push_back({path, "no se pudo eliminar"});
}

void DeleteMatching(const char* pattern, const char* dir, SetupFailures& failures)
{
    ForEachFile(dir, pattern, [&](const char* name) {
        char path[PATH_SIZE];
        if (LongNameMatches(name, pattern) && ComposeText(path, dir, name))
            DeleteListed(path, failures);
        return true;
    });
}

void DeleteUserDirInst(const char* removed)
{
    RegKey key;
    char recorded[PATH_SIZE];
    if (key.Open(HKEY_CURRENT_USER, VONDRA_KEY, KEY_QUERY_VALUE | KEY_SET_VALUE) &&
        QueryRegText(key.handle, "DirInst", recorded, sizeof recorded) && SameDirectory(recorded, removed) &&
        KeepValue(HKEY_CURRENT_USER, 0, VONDRA_KEY, "DirInst"))
        RegDeleteValueA(key.handle, "DirInst");
}

int RemoveDistribution(SetupFailures& failures)
{
    // Removed whole or not at all: a file that resists leaves every one in place.
    if (!BeginJournal("")) {
        failures.push_back({setupDir, "no se pudo escribir el diario de la desinstalaci\xF3n"});
        return 0;
    }
    char path[PATH_SIZE], terminal[PATH_SIZE];
    if (ComposeInstallPath(path, setupDir, "Servidor\\Fostra.EXE", ""))
        DeleteListed(path, failures);
    if (ComposeInstallPath(terminal, setupDir, "Terminal\\", ""))
        for (const char* pattern : {"*.GIF", "*.ICO", "*.JAR", "*.EXE", "*.DLL"})
            DeleteMatching(pattern, terminal, failures);
    if (ComposeInstallPath(path, setupDir, "Brenko.EXE", ""))
        DeleteListed(path, failures);
    if (failures.empty())
        DeleteUserDirInst(setupDir);
    EndJournal(failures.empty());
    if (!failures.empty())
        return 0;
    // Once the backups are gone: directories that still hold other files
    // stay, without a word.
    for (const char* dir : {"Servidor", "Terminal"})
        if (ComposeInstallPath(path, setupDir, dir, ""))
            RemoveDirectoryA(path);
    RemoveDirectoryA(setupDir);
    return 1;
}

void RemoveRuntimeArchives(const char* terminal, const char* extension, SetupFailures& failures)
{
    char path[PATH_SIZE];
    for (const char* pattern : {"*.JAR", "*.TXT"})
        ForEachFile(terminal, pattern, [&](const char* name) {
            if (LongNameMatches(name, pattern) && NeedsJreExtension(name) && ComposeText(path, extension, name)) {
                size_t before = failures.size();
                DeleteListed(path, failures);
                LogStep("Archivo quitado del JRE:", path, failures.size() == before);
            }
            return true;
        });
}
