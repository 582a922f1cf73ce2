// The journal of a run that changes the machine, as text: what each step is
// about to change and how it was before, one line per step, so that a run
// cut short can be undone (or its clean-up finished) at the next start. No
// windows.h: it is read back after a crash, from a file anyone may have
// damaged, and is tested and fuzzed natively.
//
// A journal is a header line and records, each line CR LF with a checksum
// of its own: a line cut by the crash is the end of the journal; a damaged
// line before the end makes the whole journal unusable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum JournalRecordKind : char {
    // path is about to be replaced, created or deleted. backup: the name the
    // earlier file was renamed to beside it; "" when there was none.
    JOURNAL_FILE = 'F',
    // path, a directory, is about to be created.
    JOURNAL_DIRECTORY = 'D',
    // A registry value about to be set or deleted, as it was: type -1 when
    // it did not exist, else its type and bytes.
    JOURNAL_VALUE = 'V',
    // A registry key about to be created (it did not exist) or deleted
    // (its values are recorded before it).
    JOURNAL_KEY = 'K',
    // Every step is done: what is left is deleting the backups.
    JOURNAL_DONE = 'C'
};

struct JournalRecord {
    char kind = JOURNAL_DONE;
    std::string path, backup;   // FILE, DIRECTORY
    std::string root;           // VALUE, KEY: "HKCU" or "HKLM"
    int view = 0;               // VALUE, KEY: 0, 32 or 64 (the registry view asked for)
    std::string key, name;      // VALUE (name), KEY
    long type = -1;             // VALUE
    std::string data;           // VALUE: the bytes
    int existed = 0;            // KEY: 1 when it existed (it is to be deleted)
};

// The first line of a journal of program's runs.
std::string JournalHeader(std::string_view program);
// One record as its line, CR LF included.
std::string JournalLine(const JournalRecord& record);

enum JournalVerdict {
    JOURNAL_USABLE = 0,   // records read; done tells whether JOURNAL_DONE was reached
    JOURNAL_FOREIGN = 1,  // no journal of this program's, or a record of what the suite does not own
    JOURNAL_DAMAGED = 2   // a line before the end that does not read back
};
// Reads a whole journal file of program's. records get every whole record
// up to the end or to a line cut there.
JournalVerdict ReadJournal(std::string_view text, std::string_view program, std::vector<JournalRecord>& records,
                           bool& done);

// What a journal may touch: full paths of the kinds of files the suite
// writes, backups beside them named as the suite names them, and registry
// keys of its own (its key and the list of programs' entries it makes).
bool JournalOwns(const JournalRecord& record);

// The name a backup of path takes: beside it, as long as it, '~' first and
// one of BACKUP_VARIANTS' characters last (which no work file of a
// replacement ends in); "" when path has no file name to vary.
constexpr int BACKUP_VARIANTS = 12;
std::string BackupName(std::string_view path, int variant);
