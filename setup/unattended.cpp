// Instalar run by the package (or a deployment tool): the Java runtime's
// part of a distribution already in place, put or taken away, no window,
// an exit code and the run log.
#include "../base/rollback.h"
#include "../base/runlog.h"
#include "instalar.h"

namespace {

const char USAGE[] =
    "Instalar.EXE /instalar /dir DIRECTORIO [/java DIRECTORIO] [/log ARCHIVO]\n"
    "Instalar.EXE /desinstalar /dir DIRECTORIO [/java DIRECTORIO] [/log ARCHIVO]\n\n"
    "Pone en el JRE de Java 8 o anterior los archivos JAR de extensi\xF3n de la distribuci\xF3n instalada en "
    "/dir (y quita de \xE9l los de correo), o los quita de \xE9l; sin ventanas. Un valor con blancos va entre "
    "comillas.\n"
    "/desinstalar quita tambi\xE9n DirInst del usuario cuando nombra ese directorio.\n"
    "/java: directorio del JRE (si falta, el fijado o el m\xE1s nuevo).\n"
    "/log: bit\xE1" "cora (si falta, %TEMP%\\Instalar.log).\n\n"
    "C\xF3" "digos de salida: 0 hecho, 1603 fall\xF3 (ver la bit\xE1" "cora), 1605 no hay distribuci\xF3n en el "
    "directorio,\n1612 no se pudo leer la distribuci\xF3n, 1618 otra ejecuci\xF3n en curso, 1639 l\xEDnea de "
    "comando no v\xE1lida.";

int Run(const CommandLine& command)
{
    int install = command.action == COMMAND_INSTALL;
    char terminal[PATH_SIZE];
    if (!ComposeInstallPath(terminal, command.dir, "Terminal\\", ""))
        return EndRunLog(EXIT_BAD_COMMAND, "el directorio de /dir es demasiado largo");
    if (!DirectoryExists(terminal)) {
        LogStep("Distribuci\xF3n en:", terminal, 0, GetLastError());
        return EndRunLog(install ? EXIT_UNREADABLE : EXIT_NOT_INSTALLED, "no hay distribuci\xF3n en el directorio");
    }
    Runtime runtime{};
    char extension[PATH_SIZE] = "";
    if (FindRuntime(command.java, runtime)) {
        LogRuntime(runtime);
        RuntimeExtensionDir(runtime, extension);
    } else if (command.java[0] != '\0') {
        return EndRunLog(EXIT_FAILED, "no hay JRE de Java en el directorio de /java");
    }
    // Done whole or undone.
    if (!BeginJournal(""))
        return EndRunLog(EXIT_FAILED, "no se pudo escribir el diario de la ejecuci\xF3n");
    SetupFailures failures;
    if (extension[0] == '\0')
        LogNote("Ning\xFAn JRE lee lib\\ext: no hay archivos que poner ni quitar");
    else if (install)
        CopyRuntimeArchives(terminal, extension, failures);
    else
        RemoveRuntimeArchives(terminal, extension, failures);
    for (const SetupFailure& failure : failures)
        LogError("Error", (failure.file + ": " + failure.reason).c_str());
    // What the programs moved from the machine's value goes with the directory.
    if (!install && FailedSteps() == 0)
        DeleteUserDirInst(command.dir);
    EndJournal(FailedSteps() == 0);
    if (FailedSteps() > 0)
        return EndRunLog(EXIT_FAILED, install ? "fall\xF3 un paso de la instalaci\xF3n; se deshizo lo hecho"
                                              : "fall\xF3 un paso de la desinstalaci\xF3n; se deshizo lo hecho");
    return EndRunLog(EXIT_DONE, install ? "instalado" : "desinstalado");
}

}  // namespace

int RunCommand(const CommandLine& command, int parsed)
{
    int begun = BeginUnattended("Instalar", VONDRA_VERSION, USAGE, command, parsed);
    if (begun != RUN_GOES_ON)
        return begun;
    RecoverJournals(nullptr);
    RunLock lock(LOCK_MACHINE, "Instalar", "VONDRA");
    if (!lock.owned)
        return EndWithoutLock(lock, "otra ejecuci\xF3n desatendida de Instalar est\xE1 en curso");
    return Run(command);
}
