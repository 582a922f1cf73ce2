// Instalar, the setup program: program-wide state and declarations. The
// distribution is read from the current directory (the media). Operations
// return 1 for success and 0 for failure.
#pragma once

#include <vector>

#include "../base/base.h"
#include "../base/cmdline.h"
#include "rules.h"

// The directory that receives the distribution: the text of INICIO's edit.
extern char setupDir[PATH_SIZE];

typedef std::vector<SetupFailure> SetupFailures;

// Where a file goes (Terminal\ and runtime: also the extension directory of
// a runtime of Java 8 or older that has one).
enum DistKind { KIND_ROOT, KIND_SERVER, KIND_TERMINAL, KIND_TERMINAL_RUNTIME };

// The whole distribution from the current directory into setupDir, in the
// fixed order: directories, named files, *.JAR, *.TXT, *.IC_, mail archives
// removed, DirInst. The suite's own files missing from the media and files
// that could not be put in place (or removed) are added to failures;
// DirInst is recorded only when there are none. 1 when nothing failed.
int CopyDistribution(SetupFailures& failures);
// One file of the media to the destinations of its kind; extension is the
// runtime's extension directory (with '\'), "" when there is none to fill.
void CopyDistFile(const char* name, DistKind kind, int expand, const char* extension, SetupFailures& failures);
// Every file of the current directory whose own name matches pattern.
void CopyMatching(const char* pattern, int expand, const char* extension, SetupFailures& failures);
// source copied (expanded when compressed) as the whole new contents of
// destination, renamed by ExpandedName when expand is set. A source that is
// not there is skipped without a failure; with expand set, one that is not
// compressed is damaged.
int ExpandCopy(const char* source, const char* destination, int expand, SetupFailures& failures);

// The extension directory of runtime (with '\'), "" when it reads none or
// has none.
void RuntimeExtensionDir(const Runtime& runtime, char (&out)[PATH_SIZE]);
// The archives of terminal (with '\') that the runtime loads from its
// extension directory (with '\') copied there, the mail archives removed
// from it; and the same archives removed from it again.
void CopyRuntimeArchives(const char* terminal, const char* extension, SetupFailures& failures);
void RemoveRuntimeArchives(const char* terminal, const char* extension, SetupFailures& failures);

// Removes the files the setup placed in setupDir, the directories left
// empty, and DirInst when it names setupDir. Files that could not be
// removed are added to failures; Brenko.EXE and DirInst then stay.
int RemoveDistribution(SetupFailures& failures);
// Deletes path; a failure other than its absence is added to failures.
void DeleteListed(const char* path, SetupFailures& failures);
// Deletes every file of dir (ending in '\') whose own name matches pattern.
void DeleteMatching(const char* pattern, const char* dir, SetupFailures& failures);
// Removes the user's DirInst when it names the directory removed.
void DeleteUserDirInst(const char* removed);

// The default directory: C:\Vondra\Java, or the /S rule on the business
// application's command line (then also stored as DirInst).
void DefaultSetupDir(char (&out)[PATH_SIZE]);
// "&Instalar" or "&Actualizar", "&Desinstalar" disabled or enabled: from
// Brenko.EXE in dir.
void UpdateSetupButtons(const char* dir, HWND window);

// Starts dir\program with dir as its working directory; nothing is waited for.
void StartCompanion(const char* dir, const char* program);

// The error box listing failures.
void ShowFailures(HWND owner, const char* intro, const SetupFailures& failures, const char* closing);

// An unattended run of the command line (parsed: what ParseCommandLine
// returned); returns the exit code.
int RunCommand(const CommandLine& command, int parsed);

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TerminarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
