// ClipRTF.ClipB_RTF of the built Pluvik.dll, called as the Java client calls
// it; the clipboard is read back by another program, and pasted into WordPad.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "caller.h"
#include "drive.h"
#include "fixtures.h"
#include "javaclient.h"

namespace {

using fixture::Exists;

const std::string RTF =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
    "\\f0\\fs28 {\\b Factura 1024} para el {\\i Se\\'f1or N\\'fa\\'f1ez}\\par\r\n"
    "Importe: {\\ul 1.250,00} pesos \xF1\\par\r\n}";

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What another program finds on the clipboard.
struct Seen {
    DWORD status = 1000;  // 0: opened and read; 2: could not open it
    std::string formats;
    bool hasRtf = false;
    std::string rtf;
};

std::string tempDir;

Seen ReadClipboard()
{
    static int counter;
    std::string out = tempDir + "seen" + std::to_string(++counter);
    Seen seen;
    seen.status = drive::Run("\"" CLIPTOOL_EXE "\" read \"" + out + "\"", 20000);
    seen.formats = Slurp(out + ".formats");
    seen.hasRtf = Exists(out + ".rtf");
    seen.rtf = Slurp(out + ".rtf");
    return seen;
}

// Stand-ins for the system inside the library, and what they saw.
HGLOBAL allocated;
HGLOBAL freed;
int setCalls;

UINT WINAPI NoFormat(LPCSTR)
{
    return 0;
}
HANDLE WINAPI RefuseData(UINT, HANDLE)
{
    ++setCalls;
    return nullptr;
}
HGLOBAL WINAPI NoMemory(UINT, SIZE_T)
{
    return nullptr;
}
LPVOID WINAPI NoLock(HGLOBAL)
{
    return nullptr;
}
HGLOBAL WINAPI RecordAlloc(UINT flags, SIZE_T size)
{
    allocated = GlobalAlloc(flags, size);
    return allocated;
}
HGLOBAL WINAPI RecordFree(HGLOBAL block)
{
    freed = block;
    return GlobalFree(block);
}

class Clipboard : public ::testing::Test {
protected:
    javaclient::Library library;
    javaclient::Vm vm;

    void SetUp() override
    {
        tempDir = fixture::NewDirectory("clip");
        ASSERT_FALSE(tempDir.empty());
        ASSERT_TRUE(javaclient::Load(library, PLUVIK_DIR)) << PLUVIK_DLL " or its natives not found in " PLUVIK_DIR;
        allocated = freed = nullptr;
        setCalls = 0;
        // Something of another program's to lose.
        ASSERT_EQ(drive::Run("\"" CLIPTOOL_EXE "\" text anterior", 20000), 0u);
    }
    void Patch(const char* dll, const char* function, void* replacement, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        ASSERT_NE(javaclient::PatchImport(library.module, dll, function, replacement), nullptr) << function;
    }
    jboolean Clip(const std::string& bytes) { return library.clip(&vm.env, nullptr, vm.Array(bytes)); }
    void ExpectPreviousContents(Caller caller = {})
    {
        SCOPED_CALLER(caller);
        Seen seen = ReadClipboard();
        EXPECT_EQ(seen.status, 0u) << "clipboard left open";
        EXPECT_NE(seen.formats.find("#1\n"), std::string::npos) << seen.formats;  // CF_TEXT
        EXPECT_FALSE(seen.hasRtf);
    }
    void ExpectClosedAndEmpty(Caller caller = {})
    {
        SCOPED_CALLER(caller);
        Seen seen = ReadClipboard();
        EXPECT_EQ(seen.status, 0u) << "clipboard left open";
        EXPECT_EQ(seen.formats, "");
    }
};

}  // namespace

TEST_F(Clipboard, DocumentPlacedByteForByteAsOnlyFormat)
{
    // No terminating zero; a zero byte inside travels like any other.
    std::string document = RTF + std::string(1, '\0') + "\x01\xFF";
    ASSERT_EQ(Clip(document), JNI_TRUE);
    EXPECT_TRUE(vm.AllReleased());
    EXPECT_EQ(vm.isCopyAsked, 0);
    EXPECT_EQ(vm.calls, (std::vector<std::string>{"GetArrayLength", "GetByteArrayElements",
                                                  "ReleaseByteArrayElements"}));

    Seen seen = ReadClipboard();
    ASSERT_EQ(seen.status, 0u);
    EXPECT_EQ(seen.formats, "Rich Text Format\n");
    ASSERT_TRUE(seen.hasRtf);
    EXPECT_EQ(seen.rtf.size(), document.size());
    EXPECT_TRUE(seen.rtf == document);

    // A second call replaces the first document whole.
    ASSERT_EQ(Clip("{\\rtf1 B}"), JNI_TRUE);
    seen = ReadClipboard();
    EXPECT_EQ(seen.formats, "Rich Text Format\n");
    EXPECT_EQ(seen.rtf, "{\\rtf1 B}");
    EXPECT_TRUE(vm.AllReleased());
}

TEST_F(Clipboard, HeldByAnotherProgramNothingTouched)
{
    char ready[64], release[64];
    std::snprintf(ready, sizeof ready, "pluvik-ready-%lu", GetCurrentProcessId());
    std::snprintf(release, sizeof release, "pluvik-release-%lu", GetCurrentProcessId());
    HANDLE readyEvent = CreateEventA(nullptr, TRUE, FALSE, ready);
    HANDLE releaseEvent = CreateEventA(nullptr, TRUE, FALSE, release);
    drive::Program holder;
    ASSERT_TRUE(holder.Launch(nullptr, "\"" CLIPTOOL_EXE "\" hold " + std::string(ready) + " " + release));
    ASSERT_EQ(WaitForSingleObject(readyEvent, 20000), WAIT_OBJECT_0);

    EXPECT_EQ(Clip(RTF), JNI_FALSE);
    EXPECT_TRUE(vm.calls.empty()) << "the array was read although nothing could be placed";

    SetEvent(releaseEvent);
    EXPECT_NE(holder.WaitExit(20000), STILL_ACTIVE);
    CloseHandle(readyEvent);
    CloseHandle(releaseEvent);
    ExpectPreviousContents();

    // Free again, the same call succeeds.
    EXPECT_EQ(Clip(RTF), JNI_TRUE);
    EXPECT_TRUE(vm.AllReleased());
}

