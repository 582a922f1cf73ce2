// The log of an unattended run: one file that every run appends to, a
// first line saying who ran what, one line per step with its result, a last
// line with the exit code. Code page 1252 and CR LF, for Notepad. Outside an
// unattended run nothing is written (failed steps are only counted), so the
// interactive programs behave as they always did. A log that can't be written changes no outcome.
#pragma once

#include <windows.h>

#include "paths.h"

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

// One unattended run at a time: a named mutex, taken for good or not at
// all. LOCK_USER: in the session's namespace under the user's SID, for
// what each user keeps apart, so that runs of other users neither block it
// nor can hold it. LOCK_MACHINE: in the global namespace, runs in other
// sessions counting too, usable only by SYSTEM, the administrators and the
// user who made it. owned: the run goes on; else error is 0 when another
// run holds it, or what the system said (ERROR_ACCESS_DENIED: an object of
// that name made by someone else this run may not use).
enum { LOCK_USER, LOCK_MACHINE };
struct RunLock {
    HANDLE mutex = nullptr;
    bool owned = false;
    DWORD error = 0;
    char name[PATH_SIZE] = "";
    RunLock(int scope, const char* program, const char* application);
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;
};
// The end of a run without its lock: EXIT_BUSY with busy, or EXIT_FAILED
// with what kept the lock from it.
int EndWithoutLock(const RunLock& lock, const char* busy);
