#include "rollback.h"

#include <shlobj.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base.h"
#include "journal.h"
#include "runlog.h"

namespace {

const char EXTENSION[] = ".diario";

struct Journal {
    HANDLE file = INVALID_HANDLE_VALUE;
    int depth = 0;      // BeginJournal calls not yet ended
    bool failed = false;  // an inner part ended undone
    char path[PATH_SIZE] = "";
    std::vector<JournalRecord> records;
    // Files whose lines were written ahead (PlanFiles): path -> its record,
    // and the backup names they took.
    std::map<std::string, size_t> planned;
    std::set<std::string> backups;
};
Journal journal;

bool There(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Asked here, not of the file operations: they call this journal.
bool IsDirectory(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The user's own local application data: no other user writes there, so no
// one else's journal can be put in this program's way.
int JournalDirectory(char (&dir)[PATH_SIZE])
{
    char base[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, base)) ||
        !ComposeText(dir, base, "\\Vondra\\"))
        return 0;
    CreateDirectoryA(dir, nullptr);
    return IsDirectory(dir);
}

// Written, and flushed, before the change it announces. A work file's line
// needs no flush of its own: a power cut before the next line leaves at
// worst a work file nothing names, never a change nothing can undo.
int Write(const JournalRecord& record, bool flush = true)
{
    std::string line = JournalLine(record);
    DWORD written = 0;
    if (!WriteFile(journal.file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ||
        written != line.size() || (flush && !FlushFileBuffers(journal.file)))
        return 0;
    journal.records.push_back(record);
    return 1;
}

REGSAM ViewFlag(int view)
{
    return view == 32 ? KEY_WOW64_32KEY : view == 64 ? KEY_WOW64_64KEY : 0;
}

JournalRecord RegistryRecord(char kind, HKEY root, REGSAM view, const char* key)
{
    JournalRecord record;
    record.kind = kind;
    record.root = root == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU";
    record.view = (view & KEY_WOW64_32KEY) ? 32 : (view & KEY_WOW64_64KEY) ? 64 : 0;
    record.key = key;
    return record;
}

// A value as it is now: type -1 when missing.
void ReadValue(HKEY key, const char* name, JournalRecord& record)
{
    DWORD type = 0, size = 0;
    record.type = -1;
    if (key == nullptr || RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return;
    std::string data(size, '\0');
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) != ERROR_SUCCESS)
        return;
    data.resize(size);
    record.type = static_cast<long>(type);
    record.data = data;
}

std::string Described(const JournalRecord& record)
{
    switch (record.kind) {
    case JOURNAL_FILE:
    case JOURNAL_DIRECTORY:
        return record.path;
    case JOURNAL_VALUE:
        return record.root + "\\" + record.key + " - " + record.name;
    default:
        return record.root + "\\" + record.key;
    }
}

// One change put back; doing it twice, or for a change never made, is harmless.
bool Undo(const JournalRecord& record)
{
    HKEY root = record.root == "HKLM" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    REGSAM view = ViewFlag(record.view);
    switch (record.kind) {
    case JOURNAL_FILE:
        if (!record.backup.empty())
            return !There(record.backup) || MoveFileExA(record.backup.c_str(), record.path.c_str(),
                                                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        return DeleteFileA(record.path.c_str()) || !There(record.path);
    case JOURNAL_DIRECTORY:
        RemoveDirectoryA(record.path.c_str());  // only when it is empty again
        return true;
    case JOURNAL_VALUE: {
        HKEY key = nullptr;
        LONG status;
        if (record.type < 0) {
            // Asked first: a key the run could not write needs no right to write now.
            status = RegOpenKeyExA(root, record.key.c_str(), 0, KEY_QUERY_VALUE | view, &key);
            if (status == ERROR_SUCCESS)
                status = RegQueryValueExA(key, record.name.c_str(), nullptr, nullptr, nullptr, nullptr);
            if (key != nullptr)
                RegCloseKey(key);
            key = nullptr;
            if (status == ERROR_SUCCESS)
                status = RegOpenKeyExA(root, record.key.c_str(), 0, KEY_SET_VALUE | view, &key);
            if (status == ERROR_SUCCESS)
                status = RegDeleteValueA(key, record.name.c_str());
        } else {
            status = RegCreateKeyExA(root, record.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE | view, nullptr, &key, nullptr);
            if (status == ERROR_SUCCESS)
                status = RegSetValueExA(key, record.name.c_str(), 0, static_cast<DWORD>(record.type),
                                        reinterpret_cast<const BYTE*>(record.data.data()),
                                        static_cast<DWORD>(record.data.size()));
        }
        if (key != nullptr)
            RegCloseKey(key);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    case JOURNAL_KEY: {
        if (record.existed)
            return true;  // its values came back one by one
        // Emptied by the values undone before it; one that holds more stays.
        HKEY key = nullptr;
        DWORD subkeys = 0, values = 0;
        if (RegOpenKeyExA(root, record.key.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
            return true;
        LONG status = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                                       nullptr, nullptr, nullptr);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS || subkeys > 0 || values > 0)
            return true;
        status = RegDeleteKeyExA(root, record.key.c_str(), view, 0);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    }
    return true;
}

// Every change undone, last first; 1 when all came back.
int UndoAll(const std::vector<JournalRecord>& records)
{
    int all = 1;
    for (auto at = records.rbegin(); at != records.rend(); ++at) {
        bool undone = Undo(*at);
        LogStep("Deshecho:", Described(*at).c_str(), undone, undone ? 0 : GetLastError());
        all &= undone ? 1 : 0;
    }
    return all;
}

// The clean-up of a run whose steps were all done; 1 when no backup is left.
int DeleteBackups(const std::vector<JournalRecord>& records)
{
    int all = 1;
    for (const JournalRecord& record : records)
        if (record.kind == JOURNAL_FILE && !record.backup.empty() && !DeleteFileA(record.backup.c_str()) &&
            GetLastError() != ERROR_FILE_NOT_FOUND)
            all = 0;
    return all;
}

void Close(bool keep)
{
    CloseHandle(journal.file);
    journal.file = INVALID_HANDLE_VALUE;
    if (!keep)
        DeleteFileA(journal.path);
    journal.records.clear();
    journal.planned.clear();
    journal.backups.clear();
    journal.failed = false;
}

}  // namespace

int JournalOpen()
{
    return journal.file != INVALID_HANDLE_VALUE;
}

int BeginJournal(const char* application)
{
    if (journal.depth++ > 0 || profile.journal == nullptr)
        return 1;
    char dir[PATH_SIZE];
    if (!JournalDirectory(dir) ||
        !ComposeText(journal.path, dir, profile.journal, application[0] != '\0' ? " " : "", application, EXTENSION))
        return 0;
    // Shared with no one: a run that starts meanwhile leaves it alone. Never
    // over an earlier run's that could not be settled: it is the only way
    // back to what that run changed, so this run waits until it is.
    journal.file = CreateFileA(journal.path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (journal.file == INVALID_HANDLE_VALUE) {
        LogStep("Diario de la ejecuci\xF3n:", journal.path, 0, GetLastError());
        journal.depth = 0;
        return 0;
    }
    std::string header = JournalHeader(profile.journal);
    DWORD written = 0;
    if (!WriteFile(journal.file, header.data(), static_cast<DWORD>(header.size()), &written, nullptr) ||
        !FlushFileBuffers(journal.file)) {
        LogStep("Diario de la ejecuci\xF3n:", journal.path, 0, GetLastError());
        Close(false);
        journal.depth = 0;
        return 0;
    }
    return 1;
}

namespace {

// path's line: a backup name no file and no other plan has when path is there.
bool FileRecord(const std::string& path, JournalRecord& record)
{
    record = JournalRecord{};
    record.kind = JOURNAL_FILE;
    record.path = path;
    if (!There(path))
        return true;
    for (int variant = 0; variant < BACKUP_VARIANTS && record.backup.empty(); ++variant) {
        std::string backup = BackupName(path, variant);
        if (!backup.empty() && journal.backups.count(backup) == 0 && !There(backup))
            record.backup = backup;
    }
    journal.backups.insert(record.backup);
    return !record.backup.empty();
}

}  // namespace

int PlanFiles(const std::vector<std::string>& paths)
{
    if (!JournalOpen())
        return 1;
    std::string lines;
    size_t first = journal.records.size();
    for (const std::string& path : paths) {
        JournalRecord record;
        if (journal.planned.count(path) != 0 || !FileRecord(path, record))
            continue;  // left to KeepFile
        lines += JournalLine(record);
        journal.planned[path] = journal.records.size();
        journal.records.push_back(record);
    }
    DWORD written = 0;
    if (lines.empty() || (WriteFile(journal.file, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr) &&
                          written == lines.size() && FlushFileBuffers(journal.file)))
        return 1;
    for (size_t i = first; i < journal.records.size(); ++i)
        journal.planned.erase(journal.records[i].path);
    journal.records.resize(first);
    return 0;
}

int KeepFile(const char* path)
{
    if (!JournalOpen())
        return 1;
    auto plan = journal.planned.find(path);
    if (plan != journal.planned.end()) {
        std::string backup = journal.records[plan->second].backup;
        journal.planned.erase(plan);
        return backup.empty() || MoveFileExA(path, backup.c_str(), MOVEFILE_WRITE_THROUGH);
    }
    JournalRecord record;
    return FileRecord(path, record) && Write(record) &&
           (record.backup.empty() || MoveFileExA(path, record.backup.c_str(), MOVEFILE_WRITE_THROUGH));
}

int KeepNewFile(const char* path)
{
    if (!JournalOpen())
        return 1;
    JournalRecord record;
    record.kind = JOURNAL_FILE;
    record.path = path;
    return Write(record, false);
}

int RemoveFile(const char* path, DWORD& error)
{
    error = 0;
    // A read-only file is no more deleted within a journal than without: renamed,
    // it would be a backup the clean-up cannot delete.
    DWORD attributes = GetFileAttributesA(path);
    if (JournalOpen() && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        error = ERROR_ACCESS_DENIED;
        return 0;
    }
    bool gone = JournalOpen() ? (attributes == INVALID_FILE_ATTRIBUTES || KeepFile(path)) : DeleteFileA(path) != 0;
    if (!gone) {
        error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            error = 0;
    }
    return error == 0;
}

int KeepDirectory(const char* dir)
{
    if (!JournalOpen() || IsDirectory(dir))
        return 1;
    JournalRecord record;
    record.kind = JOURNAL_DIRECTORY;
    record.path = dir;
    return Write(record);
}

int KeepValue(HKEY root, REGSAM view, const char* key, const char* name)
{
    if (!JournalOpen())
        return 1;
    JournalRecord record = RegistryRecord(JOURNAL_VALUE, root, view, key);
    record.name = name;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS) {
        // A key made for the value goes again too.
        JournalRecord made = RegistryRecord(JOURNAL_KEY, root, view, key);
        if (!Write(made))
            return 0;
        opened = nullptr;
    }
    ReadValue(opened, name, record);
    if (opened != nullptr)
        RegCloseKey(opened);
    return Write(record);
}

int KeepKey(HKEY root, REGSAM view, const char* key)
{
    if (!JournalOpen())
        return 1;
    JournalRecord record = RegistryRecord(JOURNAL_KEY, root, view, key);
    HKEY opened = nullptr;
    record.existed = RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE | view, &opened) == ERROR_SUCCESS;
    int kept = Write(record);
    for (DWORD index = 0; kept && record.existed; ++index) {
        char name[16384];
        DWORD length = sizeof name;
        if (RegEnumValueA(opened, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        JournalRecord value = RegistryRecord(JOURNAL_VALUE, root, view, key);
        value.name = name;
        ReadValue(opened, name, value);
        kept = Write(value);
    }
    if (opened != nullptr)
        RegCloseKey(opened);
    return kept;
}

int EndJournal(int done)
{
    if (journal.depth == 0 || --journal.depth > 0) {
        journal.failed = journal.failed || !done;
        return 1;
    }
    if (!JournalOpen())
        return 1;
    if (done && !journal.failed) {
        JournalRecord end;
        end.kind = JOURNAL_DONE;
        // Once this line is there the run counts as done, whatever happens to the clean-up.
        int cleaned = Write(end) && DeleteBackups(journal.records);
        Close(!cleaned);
        return 1;
    }
    int undone = UndoAll(journal.records);
    Close(!undone);
    return undone;
}

void RecoverJournals(HWND owner)
{
    char dir[PATH_SIZE], pattern[64];
    if (profile.journal == nullptr || !JournalDirectory(dir) || !ComposeText(pattern, profile.journal, "*", EXTENSION))
        return;
    std::vector<std::string> names;
    ForEachFile(dir, pattern, [&names](const char* name) {
        names.push_back(name);
        return true;
    });
    for (const std::string& name : names) {
        std::string path = dir + name;
        if (path.size() < sizeof EXTENSION || path.compare(path.size() - 7, 7, EXTENSION) != 0)
            continue;
        // A run that is still going holds its journal: no sharing, so two
        // starts never recover the same journal either.
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        std::string text;
        char buffer[65536];
        DWORD got = 0;
        while (text.size() < (16u << 20) && ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
            text.append(buffer, got);
        std::vector<JournalRecord> records;
        bool done = false;
        JournalVerdict verdict = ReadJournal(text, profile.journal, records, done);
        const char* said;
        bool settled = false;
        if (verdict != JOURNAL_USABLE) {
            said = "Se encontr\xF3 un diario da\xF1" "ado o ajeno de una ejecuci\xF3n anterior; no se sigui\xF3:\n";
        } else if (done) {
            settled = DeleteBackups(records);
            said = "Una ejecuci\xF3n anterior qued\xF3 sin terminar; se termin\xF3:\n";
        } else {
            settled = UndoAll(records);
            said = settled ? "Una ejecuci\xF3n anterior qued\xF3 a medias; se deshicieron sus cambios:\n"
                           : "Una ejecuci\xF3n anterior qued\xF3 a medias; no todos sus cambios se pudieron deshacer:\n";
        }
        CloseHandle(file);
        if (settled)
            DeleteFileA(path.c_str());
        else if (verdict != JOURNAL_USABLE)
            MoveFileExA(path.c_str(), (path + ".malo").c_str(), MOVEFILE_REPLACE_EXISTING);
        if (IsUnattended())
            LogNote(said, path.c_str());
        else
            MessageBoxA(owner, (said + path).c_str(), "VONDRA", MB_OK | (settled ? MB_ICONINFORMATION : MB_ICONWARNING));
    }
}
