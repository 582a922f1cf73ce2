// The journal of the run (journal.h) kept on disk: each change the run is
// about to make is written and flushed before it is made, earlier files
// become backups renamed beside them (no copy), and the run ends either
// done (backups and journal deleted) or undone (every change put back). A
// run cut short is finished or undone by the next run of the same program.
// Outside a journal every call is a no-op, so code and tests that begin
// none behave as they always did.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Begins the run's journal: profile.journal's kind, for application ("" for
// programs with one installation). 1 when it is kept; 0 when it could not
// be written, or an earlier run's journal of that name is still unsettled
// (nothing should then be changed).
int BeginJournal(const char* application);
int JournalOpen();

// Before path is replaced, created or deleted: an earlier file is renamed to
// its backup. 1, or 0 when the earlier file could not be moved (held by
// another program): the step must then fail.
int KeepFile(const char* path);
// The lines of files about to be replaced or created, written ahead with
// one flush (a copy of many archives); KeepFile then only moves each
// earlier file aside. 0 when they could not be written.
int PlanFiles(const std::vector<std::string>& paths);
// Before a file is created that is known not to be there (a work file):
// it goes again when the run is undone.
int KeepNewFile(const char* path);
// Deletes path: within a journal it becomes its backup. 1 when it is gone
// (or was not there); 0 with the system's error in error.
int RemoveFile(const char* path, DWORD& error);
// Before a directory is created: it goes again when the run is undone.
int KeepDirectory(const char* dir);
// Before a value (view: 0, KEY_WOW64_32KEY or KEY_WOW64_64KEY) is set or
// deleted: its present type and bytes, or that it is missing.
int KeepValue(HKEY root, REGSAM view, const char* key, const char* name);
// Before a key is created or deleted: whether it exists, and its values.
int KeepKey(HKEY root, REGSAM view, const char* key);

// Ends the run's journal. done: the steps are done, the backups go. Else
// every change is put back, each logged. 1 when all went as asked.
int EndJournal(int done);

// At start-up: an unfinished journal of this program's kind left by a run
// cut short is undone (or, when only its clean-up was left, finished), and
// said so: a box owned by owner, or a log line when unattended. A damaged
// or foreign journal is reported and set aside, never followed. Journals of
// runs still going are left to them.
void RecoverJournals(HWND owner);
