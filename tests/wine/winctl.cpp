// winctl shot CAPTION FILE.bmp [close]: waits for the dialog with that
// caption, saves its picture and, when asked, closes it.
#include <cstdio>
#include <cstring>

#include "drive.h"

int main(int argc, char** argv)
{
    if (argc < 4 || std::strcmp(argv[1], "shot") != 0) {
        std::fprintf(stderr, "usage: winctl shot CAPTION FILE.bmp [close]\n");
        return 2;
    }
    HWND window = drive::WaitForWindow(argv[2], 60000);
    if (window == nullptr) {
        std::fprintf(stderr, "winctl: no window \"%s\"\n", argv[2]);
        return 1;
    }
    drive::Settle(window);
    Sleep(300);  // let the controls finish painting
    if (!drive::SaveScreenshot(window, argv[3])) {
        std::fprintf(stderr, "winctl: cannot write %s\n", argv[3]);
        return 1;
    }
    if (argc > 4 && std::strcmp(argv[4], "close") == 0)
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}
