#include "drive.h"

#include <cstdio>

#include "fixtures.h"

namespace drive {

bool Program::Start(const std::string& exe, const std::string& arguments)
{
    std::string command = "\"" + exe + "\"";
    if (!arguments.empty())
        command += " " + arguments;
    return Launch(exe.c_str(), command);
}

bool Program::Launch(const char* module, std::string commandLine, const std::string& workDir)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(module, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          workDir.empty() ? nullptr : workDir.c_str(), &startup, &info) != 0;
}

bool Program::Running() const
{
    return info.hProcess != nullptr && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Program::Appears(const char* caption, DWORD timeoutMs) const
{
    return WaitForWindow(caption, timeoutMs, info.dwProcessId);
}

bool Program::Gone(const char* caption, DWORD timeoutMs) const
{
    return WaitForNoWindow(caption, timeoutMs, info.dwProcessId);
}

std::string Program::CloseMessage(const char* caption) const
{
    HWND box = Appears(caption);
    if (box == nullptr)
        return "(no box)";
    std::string message = MessageText(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return Gone(caption) ? message : message + " (left open)";
}

HWND Program::Press(const char* caption, int id, DWORD timeoutMs) const
{
    HWND box = Appears(caption, timeoutMs);
    if (box != nullptr)
        PostClick(box, id);
    return box;
}

DWORD Run(const std::string& commandLine, DWORD timeoutMs)
{
    Program program;
    if (!program.Launch(nullptr, commandLine))
        return 1000;
    DWORD code = program.WaitExit(timeoutMs);
    return code == STILL_ACTIVE ? 1001 : code;
}

DWORD RunUnseen(const std::string& exe, const std::string& arguments, int* windows)
{
    Program program;
    if (!program.Start(exe, arguments))
        return 1000;
    DWORD code = STILL_ACTIVE;
    for (int polls = 0; code == STILL_ACTIVE && polls < 1500; ++polls) {
        code = program.WaitExit(20);
        if (FindWindowNow(nullptr, program.info.dwProcessId) != nullptr)
            ++*windows;
    }
    return code == STILL_ACTIVE ? 1001 : code;
}

DWORD Program::WaitExit(DWORD timeoutMs)
{
    if (info.hProcess == nullptr || WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
}

Program::~Program()
{
    if (info.hProcess == nullptr)
        return;
    if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 99);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

namespace {

struct Search {
    const char* className;
    DWORD pid;
    const std::function<bool(HWND)>& match;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search->pid != 0 && owner != search->pid)
        return TRUE;
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (search->className != nullptr && lstrcmpiA(className, search->className) != 0)
        return TRUE;
    if (!IsWindowVisible(window) || (search->match && !search->match(window)))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindNow(const char* caption, DWORD pid)
{
    return FindWindowNow("#32770", pid, [&](HWND window) { return Text(window) == caption; });
}

}  // namespace

HWND FindWindowNow(const char* className, DWORD pid, const std::function<bool(HWND)>& match)
{
    Search search{className, pid, match, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const char* caption, DWORD timeoutMs, DWORD pid)
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindNow(caption, pid)) != nullptr; }, timeoutMs);
    return window;
}

bool WaitForNoWindow(const char* caption, DWORD timeoutMs, DWORD pid)
{
    return WaitUntil([&] { return FindNow(caption, pid) == nullptr; }, timeoutMs);
}

bool DialogProgram::Enabled(int id) const
{
    return IsWindowEnabled(Item(id)) != 0;
}

bool DialogProgram::Checked(int id) const
{
    return drive::Checked(dialog, id);
}

std::string DialogProgram::Text(int id) const
{
    return ControlText(dialog, id);
}

std::vector<std::string> DialogProgram::Items(int id) const
{
    return ListItems(Item(id));
}

int DialogProgram::Selection(int id) const
{
    return drive::Selection(Item(id));
}

void DialogProgram::Click(int id) const
{
    PostClick(dialog, id);
}

