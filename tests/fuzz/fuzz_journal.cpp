// A journal read back at start-up after a crash: whatever the file holds,
// the reader stops inside it and keeps only records of what the suite owns.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/journal.h"

#define CHECK(x) \
    if (!(x))    \
    std::abort()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<JournalRecord> records;
    bool done = false;
    // Behind a valid header too, so that the records' parser is reached.
    for (const std::string& journal : {text, JournalHeader("Dalvo") + text}) {
        JournalVerdict verdict = ReadJournal(journal, "Dalvo", records, done);
        CHECK(verdict == JOURNAL_USABLE || verdict == JOURNAL_FOREIGN || verdict == JOURNAL_DAMAGED);
        for (const JournalRecord& record : records) {
            CHECK(JournalOwns(record));
            // What is read writes back as the same line.
            std::vector<JournalRecord> again;
            bool end = false;
            CHECK(ReadJournal(JournalHeader("Dalvo") + JournalLine(record), "Dalvo", again, end) == JOURNAL_USABLE);
            CHECK(again.size() == 1 && JournalLine(again[0]) == JournalLine(record));
        }
    }
    return 0;
}
