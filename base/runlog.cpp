#include "runlog.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "base.h"
#include "cmdline.h"

namespace {

struct RunLog {
    bool unattended = false;
    HANDLE file = INVALID_HANDLE_VALUE;
    int failed = 0;
    char lastFailed[512] = "";
};
RunLog runLog;

// One line, cut to its buffer on purpose: a log line is no place for a
// whole 32,000-character command line. Line breaks inside a text become
// blanks, so that one step stays one line.
struct Line {
    char text[2048];
    size_t used = 0;
    void Add(std::initializer_list<const char*> parts)
    {
        for (const char* part : parts)
            for (; *part != '\0' && used + 3 < sizeof text; ++part)
                text[used++] = *part == '\r' || *part == '\n' ? ' ' : *part;
    }
};

void Stamp(Line& line)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u [%lu] ", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond, GetCurrentProcessId());
    line.Add({stamp});
}

// Appended in one write, so that lines of runs sharing a log don't mix.
void Write(Line& line)
{
    if (runLog.file == INVALID_HANDLE_VALUE)
        return;
    line.text[line.used++] = '\r';
    line.text[line.used++] = '\n';
    DWORD written = 0;
    WriteFile(runLog.file, line.text, static_cast<DWORD>(line.used), &written, nullptr);
}

void AddSystemText(Line& line, DWORD error)
{
    char text[512];
    DWORD got = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                               sizeof text, nullptr);
    while (got > 0 && (text[got - 1] == '\r' || text[got - 1] == '\n' || text[got - 1] == ' '))
        --got;
    text[got] = '\0';
    char number[32];
    std::snprintf(number, sizeof number, " (%lu)", error);
    line.Add({" - ", got > 0 ? text : "error del sistema", number});
}

}  // namespace

void StartRunLog(const char* program, const char* version, const char* path)
{
    runLog.unattended = true;
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    char file[PATH_SIZE];
    if (path[0] != '\0') {
        CopyText(file, path);
    } else {
        DWORD got = GetTempPathA(sizeof file, file);
        if (got == 0 || got >= sizeof file || !ComposeText(file, file, program, ".log"))
            return;
    }
    // Appending only: runs that share the log each add their lines at its end.
    runLog.file = CreateFileA(file, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    char user[256] = "?", machine[MAX_COMPUTERNAME_LENGTH + 1] = "?";
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    size = sizeof machine;
    GetComputerNameA(machine, &size);
    Line line;
    Stamp(line);
    line.Add({program, " ", version, ", usuario ", user, " en ", machine, ": ", GetCommandLineA()});
    Write(line);
}

int BeginUnattended(const char* program, const char* version, const char* usage, const CommandLine& command,
                    int parsed)
{
    if (parsed && command.action == COMMAND_HELP) {
        MessageBoxA(nullptr, usage, program, MB_OK | MB_ICONINFORMATION);
        return EXIT_DONE;
    }
    StartRunLog(program, version, command.log);
    return parsed ? RUN_GOES_ON : EndRunLog(EXIT_BAD_COMMAND, command.error);
}

int IsUnattended()
{
    return runLog.unattended ? 1 : 0;
}

void LogStep(const char* step, const char* target, int done, DWORD error)
{
    // Counted with windows too: the interactive flows tell the user of a
    // failed step afterwards.
    if (!done) {
        ++runLog.failed;
        ComposeText(runLog.lastFailed, step, " ", target);
    }
    if (!runLog.unattended)
        return;
    Line line;
    Stamp(line);
    line.Add({"  ", step, " ", target, done ? ": hecho" : ": FALLO"});
    if (!done && error != 0)
        AddSystemText(line, error);
    Write(line);
}

void LogNote(const char* text, const char* detail)
{
    if (!runLog.unattended)
        return;
    Line line;
    Stamp(line);
    line.Add({"  ", text, detail});
    Write(line);
}

void LogError(const char* caption, const char* text)
{
    if (!runLog.unattended)
        return;
    ++runLog.failed;
    Line line;
    Stamp(line);
    line.Add({"  ", caption, ": ", text});
    Write(line);
}

int FailedSteps()
{
    return runLog.failed;
}

const char* LastFailedStep()
{
    return runLog.lastFailed;
}

int EndRunLog(int code, const char* reason)
{
    if (runLog.unattended) {
        char number[32];
        std::snprintf(number, sizeof number, "Fin: %d (", code);
        Line line;
        Stamp(line);
        line.Add({number, reason, ")"});
        Write(line);
    }
    if (runLog.file != INVALID_HANDLE_VALUE)
        CloseHandle(runLog.file);
    runLog.file = INVALID_HANDLE_VALUE;
    return code;
}

RunLock::RunLock(const char* program, const char* application)
{
    // Mutex names tell letter cases apart; file names, and so applications, don't.
    char upper[PATH_SIZE], name[PATH_SIZE];
    CopyText(upper, application);
    CharUpperA(upper);
    if (!ComposeText(name, "Global\\Vondra.", program, ".", upper))
        return;
    mutex = CreateMutexA(nullptr, TRUE, name);
    owned = mutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}

RunLock::~RunLock()
{
    if (mutex == nullptr)
        return;
    if (owned)
        ReleaseMutex(mutex);
    CloseHandle(mutex);
}
