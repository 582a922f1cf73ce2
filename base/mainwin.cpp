#include "backdrop.h"
#include "base.h"

namespace {

enum { BITMAP_TILE = 105, BITMAP_BANNER = 131 };

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
