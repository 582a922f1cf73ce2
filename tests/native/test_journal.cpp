// The journal read back after a crash: what was written reads back whole, a
// line cut at the end is the end, anything else is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/journal.h"

namespace {

JournalRecord File(const std::string& path, const std::string& backup)
{
    JournalRecord record;
    record.kind = JOURNAL_FILE;
    record.path = path;
    record.backup = backup;
    return record;
}

JournalRecord Value(const std::string& key, const std::string& name, long type, const std::string& data)
{
    JournalRecord record;
    record.kind = JOURNAL_VALUE;
    record.root = "HKCU";
    record.key = key;
    record.name = name;
    record.type = type;
    record.data = data;
    return record;
}

}  // namespace

TEST(Journal, WrittenRecordsReadBackAndOnlyWhatTheSuiteOwnsIsFollowed)
{
    const std::string par = "C:\\VONDRA\\Java\\Contabilidad.PAR";
    JournalRecord directory;
    directory.kind = JOURNAL_DIRECTORY;
    directory.path = "\\\\servidor\\VONDRA\\Java";
    JournalRecord key;
    key.kind = JOURNAL_KEY;
    key.root = "HKLM";
    key.view = 32;
    key.key = "SOFTWARE\\VONDRA\\DLLRTF";
    key.existed = 1;
    std::vector<JournalRecord> written = {
        directory, File(par, BackupName(par, 0)), File("C:\\VONDRA\\Java\\Extra.JAR", ""),
        Value("SOFTWARE\\Vondra\\Java", "Conta|b%ilidad\r\n", 1, std::string("Instalado !\0", 12)),
        Value("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VONDRA - Conta", "NoModify", -1, ""), key,
        File("C:\\VONDRA\\Java\\Terminal\\Logo.GIF", BackupName("C:\\VONDRA\\Java\\Terminal\\Logo.GIF", 3))};
    std::string text = JournalHeader("Dalvo");
    for (const JournalRecord& record : written)
        text += JournalLine(record);
    EXPECT_EQ(BackupName(par, 0), "C:\\VONDRA\\Java\\~ontabilidad.PA$");

    std::vector<JournalRecord> read;
    bool done = true;
    ASSERT_EQ(ReadJournal(text, "Dalvo", read, done), JOURNAL_USABLE);
    EXPECT_FALSE(done);
    ASSERT_EQ(read.size(), written.size());
    for (size_t i = 0; i < read.size(); ++i)
        EXPECT_EQ(JournalLine(read[i]), JournalLine(written[i])) << i;
    EXPECT_EQ(read[3].data.size(), 12u);

    JournalRecord end;
    end.kind = JOURNAL_DONE;
    ASSERT_EQ(ReadJournal(text + JournalLine(end), "Dalvo", read, done), JOURNAL_USABLE);
    EXPECT_TRUE(done);
    // Cut anywhere in its last line, the journal ends before that line.
    std::string last = JournalLine(end);
    for (size_t cut = 0; cut < last.size(); ++cut) {
        ASSERT_EQ(ReadJournal(text + last.substr(0, cut), "Dalvo", read, done), JOURNAL_USABLE) << cut;
        EXPECT_FALSE(done);
        EXPECT_EQ(read.size(), written.size());
    }

    struct Case {
        std::string text;
        JournalVerdict verdict;
    } cases[] = {
        {"", JOURNAL_FOREIGN},
        {JournalHeader("Kelmin") + JournalLine(written[1]), JOURNAL_FOREIGN},
        {text.substr(0, 40) + "x" + text.substr(41), JOURNAL_DAMAGED},
        {text + JournalLine(end) + JournalLine(written[1]), JOURNAL_DAMAGED},
        {JournalHeader("Dalvo") + JournalLine(File("VONDRA\\Conta.PAR", "")), JOURNAL_FOREIGN},
        {JournalHeader("Dalvo") + JournalLine(File("C:\\VONDRA\\..\\Windows\\win.ini", "")), JOURNAL_FOREIGN},
        {JournalHeader("Dalvo") + JournalLine(File("C:\\Users\\ana\\arranque.BAT", "")), JOURNAL_FOREIGN},
        {JournalHeader("Dalvo") + JournalLine(File(par, "C:\\Windows\\system32\\Pluvik.DLL")), JOURNAL_FOREIGN},
        {JournalHeader("Dalvo") + JournalLine(Value("SOFTWARE\\Microsoft\\Windows", "Run", 1, "x")),
         JOURNAL_FOREIGN},
        {JournalHeader("Dalvo") + JournalLine(Value("SOFTWARE\\VondraX", "a", 1, "x")), JOURNAL_FOREIGN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadJournal(c.text, "Dalvo", read, done), c.verdict) << c.text;
}
