// The programs Brenko starts: Kelmin, waited for, and Fostra at its end.
#include "brenko.h"
#include "starterror.h"

namespace {

// A plain start of path, shown normally; workDir null: Brenko's own.
int StartProgram(const char* path, const char* workDir, PROCESS_INFORMATION* started)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    return CreateProcessA(path, nullptr, nullptr, nullptr, FALSE, 0, nullptr, workDir, &startup, started) != 0;
}

}  // namespace

void ShowStartError(DWORD code, const char* path, HWND owner)
{
    char message[START_ERROR_SIZE];
    StartErrorMessage(message, code, path);
    ShowError(owner, message, "Error al cargar programa...");
}

void RunRtfInstaller(HWND inicio)
{
    char path[PATH_SIZE];
    ComposeText(path, entryDir, "Kelmin.EXE");
    ShowWindow(inicio, SW_HIDE);
    // Kelmin takes Pluvik.DLL from its current directory, and the library
    // lies beside it in entryDir, not where Brenko runs.
    PROCESS_INFORMATION kelmin;
    if (path[0] != '\0' && StartProgram(path, entryDir, &kelmin)) {
        DWORD code;
        while (GetExitCodeProcess(kelmin.hProcess, &code) && code == STILL_ACTIVE)
            WaitForSingleObject(kelmin.hProcess, 200);
        CloseHandle(kelmin.hThread);
        CloseHandle(kelmin.hProcess);
    } else {
        ShowStartError(path[0] != '\0' ? GetLastError() : ERROR_FILENAME_EXCED_RANGE, path, inicio);
    }
    ShowWindow(inicio, SW_SHOW);
}

void StartFostra()
{
    char dir[PATH_SIZE], path[PATH_SIZE];
    DWORD got = GetCurrentDirectoryA(sizeof dir, dir);
    if (got == 0 || got >= sizeof dir || !AddBackslash(dir) || !ComposeText(path, dir, "Servidor\\Fostra.EXE"))
        return;
    PROCESS_INFORMATION fostra;
    if (StartProgram(path, nullptr, &fostra)) {
        CloseHandle(fostra.hThread);
        CloseHandle(fostra.hProcess);
    }
}
