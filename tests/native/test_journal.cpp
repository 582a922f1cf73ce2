// The journal read back after a crash: what was written reads back whole, a
// line cut at the end is the end, anything else is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/journal.h"

namespace {

JournalRecord Record(char kind, const std::string& path, const std::string& other = "", long type = -1,
                     const std::string& data = "")
{
    JournalRecord record;
    record.kind = kind;
    (kind == JOURNAL_VALUE || kind == JOURNAL_KEY ? record.key : record.path) = path;
    (kind == JOURNAL_VALUE ? record.name : record.backup) = other;
    record.root = kind == JOURNAL_KEY ? "HKLM" : "HKCU";
    record.view = kind == JOURNAL_KEY ? 32 : 0;
    record.existed = kind == JOURNAL_KEY;
    record.type = type;
    record.data = data;
    return record;
}

}  // namespace

TEST(Journal, WrittenRecordsReadBackAndOnlyWhatTheSuiteOwnsIsFollowed)
{
    const std::string par = "C:\\VONDRA\\Java\\Contabilidad.PAR";
    EXPECT_EQ(BackupName(par, 0), "C:\\VONDRA\\Java\\~ontabilidad.PA$");
    const std::string uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VONDRA - Conta";
    std::vector<JournalRecord> written = {
        Record(JOURNAL_DIRECTORY, "\\\\servidor\\VONDRA\\Java"), Record(JOURNAL_FILE, par, BackupName(par, 0)),
        Record(JOURNAL_FILE, "C:\\VONDRA\\Java\\~xtra.JA0"),
        Record(JOURNAL_VALUE, "SOFTWARE\\Vondra\\Java", "Conta|b%ilidad\r\n", 1, std::string("Instalado !\0", 12)),
        Record(JOURNAL_VALUE, uninstall, "NoModify"), Record(JOURNAL_KEY, "SOFTWARE\\VONDRA\\DLLRTF"),
        Record(JOURNAL_FILE, "C:\\VONDRA\\Terminal\\Logo.GIF", BackupName("C:\\VONDRA\\Terminal\\Logo.GIF", 3))};
    std::string text = JournalHeader("Dalvo");
    for (const JournalRecord& record : written)
        text += JournalLine(record);
    std::vector<JournalRecord> read;
    bool done = true;
    ASSERT_EQ(ReadJournal(text, "Dalvo", read, done), JOURNAL_USABLE);
    EXPECT_FALSE(done);
    ASSERT_EQ(read.size(), written.size());
    for (size_t i = 0; i < read.size(); ++i)
        EXPECT_EQ(JournalLine(read[i]), JournalLine(written[i])) << i;
    EXPECT_EQ(read[3].data.size(), 12u);

    // Cut anywhere in its last line, the journal ends before that line.
    const std::string end = JournalLine(Record(JOURNAL_DONE, ""));
    for (size_t cut = 0; cut <= end.size(); ++cut) {
        ASSERT_EQ(ReadJournal(text + end.substr(0, cut), "Dalvo", read, done), JOURNAL_USABLE) << cut;
        EXPECT_EQ(done, cut == end.size());
        EXPECT_EQ(read.size(), written.size());
    }

    const std::string header = JournalHeader("Dalvo");
    struct Case {
        std::string text;
        JournalVerdict verdict;
    } cases[] = {
        {"", JOURNAL_USABLE},
        {header.substr(0, 20), JOURNAL_USABLE},
        {header.substr(0, 20) + "x", JOURNAL_FOREIGN},
        {JournalHeader("Kelmin") + JournalLine(written[1]), JOURNAL_FOREIGN},
        {text.substr(0, 40) + "x" + text.substr(41), JOURNAL_DAMAGED},
        {text + end + JournalLine(written[1]), JOURNAL_DAMAGED},
        {header + JournalLine(Record(JOURNAL_FILE, "VONDRA\\Conta.PAR")), JOURNAL_FOREIGN},
        {header + JournalLine(Record(JOURNAL_FILE, "C:\\VONDRA\\..\\Windows\\win.ini")), JOURNAL_FOREIGN},
        {header + JournalLine(Record(JOURNAL_FILE, "C:\\Users\\ana\\arranque.BAT")), JOURNAL_FOREIGN},
        {header + JournalLine(Record(JOURNAL_FILE, par, "C:\\Windows\\system32\\Pluvik.DLL")), JOURNAL_FOREIGN},
        {header + JournalLine(Record(JOURNAL_VALUE, "SOFTWARE\\Microsoft\\Windows", "Run", 1, "x")), JOURNAL_FOREIGN},
        {header + JournalLine(Record(JOURNAL_VALUE, "SOFTWARE\\VondraX", "a", 1, "x")), JOURNAL_FOREIGN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadJournal(c.text, "Dalvo", read, done), c.verdict) << c.text;
}
