// Driving a real dialog program from another process: find its windows by
// caption, read controls, post clicks, wait for it to end. Everything that
// could block on a busy or modal target is posted or sent with a timeout.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace drive {

// A started program; ended (if still running) and closed on destruction.
struct Program {
    PROCESS_INFORMATION info{};
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    // exe with arguments after its quoted name.
    bool Start(const std::string& exe, const std::string& arguments = "");
    // The command line as given; module may be null (then it names the program).
    bool Launch(const char* module, std::string commandLine, const std::string& workDir = "");
    DWORD WaitExit(DWORD timeoutMs);  // exit code, or STILL_ACTIVE
    bool Running() const;
    // A dialog of this program with that caption; Gone: none is left.
    HWND Appears(const char* caption, DWORD timeoutMs = 5000) const;
    bool Gone(const char* caption, DWORD timeoutMs = 5000) const;
    // The message of the box with that caption, which is then closed with
    // OK: "(no box)" when none comes, "(left open)" added when it stays.
    std::string CloseMessage(const char* caption) const;
    // Clicks button id of the dialog with that caption once it comes: the
    // dialog, or nullptr when none came.
    HWND Press(const char* caption, int id, DWORD timeoutMs = 5000) const;
    ~Program();
};

// A started program with the dialog of it that a test drives by control id.
struct DialogProgram : Program {
    HWND dialog = nullptr;
    // Exit code, or STILL_ACTIVE when it did not end within 10 s.
    DWORD Wait() { return WaitExit(10000); }
    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    bool Enabled(int id) const;
    bool Checked(int id) const;
    std::string Text(int id) const;
    std::vector<std::string> Items(int id) const;
    int Selection(int id) const;
    void Click(int id) const;
};

// Runs a command line to its end: its exit code, 1000 when it could not be
// started, 1001 when it had not ended in time (it is then ended).
DWORD Run(const std::string& commandLine, DWORD timeoutMs);
// The same for exe with arguments, within 30 s, counting in *windows the
// times a window of it was seen meanwhile. The whole code, which Wine's own
// exit status would cut to 8 bits.
DWORD RunUnseen(const std::string& exe, const std::string& arguments, int* windows);

// A visible top-level window of the program pid (0: any) of that class
// (null: any) for which match holds, if given; nullptr when there is none.
HWND FindWindowNow(const char* className, DWORD pid, const std::function<bool(HWND)>& match = nullptr);
// Top-level window of the dialog class with this caption owned by pid (0: any).
HWND WaitForWindow(const char* caption, DWORD timeoutMs, DWORD pid = 0);
bool WaitForNoWindow(const char* caption, DWORD timeoutMs, DWORD pid = 0);

std::string Text(HWND window);
std::string ControlText(HWND dialog, int id);
// Sets the text at once, as a program does (Type types it).
void SetText(HWND window, const std::string& text);
// The items of a list box or a combo box, and the index of the selected
// one (-1: none).
std::vector<std::string> ListItems(HWND list);
int Selection(HWND list);
// The control id of the dialog's child that reads text, 0 when none does.
int ButtonReading(HWND dialog, const char* text);
// Texts of the static controls of a dialog, in creation order.
std::vector<std::string> StaticTexts(HWND dialog);
// The last of them: what a message box says.
std::string MessageText(HWND box);

void PostClick(HWND dialog, int id);
bool Checked(HWND dialog, int id);
// Replaces the text of an edit (or a combo's edit) key by key, as a person
// types, and waits until the control shows it (or shown, when the control
// limits or changes what is typed).
bool Type(HWND dialog, int id, const std::string& text, const char* shown = nullptr);
// Chooses the item at index of a drop-down combo as a person does: drops
// the list down and clicks the item. ChooseItem finds the item by its text.
bool ChooseAt(HWND combo, int index);
bool ChooseItem(HWND combo, const char* text);
// A real mouse click (or double click) on item index of a list box.
void ClickListItem(HWND list, int index, bool doubleClick);
// A double click on the empty part at the bottom of a list box.
void DoubleClickBelowItems(HWND list);
// Waits until the target has handled what was sent to it so far (posted
// input may still be pending: check results with WaitUntil).
void Settle(HWND window);
// Polls condition until it holds or the time is up; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// The screen's colour at (x, y) of the window's client area.
COLORREF ScreenPixel(HWND window, int x, int y);
// Waits until the window and its controls are painted and the screen shows
// them: nothing left to paint, and the same pixels twice in a row.
bool WaitPainted(HWND window, DWORD timeoutMs = 5000);

// VONDRA_SHOTS as a Windows path, "" when it is not set.
std::string ShotsDirectory();
// Once the window is painted, its screen pixels as the 24-bit BMP file
// dir\name. With no dir there is nothing to do, which succeeds.
bool Screenshot(HWND window, const std::string& name, const std::string& dir = ShotsDirectory());

}  // namespace drive
