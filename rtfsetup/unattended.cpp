// Kelmin run by a deployment tool: /instalar and /desinstalar of Pluvik.DLL
// and its grant, no window, an exit code and the run log.
#include <cstring>

#include "../base/rollback.h"
#include "../base/runlog.h"
#include "kelmin.h"

namespace {

const char USAGE[] =
    "Kelmin.EXE [ORIGEN] /instalar [/url DIRECCION | /cualquiera] [/java DIRECTORIO] [/log ARCHIVO]\n"
    "Kelmin.EXE /desinstalar [/java DIRECTORIO] [/log ARCHIVO]\n\n"
    "Instala, actualiza o desinstala Pluvik.DLL y sus permisos de Java sin ventanas. Un valor con blancos va "
    "entre comillas.\n"
    "ORIGEN: directorio de Pluvik.DLL y Pluvik64.DLL (si falta, el de Kelmin.EXE).\n"
    "/url: direcci\xF3n de los JAR de Vondra (si falta, la registrada).\n"
    "/cualquiera: sin /url ni direcci\xF3n registrada, permisos para JAR de cualquier origen.\n"
    "/java: directorio del JRE de Java que carga el DLL (si falta, el fijado o el m\xE1s nuevo).\n"
    "/log: bit\xE1" "cora (si falta, %TEMP%\\Kelmin.log).\n\n"
    "C\xF3" "digos de salida: 0 hecho, 1603 fall\xF3 (ver la bit\xE1" "cora), 1605 no est\xE1 instalado,\n"
    "1612 no se encontr\xF3 Pluvik.DLL (Pluvik64.DLL para un JRE de 64 bits) en el origen,\n"
    "1618 otra ejecuci\xF3n en curso, 1639 l\xEDnea de comando no v\xE1lida.";

// Where the setup leaves Pluvik.DLL and Pluvik64.DLL: beside this program.
int ProgramDir(char (&dir)[DIR_SIZE])
{
    DWORD got = GetModuleFileNameA(nullptr, dir, sizeof dir);
    char* slash = got > 0 && got < sizeof dir ? std::strrchr(dir, '\\') : nullptr;
    if (slash == nullptr)
        return 0;
    *slash = '\0';
    return 1;
}

// The runtime /java names, else the pinned or newest one; the log says
// which and why.
int FindJre(const CommandLine& command, Runtime& runtime)
{
    if (!FindRuntime(command.java, runtime))
        return 0;
    LogRuntime(runtime);
    if (!ReadsPolicyFile(runtime))
        LogNote(NO_GRANT_NEEDED);
    return 1;
}

int Install(const CommandLine& command)
{
    Runtime runtime{};
    if (!FindJre(command, runtime)) {
        ShowErrorCode(nullptr, 1, runtime);
        return EndRunLog(EXIT_FAILED, "no hay JRE de Java");
    }
    // The library the runtime's bits load.
    const char* name = LibrarySourceName(runtime.bits);
    char source[DIR_SIZE] = "", library[DIR_SIZE + 16];
    bool found = (command.source[0] != '\0' ? CopyText(source, command.source) : ProgramDir(source)) &&
                 ComposeText(library, source, "\\", name) && FileExists(library);
    if (!found) {
        char step[40], reason[80];
        ComposeText(step, name, " en el origen:");
        LogStep(step, source, 0, GetLastError());
        ComposeText(reason, "no se encontr\xF3 ", name, " en el directorio de origen");
        return EndRunLog(EXIT_UNREADABLE, reason);
    }
    // The address stored stays unless /url gives another. Without either, the
    // grant would reach code from anywhere: only when that is asked for.
    char stored[JAR_URL_SIZE], address[JAR_URL_SIZE];
    if (!ReadDllValue("URL", stored, sizeof stored))
        stored[0] = '\0';
    if (command.url[0] == '\0' && stored[0] == '\0' && !command.anyCode && ReadsPolicyFile(runtime))
        return EndRunLog(EXIT_BAD_COMMAND, "falta /url: sin direcci\xF3n registrada, los permisos valdr\xED" "an para "
                                           "cualquier JAR (/cualquiera lo permite)");
    if (!NormaliseJarUrl(command.url[0] != '\0' ? command.url : stored, address)) {
        ShowErrorCode(nullptr, 5, runtime);
        return EndRunLog(command.url[0] != '\0' ? EXIT_BAD_COMMAND : EXIT_FAILED, "direcci\xF3n de los JAR no v\xE1lida");
    }
    // The clean-up of a registration left incomplete goes with the installation.
    if (!BeginJournal(""))
        return EndRunLog(EXIT_FAILED, "no se pudo escribir el diario de la instalaci\xF3n");
    char installed[DLL_VERSION_SIZE];
    int state = InstalledState(runtime, installed);
    if (state == INSTALLED_UNKNOWN) {
        EndJournal(1);
        ShowPolicyUnreadable(nullptr, runtime);
        return EndRunLog(EXIT_FAILED, "no se pudo leer JAVA.POLICY");
    }
    // What the interactive program offers: an update only for a newer
    // version or another address.
    int update = state == INSTALLED_WHOLE;
    if (update && !IsNewerVersion(LIBRARY_VERSION, installed) && std::strcmp(address, stored) == 0) {
        EndJournal(1);
        return EndRunLog(EXIT_DONE, "ya estaba instalado: nada que hacer");
    }
    int error = InstallLibrary(runtime, source, address, update);
    bool failed = error != 0 || FailedSteps() > 0;
    EndJournal(!failed);
    if (error != 0)
        ShowErrorCode(nullptr, error, runtime);
    if (failed)
        return EndRunLog(EXIT_FAILED, "fall\xF3 un paso de la instalaci\xF3n; se deshizo lo hecho");
    return EndRunLog(EXIT_DONE, update ? "actualizado" : "instalado");
}

// Whatever is left of an installation goes: the registration, the library
// recorded, the grant (when a runtime is there to hold it).
int Uninstall(const CommandLine& command)
{
    Runtime runtime{};
    int jre = FindJre(command, runtime);
    // The grant would stay in the runtime named and not found.
    if (!jre && command.java[0] != '\0')
        return EndRunLog(EXIT_FAILED, "no hay JRE de Java en el directorio de /java");
    int granted = jre ? HasPolicyGrant(runtime) : 0;
    if (granted == POLICY_UNREADABLE) {
        ShowPolicyUnreadable(nullptr, runtime);
        return EndRunLog(EXIT_FAILED, "no se pudo leer JAVA.POLICY");
    }
    char installed[DLL_VERSION_SIZE];
    int bits = RecordedBits();
    if (!ReadDllValue("Version", installed, sizeof installed) && !granted && !LibraryInstalled(bits))
        return EndRunLog(EXIT_NOT_INSTALLED, "Pluvik.DLL no est\xE1 instalado aqu\xED");
    if (UninstallLibrary(granted ? &runtime : nullptr) != 0 || FailedSteps() > 0)
        return EndRunLog(EXIT_FAILED, "fall\xF3 un paso de la desinstalaci\xF3n; se deshizo lo hecho");
    return EndRunLog(EXIT_DONE, "desinstalado");
}

}  // namespace

int RunCommand(const CommandLine& command, int parsed)
{
    int begun = BeginUnattended("Kelmin", VONDRA_VERSION, USAGE, command, parsed);
    if (begun != RUN_GOES_ON)
        return begun;
    RecoverJournals(nullptr);
    // The library, its key and the grant are the machine's.
    RunLock lock(LOCK_MACHINE, "Kelmin", "Pluvik");
    if (!lock.owned)
        return EndWithoutLock(lock, "otra ejecuci\xF3n desatendida de Kelmin est\xE1 en curso");
    return command.action == COMMAND_INSTALL ? Install(command) : Uninstall(command);
}
