// Layout of the main windows' painted background. No windows.h.
#pragma once

enum { TILE_WIDTH = 62, TILE_HEIGHT = 18, BANNER_WIDTH = 393, BANNER_HEIGHT = 93, BANNER_TOP = 10 };

struct TileBlit {
    int x, y;      // destination
    int srcX;      // left edge within the tile bitmap
    int width;     // pixels taken from the tile
};

// Calls draw(const TileBlit&) for every piece of the tiled background of a
// client area: rows of 18 pixels, each starting 20 pixels further left than
// the row above (wrapping at the tile width), until the area is covered.
template <typename Draw>
void ForEachTile(int clientWidth, int clientHeight, Draw draw)
{
    int startWidth = TILE_WIDTH;
    for (int y = 0; y < clientHeight; y += TILE_HEIGHT) {
        if (startWidth > 0)
            draw(TileBlit{0, y, TILE_WIDTH - startWidth, startWidth});
        for (int x = startWidth; x < clientWidth; x += TILE_WIDTH)
            draw(TileBlit{x, y, 0, TILE_WIDTH});
        startWidth -= 20;
        if (startWidth < 0)
            startWidth += TILE_WIDTH;
    }
}

// Left edge of the banner, centred; the division truncates toward zero, so a
// window narrower than the banner puts it at a negative x.
inline int BannerLeft(int clientWidth)
{
    return (clientWidth - BANNER_WIDTH) / 2;
}
