// Dalvo run by a deployment tool: /instalar and /desinstalar with the
// entry's own values, no window, an exit code and the run log.
#include "../base/rollback.h"
#include "../base/runlog.h"
#include "../params/editrules.h"
#include "terminal.h"

namespace {

const char USAGE[] =
    "Dalvo.EXE /instalar NOMBRE [/dir DIRECTORIO] [/archivos] [/java DIRECTORIO] [/log ARCHIVO]\n"
    "Dalvo.EXE /desinstalar NOMBRE [/log ARCHIVO]\n\n"
    "Instala, actualiza o desinstala la aplicaci\xF3n sin ventanas. Un valor con blancos va entre comillas.\n"
    "/dir: directorio de una nueva instalaci\xF3n (si falta, el que Dalvo propone).\n"
    "/archivos: copia los archivos JAR aunque est\xE9n al d\xED" "a (si faltan o son viejos se copian siempre).\n"
    "/java: directorio del JRE de Java que usa el acceso directo (si falta, el fijado o el m\xE1s nuevo).\n"
    "/log: bit\xE1" "cora (si falta, %TEMP%\\Dalvo.log).\n\n"
    "C\xF3" "digos de salida: 0 hecho, 1603 fall\xF3 (ver la bit\xE1" "cora), 1605 no est\xE1 instalada,\n"
    "1612 no se pudo leer la entrada, 1618 otra instalaci\xF3n en curso, 1639 l\xEDnea de comando no v\xE1lida.";

// Directories a script names are created whole, as the interactive flow
// creates the one typed.
int MakeInstallDirectory(const char* dir)
{
    if (DirectoryExists(dir))
        return 1;
    MakeDirectoryPath(dir);
    // Asked once more, the system says why the last level is missing.
    DWORD error = DirectoryExists(dir) || CreateDirectoryA(dir, nullptr) ? 0 : GetLastError();
    LogStep("Directorio creado:", dir, error == 0, error);
    return error == 0;
}

int Install(const CommandLine& command)
{
    Installation installation{};
    if (!FindJreOrSay(nullptr, installation.runtime, command.java))
        return EndRunLog(EXIT_FAILED, "no hay JRE de Java");
    LogRuntime(installation.runtime);
    Entry entry{};
    char path[PATH_SIZE];
    ComposeText(path, entryDir, command.name, ".DAI");
    if (!LoadEntry(command.name, 1, entry)) {
        LogStep("Entrada le\xED" "da:", path, 0, GetLastError());
        return EndRunLog(EXIT_UNREADABLE, "no se pudo leer la entrada de la aplicaci\xF3n");
    }
    // The windows show a short file's defaults for the user to mend; here
    // they would be installed as they are.
    if (!entry.whole) {
        LogStep("Entrada completa:", path, 0);
        return EndRunLog(EXIT_UNREADABLE, "la entrada de la aplicaci\xF3n est\xE1 incompleta");
    }
    LogStep("Entrada le\xED" "da:", path, 1);
    // What the editor would refuse on accepting is refused here too.
    if (!Installable(nullptr, entry.record))
        return EndRunLog(EXIT_FAILED, "la entrada no se puede instalar");
    if (EditorVerdict verdict = CheckEditedRecord(entry.record, 0, nullptr); verdict != EDIT_VALID) {
        Refuse(nullptr, EditorVerdictText(verdict));
        return EndRunLog(EXIT_FAILED, "la entrada no se puede instalar");
    }

    int found = FindInstallation(entry.record.nombre, installation);
    entry.isNew = found ? 0 : 1;
    if (found) {
        LogNote("Instalada antes: se actualiza en ", installation.dir);
    } else {
        if (command.dir[0] != '\0')
            CopyText(installation.dir, command.dir);
        // INSTALAR's test: the shortcut would replace another application's.
        if (ShortcutExists(entry.record.nombre)) {
            Refuse(nullptr, "El nombre de la aplicaci\xF3n ya existe !");
            return EndRunLog(EXIT_FAILED, "ya hay un acceso directo con ese nombre");
        }
    }
    // The archives are copied when they are not current, as the windows
    // propose, and with /archivos anyway. None on the server fails only an
    // installation that needs them: a new one, or /archivos.
    int jars = JarStatus(installation.dir);
    installation.copyJars = command.copyJars || (jars != JARS_CURRENT && (!found || jars != JARS_NONE));
    // Refused before a directory is made for it.
    InstallTexts texts;
    if (!ComposeInstallation(nullptr, entry.record, installation, texts))
        return EndRunLog(EXIT_FAILED, "la instalaci\xF3n no se puede hacer as\xED");
    // The directory made is part of the installation: undone with it.
    if (!BeginJournal(entry.record.nombre))
        return EndRunLog(EXIT_FAILED, "no se pudo escribir el diario de la instalaci\xF3n");
    int made = MakeInstallDirectory(installation.dir);
    if (!made || InstallApplication(nullptr, entry.record, installation) != SHORTCUT_SAVED || FailedSteps() > 0) {
        EndJournal(0);
        return EndRunLog(EXIT_FAILED, made ? "fall\xF3 un paso de la instalaci\xF3n; se deshizo lo hecho"
                                           : "no se pudo crear el directorio de instalaci\xF3n");
    }
    EndJournal(1);
    return EndRunLog(EXIT_DONE, found ? "actualizada" : "instalada");
}

// Needs no entry: the marker and the installation found are enough.
int Uninstall(const CommandLine& command)
{
    Installation installation{};
    if (!FindInstallation(command.name, installation))
        return EndRunLog(EXIT_NOT_INSTALLED, "la aplicaci\xF3n no est\xE1 instalada aqu\xED");
    UninstallApplication(command.name, installation);
    if (FailedSteps() > 0)
        return EndRunLog(EXIT_FAILED, "fall\xF3 un paso de la desinstalaci\xF3n");
    return EndRunLog(EXIT_DONE, "desinstalada");
}

}  // namespace

int RunCommand(const CommandLine& command, int parsed)
{
    int begun = BeginUnattended("Dalvo", VONDRA_VERSION, USAGE, command, parsed);
    if (begun != RUN_GOES_ON)
        return begun;
    RecoverJournals(nullptr);
    ComputeEntryDir();
    if (!EntryNameUsable(command.name, entryDir))
        return EndRunLog(EXIT_BAD_COMMAND, "el nombre de la aplicaci\xF3n no es v\xE1lido como nombre de archivo");
    // Markers, shortcuts and entries are the user's own: so is the lock.
    RunLock lock(LOCK_USER, "Dalvo", command.name);
    if (!lock.owned)
        return EndWithoutLock(lock, "otra ejecuci\xF3n desatendida de la aplicaci\xF3n est\xE1 en curso");
    return command.action == COMMAND_INSTALL ? Install(command) : Uninstall(command);
}