std::string Text(HWND window)
{
    wchar_t wide[4096] = L"";
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 5000, &length);
    char text[8192] = "";
    WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::string ControlText(HWND dialog, int id)
{
    return Text(GetDlgItem(dialog, id));
}

void SetText(HWND window, const std::string& text)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000,
                        &ignored);
}

namespace {

bool IsCombo(HWND window)
{
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, "ComboBox") == 0;
}

}  // namespace

// Asked in UTF-16: Wine answers an ANSI LB_GETTEXT from another process with
// the wide text.
std::vector<std::string> ListItems(HWND list)
{
    bool combo = IsCombo(list);
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count))
        return items;
    for (DWORD_PTR i = 0; i < count && i < 100000; ++i) {
        wchar_t wide[512] = L"";
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide),
                            SMTO_ABORTIFHUNG, 2000, &length);
        char text[1024] = "";
        WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        items.push_back(text);
    }
    return items;
}

int Selection(HWND list)
{
    DWORD_PTR index = static_cast<DWORD_PTR>(-1);
    SendMessageTimeoutA(list, IsCombo(list) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &index);
    return static_cast<int>(static_cast<LRESULT>(index));
}

namespace {

BOOL CALLBACK CollectStatic(HWND child, LPARAM data)
{
    char className[32];
    GetClassNameA(child, className, sizeof className);
    LONG type = GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK;
    if (lstrcmpiA(className, "Static") == 0 && type != SS_BITMAP && type != SS_ICON) {
        std::string text = Text(child);
        if (!text.empty())
            reinterpret_cast<std::vector<std::string>*>(data)->push_back(text);
    }
    return TRUE;
}

}  // namespace

std::vector<std::string> StaticTexts(HWND dialog)
{
    std::vector<std::string> texts;
    EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::string MessageText(HWND box)
{
    std::vector<std::string> texts = StaticTexts(box);
    return texts.empty() ? "" : texts.back();
}

void PostClick(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool Checked(HWND dialog, int id)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return state == BST_CHECKED;
}

bool Type(HWND dialog, int id, const std::string& text, const char* shown)
{
    HWND edit = GetDlgItem(dialog, id);
    if (HWND inner = FindWindowExA(edit, nullptr, "Edit", nullptr))
        edit = inner;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(edit, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 2000, &ignored);
    PostMessageA(edit, WM_CHAR, VK_BACK, 1);
    for (char c : text)
        PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    std::string expected = shown != nullptr ? shown : text;
    return WaitUntil([&] { return drive::Text(edit) == expected; });
}

void ClickListItem(HWND list, int index, bool doubleClick)
{
    DWORD_PTR top = 0;
    DWORD_PTR height = 0;
    SendMessageTimeoutA(list, LB_GETTOPINDEX, 0, 0, SMTO_ABORTIFHUNG, 2000, &top);
    SendMessageTimeoutA(list, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 2000, &height);
    int y = static_cast<int>((index - static_cast<int>(top)) * static_cast<int>(height) + static_cast<int>(height) / 2);
    LPARAM at = MAKELPARAM(4, y);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    if (doubleClick) {
        PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageA(list, WM_LBUTTONUP, 0, at);
    }
}

namespace {

struct ButtonSearch {
    const char* text;
    int id;
};

BOOL CALLBACK MatchButton(HWND child, LPARAM data)
{
    auto* search = reinterpret_cast<ButtonSearch*>(data);
    if (Text(child) != search->text)
        return TRUE;
    search->id = GetDlgCtrlID(child);
    return FALSE;
}

}  // namespace

int ButtonReading(HWND dialog, const char* text)
{
    ButtonSearch search = {text, 0};
    EnumChildWindows(dialog, MatchButton, reinterpret_cast<LPARAM>(&search));
    return search.id;
}

bool ChooseAt(HWND combo, int index)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(combo, &pid);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(combo, CB_SHOWDROPDOWN, TRUE, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    HWND list = nullptr;
    if (!WaitUntil([&] { return (list = FindWindowNow("ComboLBox", pid)) != nullptr; }))
        return false;
    SendMessageTimeoutA(list, LB_SETTOPINDEX, index, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    ClickListItem(list, index, false);
    return WaitUntil([&] { return !IsWindowVisible(list); });
}

bool ChooseItem(HWND combo, const char* text)
{
    DWORD_PTR index = 0;
    if (!SendMessageTimeoutA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 2000, &index) ||
        index == static_cast<DWORD_PTR>(CB_ERR))
        return false;
    return ChooseAt(combo, static_cast<int>(index));
}

void DoubleClickBelowItems(HWND list)
{
    RECT client;
    GetClientRect(list, &client);
    LPARAM below = MAKELPARAM(5, client.bottom - 3);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, below);
    PostMessageA(list, WM_LBUTTONUP, 0, below);
}

