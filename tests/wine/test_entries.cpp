// Entry files on disk: loading, listing and the font list.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "drive.h"
#include "fixtures.h"
#include "base/base.h"
#include "params/icons.h"
#include "params/params.h"
#include "recordfix.h"

namespace {

AppParams Stored(const char* nombre, const char* ip)
{
    AppParams r = recordfix::Defaults(nombre);
    CopyText(r.ipServidor, ip);
    return r;
}

int CALLBACK CollectOther(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM data)
{
    if (!(type & TRUETYPE_FONTTYPE))
        reinterpret_cast<std::vector<std::string>*>(data)->push_back(font->lfFaceName);
    return 1;
}

class Entries : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override
    {
        dir = fixture::NewDirectory("entries");
        ASSERT_FALSE(dir.empty());
        CopyText(entryDir, dir.c_str());
        profile.newEntryTakesFirstServer = 0;
    }
    void Write(const std::string& file, const AppParams& r, size_t length = sizeof(AppParams))
    {
        fixture::WriteBytes(dir + file, &r, length);
    }
    int Load(const char* name, int isNew = 0) { return LoadEntry(name, isNew, entry); }
    Entry entry{};
    AppParams& appParams = entry.record;
};

}  // namespace

TEST_F(Entries, LoadsTheFileOfTheName)
{
    AppParams stored = Stored("Ventas del Norte", "192.0.2.7");
    stored.envio = 2;
    stored.mod[SLOT_FONDO] = 0;
    Write("Ventas.Norte.DAI", stored);
    EXPECT_EQ(Load("Ventas.Norte"), 1);
    // A stored name that is another name never names files: the listed one stands.
    EXPECT_STREQ(appParams.nombre, "Ventas.Norte");
    EXPECT_STREQ(entry.listedName, "Ventas.Norte");
    EXPECT_STREQ(appParams.ipServidor, "192.0.2.7");
    EXPECT_EQ(appParams.envio, 2);
    EXPECT_EQ(+appParams.mod[SLOT_FONDO], 0);
    // The same name in other letters is the same file: kept as stored.
    Write("Caja.DAI", Stored("CAJA", "192.0.2.8"));
    EXPECT_EQ(Load("Caja"), 1);
    EXPECT_STREQ(appParams.nombre, "CAJA");
    Write("Strasse.DAI", Stored("Stra\xDF" "e", "192.0.2.8"));  // not so for the file system
    EXPECT_EQ(Load("Strasse"), 1);
    EXPECT_STREQ(appParams.nombre, "Strasse");

    // A terminal loads its own entry even for an application not installed yet.
    EXPECT_EQ(Load("Ventas.Norte", 1), 1);
    EXPECT_STREQ(appParams.ipServidor, "192.0.2.7");
}

TEST_F(Entries, MissingOrLockedFileGivesDefaults)
{
    appParams.efectoFondo = 9;
    EXPECT_EQ(Load("NoExiste"), 0);
    EXPECT_STREQ(appParams.nombre, "NoExiste");
    EXPECT_EQ(appParams.efectoFondo, 3);

    Write("Ocupado.DAI", Stored("Ocupado", "192.0.2.9"));
    HANDLE lock = CreateFileA((dir + "Ocupado.DAI").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Load("Ocupado"), 0);
    CloseHandle(lock);
    EXPECT_STREQ(appParams.ipServidor, "");
}

TEST_F(Entries, ShortLongAndEmptyFiles)
{
    AppParams stored = Stored("Corto", "192.0.2.1");
    stored.efectoAreas = 9;
    Write("Corto.DAI", stored, 148);
    appParams.renglones = 40;
    Load("Corto");
    EXPECT_STREQ(appParams.ipServidor, "192.0.2.1");
    EXPECT_EQ(appParams.efectoAreas, 4);
    EXPECT_EQ(+appParams.renglones, 40);

    std::vector<char> longer(3000, '\x7f');
    std::memcpy(longer.data(), &stored, sizeof stored);
    fixture::WriteBytes(dir + "Largo.DAI", longer.data(), longer.size());
    Load("Largo");
    EXPECT_EQ(appParams.efectoAreas, 9);
    EXPECT_STREQ(appParams.tiempo, "");

    fixture::WriteBytes(dir + "Vacio.DAI", "", 0);
    EXPECT_EQ(Load("Vacio"), 1);
    EXPECT_STREQ(appParams.nombre, "Vacio");

    AppParams wild;
    std::memset(&wild, 'Z', sizeof wild);
    Write("Raro.DAI", wild);
    Load("Raro");
    EXPECT_STREQ(appParams.nombre, "Raro");
    EXPECT_EQ(appParams.envio, 0);
}

