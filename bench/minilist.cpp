// Baseline for the start-up benchmark: the least dialog program that lists a
// directory's "*.DAI" files (FindFirstFileA) into a sorted list box.
#include <windows.h>

#include <string>

namespace {

std::string directory;

INT_PTR CALLBACK ListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        HWND list = GetDlgItem(dialog, 1000);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((directory + "\\*.DAI").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            DestroyWindow(dialog);
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    directory = commandLine;
    HWND dialog = CreateDialogParamA(instance, "LISTA", nullptr, ListProc, 0);
    if (dialog == nullptr)
        return 1;
    ShowWindow(dialog, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
