#include "journal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "paths.h"

namespace {

const char MAGIC[] = "VONDRA DIARIO 1";
const char BACKUP_LAST[] = "$#@!&+=_-{}^";
static_assert(sizeof BACKUP_LAST - 1 == BACKUP_VARIANTS, "one character per variant");

uint32_t Checksum(std::string_view text)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : text) {
        crc ^= c;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// Fields are separated by '|'; '%', '|' and control characters are written
// as %XX, so that any path, value name or value's bytes stay on one line.
void AddField(std::string& line, std::string_view field)
{
    line += '|';
    for (unsigned char c : field) {
        if (c < 0x20 || c == '%' || c == '|' || c == 0x7F) {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            line += escaped;
        } else {
            line += static_cast<char>(c);
        }
    }
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool Unescape(std::string_view field, std::string& out)
{
    out.clear();
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            out += field[i];
            continue;
        }
        if (i + 2 >= field.size())
            return false;
        int high = HexDigit(field[i + 1]), low = HexDigit(field[i + 2]);
        if (high < 0 || low < 0)
            return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

std::string Seal(std::string line)
{
    char sum[16];
    std::snprintf(sum, sizeof sum, "|%08X\r\n", static_cast<unsigned>(Checksum(line)));
    return line + sum;
}

// A line's fields, checksum verified and removed; false when it does not read back.
bool Fields(std::string_view line, std::vector<std::string>& fields)
{
    size_t bar = line.rfind('|');
    if (bar == std::string_view::npos || line.size() - bar != 9)
        return false;
    uint32_t sum = 0;
    for (size_t i = bar + 1; i < line.size(); ++i) {
        int digit = HexDigit(line[i]);
        if (digit < 0)
            return false;
        sum = sum * 16 + static_cast<uint32_t>(digit);
    }
    std::string_view body = line.substr(0, bar);
    if (Checksum(body) != sum)
        return false;
    fields.clear();
    size_t start = 0;
    for (;;) {
        size_t next = body.find('|', start);
        std::string field;
        if (!Unescape(body.substr(start, next == std::string_view::npos ? std::string_view::npos : next - start),
                      field))
            return false;
        fields.push_back(field);
        if (next == std::string_view::npos)
            return true;
        start = next + 1;
    }
}

bool Number(const std::string& text, long low, long high, long& out)
{
    if (text.empty() || text.size() > 11)
        return false;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || value < low || value > high)
        return false;
    out = value;
    return true;
}

bool Record(const std::vector<std::string>& fields, JournalRecord& record)
{
    if (fields.empty() || fields[0].size() != 1)
        return false;
    record = JournalRecord{};
    record.kind = fields[0][0];
    size_t count = fields.size();
    long number = 0;
    switch (record.kind) {
    case JOURNAL_FILE:
        if (count != 3)
            return false;
        record.path = fields[1];
        record.backup = fields[2];
        return true;
    case JOURNAL_DIRECTORY:
        if (count != 2)
            return false;
        record.path = fields[1];
        return true;
    case JOURNAL_VALUE:
    case JOURNAL_KEY:
        if (count != (record.kind == JOURNAL_VALUE ? 7u : 5u) || !Number(fields[2], 0, 64, number))
            return false;
        record.root = fields[1];
        record.view = static_cast<int>(number);
        record.key = fields[3];
        if (record.kind == JOURNAL_KEY)
            return Number(fields[4], 0, 1, number) && ((record.existed = static_cast<int>(number)), true);
        record.name = fields[4];
        record.data = fields[6];
        return Number(fields[5], -1, 0x7FFFFFFF, record.type);
    case JOURNAL_DONE:
        return count == 1;
    }
    return false;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

bool FullPath(const std::string& path)
{
    if (path.size() >= PATH_SIZE || path.find('\0') != std::string::npos || !IsFullDirectory(path.c_str()))
        return false;
    // No way out of the directory named: "..\" goes anywhere.
    bool up = path.size() >= 3 && path.compare(path.size() - 3, 3, "\\..") == 0;
    return path.find("\\..\\") == std::string::npos && !up;
}

bool OwnedFileKind(const std::string& path)
{
    static const char* const KINDS[] = {".PAR", ".ICO", ".JAR", ".LNK", ".DAI", ".DLL",
                                        ".EXE", ".TXT", ".POLICY", ".EX_", ".IC_", ".GIF"};
    size_t dot = path.rfind('.'), slash = path.rfind('\\');
    if (dot == std::string::npos || (slash != std::string::npos && slash > dot))
        return false;
    // A replacement's work file: '~' first, the kind's last letter a digit or capital.
    const char* extension = path.c_str() + dot;
    size_t length = std::strlen(extension);
    char last = extension[length - 1];
    bool work = slash != std::string::npos && path[slash + 1] == '~' &&
                ((last >= '0' && last <= '9') || (last >= 'A' && last <= 'Z'));
    for (const char* kind : KINDS)
        if (std::strlen(kind) == length && (strcasecmp(extension, kind) == 0 ||
                                            (work && strncasecmp(extension, kind, length - 1) == 0)))
            return true;
    return false;
}

bool OwnedKey(const JournalRecord& record)
{
    if (record.root != "HKCU" && record.root != "HKLM")
        return false;
    if (record.view != 0 && record.view != 32 && record.view != 64)
        return false;
    if (record.key.find("\\\\") != std::string::npos || record.key.empty() || record.key.back() == '\\')
        return false;
    const std::string& key = record.key;
    bool vondra = StartsWithNoCase(key, "SOFTWARE\\Vondra") && (key.size() == 15 || key[15] == '\\');
    return vondra || StartsWithNoCase(key, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VONDRA - ");
}

}  // namespace

std::string JournalHeader(std::string_view program)
{
    std::string line = MAGIC;
    AddField(line, program);
    return Seal(line);
}

std::string JournalLine(const JournalRecord& record)
{
    std::string line(1, record.kind);
    switch (record.kind) {
    case JOURNAL_FILE:
        AddField(line, record.path);
        AddField(line, record.backup);
        break;
    case JOURNAL_DIRECTORY:
        AddField(line, record.path);
        break;
    case JOURNAL_VALUE:
    case JOURNAL_KEY:
        AddField(line, record.root);
        AddField(line, std::to_string(record.view));
        AddField(line, record.key);
        if (record.kind == JOURNAL_KEY) {
            AddField(line, record.existed ? "1" : "0");
        } else {
            AddField(line, record.name);
            AddField(line, std::to_string(record.type));
            AddField(line, record.data);
        }
        break;
    default:
        break;
    }
    return Seal(line);
}

JournalVerdict ReadJournal(std::string_view text, std::string_view program, std::vector<JournalRecord>& records,
                           bool& done)
{
    records.clear();
    done = false;
    std::vector<std::string> fields;
    size_t end = text.find("\r\n");
    // Killed between creating the file and flushing its first line: no
    // change is made before that line is there.
    if (end == std::string_view::npos && JournalHeader(program).compare(0, text.size(), text) == 0)
        return JOURNAL_USABLE;
    if (end == std::string_view::npos || !Fields(text.substr(0, end), fields) || fields.size() != 2 ||
        fields[0] != MAGIC || fields[1] != program)
        return JOURNAL_FOREIGN;
    for (size_t at = end + 2; at < text.size(); at = end + 2) {
        end = text.find("\r\n", at);
        JournalRecord record;
        bool whole = end != std::string_view::npos && Fields(text.substr(at, end - at), fields) &&
                     Record(fields, record);
        // The crash may have cut the last line: the journal ends before it.
        if (!whole)
            return end == std::string_view::npos || end + 2 == text.size() ? JOURNAL_USABLE : JOURNAL_DAMAGED;
        if (done)
            return JOURNAL_DAMAGED;  // nothing follows the end of the steps
        if (!JournalOwns(record))
            return JOURNAL_FOREIGN;
        if (record.kind == JOURNAL_DONE)
            done = true;
        else
            records.push_back(record);
    }
    return JOURNAL_USABLE;
}

bool JournalOwns(const JournalRecord& record)
{
    switch (record.kind) {
    case JOURNAL_FILE: {
        if (!FullPath(record.path) || !OwnedFileKind(record.path))
            return false;
        if (record.backup.empty())
            return true;
        for (int variant = 0; variant < BACKUP_VARIANTS; ++variant)
            if (record.backup == BackupName(record.path, variant))
                return true;
        return false;
    }
    case JOURNAL_DIRECTORY:
        return FullPath(record.path);
    case JOURNAL_VALUE:
    case JOURNAL_KEY:
        return OwnedKey(record);
    case JOURNAL_DONE:
        return true;
    }
    return false;
}

std::string BackupName(std::string_view path, int variant)
{
    size_t slash = path.find_last_of("\\/:");
    size_t start = slash == std::string_view::npos ? 0 : slash + 1;
    if (variant < 0 || variant >= BACKUP_VARIANTS || path.size() - start < 2)
        return "";
    std::string name(path);
    name[start] = '~';
    name.back() = BACKUP_LAST[variant];
    return name;
}
