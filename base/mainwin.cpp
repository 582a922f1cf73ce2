#include "backdrop.h"
#include "base.h"

namespace {

enum { BITMAP_TILE = 105, BITMAP_BANNER = 131 };

// Created and deleted by the main dialog, the only one that paints with it.
HBRUSH staticBrush;

// A memory DC holding one bitmap resource for the duration of a paint.
struct BitmapDC {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    BitmapDC(HDC target, int resource)
    {
        bitmap = LoadBitmapA(hInstance, MAKEINTRESOURCEA(resource));
        dc = CreateCompatibleDC(target);
        if (dc != nullptr && bitmap != nullptr)
            previous = SelectObject(dc, bitmap);
    }
    ~BitmapDC()
    {
        if (previous != nullptr)
            SelectObject(dc, previous);
        if (dc != nullptr)
            DeleteDC(dc);
        if (bitmap != nullptr)
            DeleteObject(bitmap);
    }
    bool Ready() const { return previous != nullptr; }
};

}  // namespace

void PaintMainBackground(HWND dialog, HDC dc)
{
    RECT client;
    GetClientRect(dialog, &client);
    {
        BitmapDC tile(dc, BITMAP_TILE);
        if (tile.Ready())
            ForEachTile(client.right, client.bottom, [&](const TileBlit& piece) {
                BitBlt(dc, piece.x, piece.y, piece.width, TILE_HEIGHT, tile.dc, piece.srcX, 0, SRCCOPY);
            });
    }
    BitmapDC banner(dc, BITMAP_BANNER);
    if (banner.Ready())
        BitBlt(dc, BannerLeft(client.right), BANNER_TOP, BANNER_WIDTH, BANNER_HEIGHT, banner.dc, 0, 0, SRCCOPY);
}

HBRUSH ColourStatic(HDC dc)
{
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(STATIC_RED, STATIC_GREEN, STATIC_BLUE));
    return staticBrush;
}

int RunMainDialog(const char* name, DLGPROC procedure)
{
    HWND mainWindow = CreateDialogParamA(hInstance, name, nullptr, procedure, 0);
    if (mainWindow == nullptr)
        return 1;
    UpdateWindow(mainWindow);
    ShowWindow(mainWindow, SW_SHOW);
    // Plain loop on purpose: keys are not routed through the dialog manager.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void InitMainDialog(HWND dialog)
{
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
    staticBrush = CreateSolidBrush(RGB(STATIC_RED, STATIC_GREEN, STATIC_BLUE));
}

bool MainDialogMessage(HWND dialog, UINT message, WPARAM wParam, INT_PTR* result)
{
    switch (message) {
    case WM_ERASEBKGND:
        PaintMainBackground(dialog, reinterpret_cast<HDC>(wParam));
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
        *result = TRUE;
        return true;
    case WM_CTLCOLORSTATIC:
        *result = reinterpret_cast<INT_PTR>(ColourStatic(reinterpret_cast<HDC>(wParam)));
        return true;
    case WM_CLOSE:
        DestroyWindow(dialog);
        *result = TRUE;
        return true;
    case WM_DESTROY:
        if (staticBrush != nullptr) {
            DeleteObject(staticBrush);
            staticBrush = nullptr;
        }
        PostQuitMessage(0);
        *result = TRUE;
        return true;
    }
    return false;
}

int SelectedItemText(HWND list, char* out, size_t size)
{
    LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return 0;
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length >= static_cast<LRESULT>(size))
        return 0;
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(out));
    return 1;
}