TEST_F(Entries, NewEntryOfTheConfiguratorTakesTheFirstServerAddress)
{
    profile.newEntryTakesFirstServer = 1;
    EXPECT_EQ(Load("Nueva", 1), 1);
    EXPECT_STREQ(appParams.ipServidor, "");
    EXPECT_STREQ(entry.listedName, "");

    Write("Existente.DAI", Stored("Existente", "192.0.2.44"));
    Load("Nueva", 1);
    EXPECT_STREQ(appParams.nombre, "Nueva");
    EXPECT_STREQ(appParams.ipServidor, "192.0.2.44");
    EXPECT_STREQ(appParams.letraSuizo, "Arial");
}

TEST_F(Entries, ListShowsNamesSortedWithoutExtension)
{
    HWND list = CreateWindowA("LISTBOX", "", WS_POPUP | LBS_SORT, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("left over"));
    for (const char* name : {"B.DAI", "A.DAI", "Ventas.Norte.DAI", "c.dai", "Icono.ICO", "Otro.DAIX"})
        Write(name, Stored("x", "y"));
    Write(std::string(128, 'L') + ".DAI", Stored("largo", "y"));  // does not fit nombre
    CreateDirectoryA((dir + "Carpeta.DAI").c_str(), nullptr);

    FillEntryList(list);
    EXPECT_EQ(drive::ListItems(list), (std::vector<std::string>{"A", "B", "c", "Ventas.Norte"}));

    CopyText(entryDir, (dir + "NoHay\\").c_str());
    FillEntryList(list);
    EXPECT_TRUE(drive::ListItems(list).empty());
    DestroyWindow(list);
}

