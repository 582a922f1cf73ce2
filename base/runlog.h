// The log of an unattended run: one file that every run appends to, a
// first line saying who ran what, one line per step with its result, a last
// line with the exit code. Code page 1252 and CR LF, for Notepad. Outside an
// unattended run nothing is written (failed steps are only counted), so the
// interactive programs behave as they always did. A log that can't be written changes no outcome.
#pragma once

#include <windows.h>

struct CommandLine;

// An unattended run of program begins (parsed: what ParseCommandLine
// returned): /? shows usage and gives EXIT_DONE, a bad line is logged and
// gives EXIT_BAD_COMMAND; otherwise the log is started and RUN_GOES_ON
// returned.
enum { RUN_GOES_ON = -1 };
int BeginUnattended(const char* program, const char* version, const char* usage, const CommandLine& command,
                    int parsed);

// From here on the run is unattended: ShowError and Refuse write to the log
// instead of showing a box, and the system shows no error box of its own.
// path: the log file; "" for <program>.log in the user's temporary
// directory. The first line: date, program and version, user and machine,
// the command line.
void StartRunLog(const char* program, const char* version, const char* path);
int IsUnattended();

// step, target, then "hecho" or "FALLO" with the system's text for error
// (0: none known). A failed step counts in FailedSteps, with windows too,
// and is kept as LastFailedStep (step and target).
void LogStep(const char* step, const char* target, int done, DWORD error = 0);
// A line that is no step of its own: what was found, what was decided.
void LogNote(const char* text, const char* detail = "");
// What an error box would have said; counts as a failed step.
void LogError(const char* caption, const char* text);
int FailedSteps();
const char* LastFailedStep();

// The last line, with code and reason; the log is closed. Returns code.
int EndRunLog(int code, const char* reason);

// One unattended run per application and machine: a named mutex in the
// global namespace, so runs in other sessions count too. owned is false
// when another run holds it (or it could not be had).
struct RunLock {
    HANDLE mutex = nullptr;
    bool owned = false;
    RunLock(const char* program, const char* application);
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;
};
