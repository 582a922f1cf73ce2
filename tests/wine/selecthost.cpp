// Opens the printer and icon dialogs of the parameter library for the tests
// that drive them from outside, and reports what they left.
//   selecthost REPORT ACTION...
// Actions: load=PATH, ask, write=PATH, icon, handle, show, printer, release.
// Each appends a line to REPORT as it ends.
#include <cstdio>
#include <cstring>
#include <string>

#include "base/base.h"
#include "params/icons.h"
#include "params/params.h"
#include "params/printers.h"

namespace {

FILE* report;
AppParams record;

void Say(const std::string& line)
{
    std::fprintf(report, "%s\n", line.c_str());
    std::fflush(report);
}

INT_PTR CALLBACK VistaDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
        return TRUE;
    case WM_PAINT: {
        int width = 0, height = 0;
        HICON icon = CurrentIconHandle(&width, &height);
        if (icon == nullptr)
            return FALSE;
        DrawIconAt(dialog, icon, 35, 30, width, height);
        DestroyIcon(icon);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void Act(const std::string& action)
{
    auto argument = [&](const char* name) -> const char* {
        size_t length = std::strlen(name);
        return action.compare(0, length, name) == 0 ? action.c_str() + length : nullptr;
    };
    if (const char* path = argument("load=")) {
        Say("load " + std::to_string(LoadCurrentIcon(path)));
    } else if (action == "ask") {
        Say("ask " + std::to_string(LoadCurrentIcon(nullptr)));
    } else if (const char* path = argument("write=")) {
        Say("write " + std::to_string(WriteIconFile(path)));
    } else if (action == "icon") {
        Say("icon|" + std::string(currentIcon.iconFile) + "|" + currentIcon.libraryFile + "|" +
            std::to_string(currentIcon.images.size()));
        for (const IconImage& image : currentIcon.images)
            Say("image " + std::to_string(image.width) + " " + std::to_string(image.height) + " " +
                std::to_string(image.depth) + " " + std::to_string(image.bytes.size()) + (image.png ? " png" : ""));
    } else if (action == "handle") {
        int width = 0, height = 0;
        HICON icon = CurrentIconHandle(&width, &height);
        Say(icon ? "handle " + std::to_string(width) + " " + std::to_string(height) : "handle none");
        if (icon)
            DestroyIcon(icon);
    } else if (action == "show") {
        DialogBoxParamA(hInstance, "VISTA", nullptr, VistaDialogProc, 0);
        Say("show");
    } else if (action == "printer") {
        char choice[PRINTER_CHOICE_SIZE] = "";
        INT_PTR result = ChoosePrinter(nullptr, 0, record, choice);
        Say("printer " + std::to_string(result) + "|" + choice + "|" + record.directaNombre);
    } else if (action == "release") {
        ReleaseIcon();
        Say("release");
    } else {
        Say("unknown " + action);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || (report = std::fopen(argv[1], "w")) == nullptr)
        return 2;
    hInstance = GetModuleHandleA(nullptr);
    appIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(128));
#ifdef SELECT_SERVER_CONTROLS
    profile.printer = &SERVER_PRINTER_CONTROLS;
#else
    profile.printer = &TERMINAL_PRINTER_CONTROLS;
#endif
    std::strcpy(record.directaNombre, "antes");
    for (int i = 2; i < argc; ++i)
        Act(argv[i]);
    std::fclose(report);
    return 0;
}