TEST_F(Entries, FontListKeepsTrueTypeFamiliesInOrder)
{
    fontNames.clear();
    LOGFONTA font{};
    std::strcpy(font.lfFaceName, "Raster");
    CollectFontFamily(&font, nullptr, RASTER_FONTTYPE, 0);
    std::strcpy(font.lfFaceName, "Zeta TT");
    EXPECT_EQ(CollectFontFamily(&font, nullptr, TRUETYPE_FONTTYPE, 0), 1);
    std::strcpy(font.lfFaceName, "Alfa TT");
    CollectFontFamily(&font, nullptr, TRUETYPE_FONTTYPE | DEVICE_FONTTYPE, 0);
    ASSERT_EQ(fontNames.size(), 2u);

    HWND combo = CreateWindowA("COMBOBOX", "", WS_POPUP | CBS_DROPDOWN, 0, 0, 200, 200, nullptr, nullptr, nullptr,
                               nullptr);
    ASSERT_NE(combo, nullptr);
    FillFontCombo(combo);
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    char text[256];
    SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Zeta TT");
    SendMessageA(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Alfa TT");
    DestroyWindow(combo);

    // The real enumeration keeps TrueType families only: none of the others
    // (Wine has raster families such as "Courier" and "Small Fonts") appear.
    fontNames.clear();
    std::vector<std::string> others;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesA(dc, nullptr, reinterpret_cast<FONTENUMPROCA>(CollectFontFamily), 0);
    EnumFontFamiliesA(dc, nullptr, reinterpret_cast<FONTENUMPROCA>(CollectOther), reinterpret_cast<LPARAM>(&others));
    ReleaseDC(nullptr, dc);
    EXPECT_FALSE(fontNames.empty());
    EXPECT_FALSE(others.empty());
    for (const FontName& name : fontNames)
        for (const std::string& other : others)
            EXPECT_NE(other, name.data());
}

// What the Fostra scenario does not reach: the rename, the case-only rename
// and a save onto a held file are driven there.
TEST_F(Entries, SaveRenameAndDeleteKeepTheEntryWhateverFails)
{
    using fixture::Listing;
    using Names = std::vector<std::string>;
    auto save = [&](int isNewEntry, const char* from, const char* to) {
        entry.isNew = isNewEntry;
        CopyText(entry.listedName, from);
        appParams = Stored(to, "10.0.0.1");
        return SaveEntry(entry);
    };
    ReleaseIcon();
    fixture::WriteBytes(dir + "Otro.DAI", "otro", 4);

    // A new entry deletes nothing, whatever was listed.
    ASSERT_EQ(save(1, "Otro", "Alfa"), 1);

    // Names that are no file names change nothing.
    EXPECT_EQ(save(0, "Alfa", "Gamma:1"), 0);
    EXPECT_EQ(save(0, "Alfa", "..\\Terminal\\Gamma"), 0);
    EXPECT_EQ(Listing(dir), (Names{"Alfa.DAI", "Otro.DAI"}));

    // An icon the user did not choose is never written; a rename takes the
    // entry's own icon along.
    fixture::WriteBytes(dir + "Otro.ICO", "icono", 5);
    ASSERT_EQ(save(0, "Otro", "Beta"), 1);
    EXPECT_EQ(fixture::ReadAll(dir + "Beta.ICO"), "icono");
    EXPECT_EQ(save(0, "Beta", "Beta"), 1);
    EXPECT_EQ(fixture::ReadAll(dir + "Beta.ICO"), "icono");
    EXPECT_EQ(DeleteEntry("Beta"), 1);
    DeleteFileA((dir + "Otro.ICO").c_str());

    // Once the entry file is written what fails is said, not undone: the old
    // entry file held open, an icon that can't be copied or written there.
    fixture::WriteBytes(dir + "Alfa.ICO", "icono", 5);
    CreateDirectoryA((dir + "Delta.ICO").c_str(), nullptr);
    HANDLE held = CreateFileA((dir + "Alfa.DAI").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    EXPECT_EQ(save(0, "Alfa", "Delta"), ENTRY_DONE | ENTRY_OLD_KEPT | ENTRY_ICON_FAILED);
    CloseHandle(held);
    entry.writeIcon = LoadCurrentIcon(DALVO_ICO);
    EXPECT_EQ(save(0, "Delta", "Delta"), ENTRY_DONE | ENTRY_ICON_FAILED);
    EXPECT_EQ(Listing(dir), (Names{"Alfa.DAI", "Alfa.ICO", "Delta.DAI", "Delta.ICO"}));
    ReleaseIcon();
    // Within a program's journal that rename is undone whole.
    profile.journal = "Fostra";
    held = CreateFileA((dir + "Alfa.DAI").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(save(0, "Alfa", "Epsilon"), 0);
    CloseHandle(held);
    profile.journal = nullptr;
    EXPECT_EQ(Listing(dir), (Names{"Alfa.DAI", "Alfa.ICO", "Delta.DAI", "Delta.ICO"}));
    RemoveDirectoryA((dir + "Delta.ICO").c_str());
    EXPECT_EQ(DeleteEntry("Delta"), ENTRY_DONE);

    // An entry file held open is not deleted, and says so; a missing icon is
    // no failure.
    held = CreateFileA((dir + "Alfa.DAI").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                       nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(DeleteEntry("Alfa"), 0);
    EXPECT_EQ(Listing(dir), (Names{"Alfa.DAI"}));
    CloseHandle(held);
    EXPECT_EQ(DeleteEntry("Alfa"), 1);
    EXPECT_EQ(Listing(dir), Names{});
}

TEST_F(Entries, ReadersNeverSeeATornEntryWhileItIsRewritten)
{
    // Every read sees one whole record, old or new, never a cut, mixed or
    // missing one.
    entry.isNew = 1;
    const AppParams records[2] = {Stored("Caja", "10.0.0.1"), Stored("Caja", "10.0.0.2")};
    // The reader gets the expected bytes from files outside the entry pattern.
    fixture::WriteBytes(dir + "a.rec", &records[0], sizeof records[0]);
    fixture::WriteBytes(dir + "b.rec", &records[1], sizeof records[1]);
    appParams = records[0];
    ASSERT_EQ(1, SaveEntry(entry));
    std::string entryFile = dir + "Caja.DAI", counts = dir + "counts.txt";

    char name[64];
    std::snprintf(name, sizeof name, "vondra-entryload-%lu", GetCurrentProcessId());
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, name);
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, (std::string(name) + "r").c_str());
    ASSERT_TRUE(stop != nullptr && ready != nullptr);
    drive::Program reader;
    ASSERT_TRUE(reader.Start(ENTRY_READER, "\"" + entryFile + "\" \"" + dir + "a.rec\" \"" + dir + "b.rec\" \"" + counts +
                                               "\" " + name));
    // Saves start only once the reader is reading, so the two overlap.
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, 30000)) << "the reader did not start reading";

    int saved = 0, failed = 0;
    for (int i = 1; i <= 1000; ++i) {
        appParams = records[i % 2];
        ++(SaveEntry(entry) ? saved : failed);
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
    EXPECT_EQ(fixture::ReadAll(entryFile).size(), sizeof(AppParams));
}