TEST_F(Clipboard, FormatNotRegisteredLeavesItClosedAndUnchanged)
{
    Patch("USER32.dll", "RegisterClipboardFormatA", reinterpret_cast<void*>(NoFormat));
    EXPECT_EQ(Clip(RTF), JNI_FALSE);
    EXPECT_TRUE(vm.calls.empty());
    ExpectPreviousContents();
}

TEST_F(Clipboard, RefusedBlockLeavesItEmptyClosedAndFreed)
{
    Patch("USER32.dll", "SetClipboardData", reinterpret_cast<void*>(RefuseData));
    Patch("KERNEL32.dll", "GlobalAlloc", reinterpret_cast<void*>(RecordAlloc));
    Patch("KERNEL32.dll", "GlobalFree", reinterpret_cast<void*>(RecordFree));
    EXPECT_EQ(Clip(RTF), JNI_FALSE);
    EXPECT_EQ(setCalls, 1);
    EXPECT_TRUE(vm.AllReleased());
    ASSERT_NE(allocated, nullptr);
    EXPECT_EQ(freed, allocated);
    ExpectClosedAndEmpty();
}

TEST_F(Clipboard, NoBlockNoCopy)
{
    {
        javaclient::ImportPatch noMemory(library.module, "KERNEL32.dll", "GlobalAlloc",
                                         reinterpret_cast<void*>(NoMemory));
        ASSERT_NE(noMemory.original, nullptr);
        EXPECT_EQ(Clip(RTF), JNI_FALSE);
        EXPECT_TRUE(vm.AllReleased());
        ExpectClosedAndEmpty();
    }
    {
        javaclient::ImportPatch record(library.module, "KERNEL32.dll", "GlobalAlloc",
                                       reinterpret_cast<void*>(RecordAlloc));
        javaclient::ImportPatch recordFree(library.module, "KERNEL32.dll", "GlobalFree",
                                           reinterpret_cast<void*>(RecordFree));
        javaclient::ImportPatch noLock(library.module, "KERNEL32.dll", "GlobalLock", reinterpret_cast<void*>(NoLock));
        ASSERT_NE(noLock.original, nullptr);
        EXPECT_EQ(Clip(RTF), JNI_FALSE);
        EXPECT_TRUE(vm.AllReleased());
        ASSERT_NE(allocated, nullptr);
        EXPECT_EQ(freed, allocated);
        ExpectClosedAndEmpty();
    }
    // A VM out of memory gives no elements: nothing to copy, nothing to release.
    vm.failElements = true;
    EXPECT_EQ(Clip(RTF), JNI_FALSE);
    EXPECT_TRUE(vm.AllReleased());
    ExpectClosedAndEmpty();
}

TEST_F(Clipboard, EmptyDocumentLeavesClipboardAlone)
{
    EXPECT_EQ(Clip(""), JNI_FALSE);
    EXPECT_EQ(vm.calls, std::vector<std::string>{"GetArrayLength"});
    ExpectPreviousContents();
}

namespace {

BOOL CALLBACK FindRichEdit(HWND child, LPARAM data)
{
    char name[64];
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "RichEdit20W") != 0 && lstrcmpiA(name, "RICHEDIT50W") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(data) = child;
    return FALSE;
}

}  // namespace

// A word processor we did not write reads the placed document as RTF: the
// text arrives without its control words. The picture shows the formatting.
TEST_F(Clipboard, PastedIntoWordPad)
{
    ASSERT_EQ(Clip(RTF), JNI_TRUE);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string wordpad = std::string(windows).substr(0, 3) + "Program Files\\Windows NT\\Accessories\\wordpad.exe";
    drive::Program program;
    ASSERT_TRUE(program.Start(wordpad)) << wordpad;
    // WordPad's main window: the visible window of the process holding a rich edit.
    HWND main = nullptr, edit = nullptr;
    auto holdsEdit = [&](HWND window) {
        EnumChildWindows(window, FindRichEdit, reinterpret_cast<LPARAM>(&edit));
        return edit != nullptr;
    };
    ASSERT_TRUE(drive::WaitUntil(
        [&] { return (main = drive::FindWindowNow(nullptr, program.info.dwProcessId, holdsEdit)) != nullptr; }, 20000));
    drive::Settle(main);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(edit, WM_PASTE, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);

    std::string text;
    EXPECT_TRUE(drive::WaitUntil([&] {
        text = drive::Text(edit);
        return text.find("Factura 1024") != std::string::npos;
    }));
    EXPECT_NE(text.find("Factura 1024 para el Se\xF1or N\xFA\xF1" "ez"), std::string::npos) << text;
    EXPECT_NE(text.find("Importe: 1.250,00 pesos \xF1"), std::string::npos) << text;
    EXPECT_EQ(text.find("\\rtf"), std::string::npos) << text;
    EXPECT_EQ(text.find("fonttbl"), std::string::npos) << text;

    EXPECT_TRUE(drive::Screenshot(main, "pluvik_wordpad.bmp"));
    if (!drive::ShotsDirectory().empty())
        std::printf("look at pluvik_wordpad in %s: bold, italic and underlined text pasted from RTF\n",
                    drive::ShotsDirectory().c_str());
}
