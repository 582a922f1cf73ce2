// Another program on the same desktop, for the clipboard tests:
//   cliptool read OUTFILE   the formats on the clipboard, one name a line, into
//                           OUTFILE.formats; the "Rich Text Format" block into
//                           OUTFILE.rtf. Exit 0, or 2 when the clipboard could
//                           not be opened.
//   cliptool hold READY RELEASE   opens the clipboard, sets the event READY,
//                           keeps it until the event RELEASE is set.
//   cliptool text TEXT      leaves TEXT as the only format (CF_TEXT).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "drive.h"

namespace {

// Another program may hold the clipboard for a moment.
bool Open(HWND owner = nullptr)
{
    return drive::WaitUntil([&] { return OpenClipboard(owner) != 0; }, 2000);
}

bool Save(const std::string& path, const void* bytes, size_t length)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = length == 0 || std::fwrite(bytes, 1, length, file) == length;
    return std::fclose(file) == 0 && ok;
}

int Read(const std::string& out)
{
    if (!Open())
        return 2;
    std::string formats;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        char name[256];
        if (GetClipboardFormatNameA(format, name, sizeof name) > 0)
            formats += name;
        else
            formats += "#" + std::to_string(format);
        formats += "\n";
    }
    int status = 0;
    UINT rtf = RegisterClipboardFormatA("Rich Text Format");
    HANDLE data = rtf != 0 ? GetClipboardData(rtf) : nullptr;
    if (data != nullptr) {
        const void* bytes = GlobalLock(data);
        if (bytes == nullptr || !Save(out + ".rtf", bytes, GlobalSize(data)))
            status = 3;
        GlobalUnlock(data);
    }
    CloseClipboard();
    if (!Save(out + ".formats", formats.data(), formats.size()))
        status = 3;
    return status;
}

int Hold(const char* ready, const char* release)
{
    HANDLE readyEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, ready);
    HANDLE releaseEvent = OpenEventA(SYNCHRONIZE, FALSE, release);
    // Held by a window, as a program holds it: Wine lets a second opener
    // without a window in while the holder has none either.
    HWND window = CreateWindowExA(0, "STATIC", "cliptool", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (readyEvent == nullptr || releaseEvent == nullptr || window == nullptr || !Open(window))
        return 2;
    SetEvent(readyEvent);
    WaitForSingleObject(releaseEvent, 60000);
    CloseClipboard();
    DestroyWindow(window);
    return 0;
}

int Text(const char* text)
{
    if (!Open())
        return 2;
    EmptyClipboard();
    size_t length = std::strlen(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length);
    std::memcpy(GlobalLock(block), text, length);
    GlobalUnlock(block);
    int status = SetClipboardData(CF_TEXT, block) != nullptr ? 0 : 3;
    CloseClipboard();
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "read") == 0)
        return Read(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "hold") == 0)
        return Hold(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "text") == 0)
        return Text(argv[2]);
    std::fprintf(stderr, "usage: cliptool read OUTFILE | hold READY RELEASE | text TEXT\n");
    return 1;
}