void Settle(HWND window)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return condition();
        Sleep(10);
    }
    return true;
}

COLORREF ScreenPixel(HWND window, int x, int y)
{
    POINT at{x, y};
    ClientToScreen(window, &at);
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

namespace {

// The window's screen pixels, bottom row first, 24 bits each.
struct Picture {
    BITMAPINFOHEADER header{};
    std::string pixels;
    bool operator==(const Picture& other) const
    {
        return header.biWidth == other.header.biWidth && header.biHeight == other.header.biHeight &&
               pixels == other.pixels;
    }
};

bool Capture(HWND window, Picture* picture)
{
    RECT box;
    if (!GetWindowRect(window, &box))
        return false;
    int width = box.right - box.left;
    int height = box.bottom - box.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER& header = picture->header;
    header = BITMAPINFOHEADER{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    int stride = ((width * 3 + 3) / 4) * 4;
    picture->pixels.assign(static_cast<size_t>(stride) * height, '\0');
    int rows = GetDIBits(memory, bitmap, 0, height, &picture->pixels[0], reinterpret_cast<BITMAPINFO*>(&header),
                         DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return rows == height;
}

bool WriteBitmap(const Picture& picture, const std::string& path)
{
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof picture.header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + picture.pixels.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
              std::fwrite(&picture.header, sizeof picture.header, 1, out) == 1 &&
              std::fwrite(picture.pixels.data(), picture.pixels.size(), 1, out) == 1;
    return std::fclose(out) == 0 && ok;
}

BOOL CALLBACK FindUnpainted(HWND child, LPARAM data)
{
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(data) = false;
        return FALSE;
    }
    return TRUE;
}

bool NothingToPaint(HWND window)
{
    if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE))
        return false;
    bool painted = true;
    EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&painted));
    return painted;
}

// Wine puts what a program drew on the screen when the program next waits
// for messages: the update regions empty before that, so the pixels must
// also hold still across a round trip through its message loop.
bool WaitShown(HWND window, DWORD timeoutMs, Picture* picture)
{
    Settle(window);
    if (!WaitUntil([&] { return NothingToPaint(window); }, timeoutMs))
        return false;
    Picture before;
    return WaitUntil([&] {
        Settle(window);
        if (!Capture(window, picture))
            return false;
        bool still = *picture == before;
        before = *picture;
        return still;
    }, timeoutMs);
}

}  // namespace

bool WaitPainted(HWND window, DWORD timeoutMs)
{
    Picture picture;
    return WaitShown(window, timeoutMs, &picture);
}

std::string ShotsDirectory()
{
    char dir[MAX_PATH] = "";
    DWORD length = GetEnvironmentVariableA("VONDRA_SHOTS", dir, sizeof dir);
    return length == 0 || length >= sizeof dir ? "" : fixture::WindowsPath(dir);
}

bool Screenshot(HWND window, const std::string& name, const std::string& dir)
{
    if (dir.empty())
        return true;
    Picture picture;
    bool shown = WaitShown(window, 5000, &picture);
    // Not painted in time: what the screen shows then still tells why.
    if (!shown && !Capture(window, &picture))
        return false;
    return WriteBitmap(picture, dir + "\\" + name) && shown;
}

}  // namespace drive
