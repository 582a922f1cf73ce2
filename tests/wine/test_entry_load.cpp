// Entry files rewritten while another process keeps loading them: every
// read sees one whole record, old or new, never a cut, mixed or missing one.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "drive.h"
#include "fixtures.h"
#include "base/base.h"
#include "params/params.h"
#include "recordfix.h"

namespace {

AppParams Entry(const char* ip)
{
    AppParams r = recordfix::Defaults("Caja");
    CopyText(r.ipServidor, ip);
    return r;
}

}  // namespace

TEST(EntryLoad, ReadersNeverSeeATornEntryWhileItIsRewritten)
{
    static_assert(sizeof(AppParams) == ENTRY_SIZE, "the entry file is the record");
    std::string dir = fixture::NewDirectory("entryload");
    ASSERT_FALSE(dir.empty());
    CopyText(entryDir, dir.c_str());
    profile.kind = PROGRAM_TERMINAL;
    isNew = 1;
    const AppParams records[2] = {Entry("10.0.0.1"), Entry("10.0.0.2")};
    // The reader gets the expected bytes from files outside the entry pattern.
    fixture::WriteBytes(dir + "a.rec", &records[0], sizeof records[0]);
    fixture::WriteBytes(dir + "b.rec", &records[1], sizeof records[1]);
    appParams = records[0];
    ASSERT_EQ(1, SaveEntry());
    std::string entry = dir + "Caja.DAI", counts = dir + "counts.txt";

    char name[64];
    std::snprintf(name, sizeof name, "vondra-entryload-%lu", GetCurrentProcessId());
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, name);
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, (std::string(name) + "r").c_str());
    ASSERT_TRUE(stop != nullptr && ready != nullptr);
    drive::Program reader;
    ASSERT_TRUE(reader.Start(ENTRY_READER, "\"" + entry + "\" \"" + dir + "a.rec\" \"" + dir + "b.rec\" \"" + counts +
                                               "\" " + name));
    // Saves start only once the reader is reading, so the two overlap.
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, 30000)) << "the reader did not start reading";

    int saved = 0, failed = 0;
    for (int i = 1; i <= 1000; ++i) {
        appParams = records[i % 2];
        ++(SaveEntry() ? saved : failed);
    }
    SetEvent(stop);
    ASSERT_EQ(0u, reader.WaitExit(30000));
    CloseHandle(stop);
    CloseHandle(ready);

    unsigned long reads = 0, old = 0, fresh = 0, torn = 0, missing = 0, busy = 0;
    ASSERT_EQ(6, std::sscanf(fixture::ReadAll(counts).c_str(), "%lu %lu %lu %lu %lu %lu", &reads, &old, &fresh,
                             &torn, &missing, &busy));
    std::printf("saves: %d ok, %d failed; reads: %lu (%lu 10.0.0.1, %lu 10.0.0.2, %lu torn or short, %lu missing, "
                "%lu sharing violations)\n",
                saved, failed, reads, old, fresh, torn, missing, busy);
    EXPECT_EQ(0u, torn);
    EXPECT_EQ(0u, missing);
    EXPECT_EQ(reads, old + fresh + torn + missing + busy);
    EXPECT_GT(reads, 100u);
    EXPECT_GT(old + fresh, 100u);
    EXPECT_GT(saved, 0);
    // Whatever the last successful save wrote is what stays.
    EXPECT_EQ(fixture::ReadAll(entry).size(), sizeof(AppParams));
}
