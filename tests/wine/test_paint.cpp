// The effects and the preview painted by GDI into a memory bitmap, pixel by
// pixel against the rules.
#include <gtest/gtest.h>

#include <cstring>

#include "params/appearance.h"
#include "recordfix.h"

namespace {

const COLORREF MARK = RGB(1, 2, 3);  // what the canvas holds before painting

// A 32-bit top-down DIB section selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc, bitmap_);
        RECT all{0, 0, width, height};
        FillSolid(dc, all, MARK);
    }
    ~Canvas()
    {
        SelectObject(dc, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        uint32_t p = bits_[y * width_ + x];  // 0x00RRGGBB
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Count(const RECT& r, COLORREF colour) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(x, y) == colour;
        return n;
    }
    HDC dc;

private:
    int width_, height_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_ = nullptr;
};

COLORREF Palette(int index)
{
    return RGB(PALETTE[index].red, PALETTE[index].green, PALETTE[index].blue);
}

using recordfix::Defaults;

}  // namespace

TEST(Paint, SolidFillsExactlyItsRectangle)
{
    Canvas c(40, 30);
    RECT r{5, 6, 25, 20};
    PaintEffect(c.dc, r, 0, Palette(11), Palette(3), 60, 11);
    EXPECT_EQ(c.Count(r, RGB(0, 255, 255)), 20 * 14);
    EXPECT_EQ(c.At(4, 6), MARK);
    EXPECT_EQ(c.At(25, 6), MARK);
    EXPECT_EQ(c.At(5, 20), MARK);

    // Every colour of the palette arrives exactly.
    for (int i = 0; i < 16; ++i) {
        RECT cell{i, 0, i + 1, 1};
        FillSolid(c.dc, cell, Palette(i));
        EXPECT_EQ(c.At(i, 0), RGB(PALETTE[i].red, PALETTE[i].green, PALETTE[i].blue)) << COLOUR_NAMES[i];
    }

    // Empty and inverted rectangles, and effects beyond the table, paint nothing.
    Canvas d(40, 30);
    RECT all{0, 0, 40, 30};
    for (int effect = 0; effect < 12; ++effect) {
        PaintEffect(d.dc, RECT{10, 10, 10, 20}, effect, Palette(4), Palette(12), 20, 4);
        PaintEffect(d.dc, RECT{20, 20, 10, 10}, effect, Palette(4), Palette(12), 20, 4);
    }
    for (int effect : {12, 13, 255, -1})
        PaintEffect(d.dc, all, effect, Palette(4), Palette(12), 20, 4);
    FillPattern(d.dc, all, 1, Palette(4), Palette(12));
    EXPECT_EQ(d.Count(all, MARK), 40 * 30);
}

TEST(Paint, GradientBandsAndColoursAtBothEnds)
{
    // Negro, 20 steps, 98 pixels high: 24 bands of 4 and one of 2.
    Canvas c(20, 120);
    RECT r{2, 10, 18, 108};
    PaintEffect(c.dc, r, 1, Palette(0), Palette(8), 20, 0);
    for (int y = 10; y < 108; ++y) {
        int v = (y - 10) / 4 + 1;
        EXPECT_EQ(c.At(2, y), RGB(v, v, v)) << y;
        EXPECT_EQ(c.At(17, y), RGB(v, v, v)) << y;
    }
    EXPECT_EQ(c.At(5, 10), RGB(1, 1, 1));
    EXPECT_EQ(c.At(5, 107), RGB(25, 25, 25));
    EXPECT_EQ(c.At(5, 108), MARK);
    EXPECT_EQ(c.At(1, 50), MARK);
    EXPECT_EQ(c.At(18, 50), MARK);

    // Rojo B, 60 steps, 40 pixels: red falls by one per pixel row.
    Canvas d(10, 40);
    PaintEffect(d.dc, RECT{0, 0, 10, 40}, 1, Palette(12), Palette(4), 60, 12);
    for (int y = 0; y < 40; ++y)
        EXPECT_EQ(d.At(3, y), RGB(254 - y, 0, 0)) << y;

    // 60 steps on 30 pixels: 30 bands changing by 2; Celeste brightens only
    // green and blue.
    Canvas e(10, 30);
    FillGradient(e.dc, RECT{0, 0, 10, 30}, 60, 3, 0, 128, 128);
    EXPECT_EQ(e.At(0, 0), RGB(0, 130, 130));
    EXPECT_EQ(e.At(0, 29), RGB(0, 188, 188));
}

TEST(Paint, PatternTilesBitsAndColours)
{
    for (int effect = 2; effect < 12; ++effect) {
        Canvas c(48, 40);
        RECT r{3, 5, 43, 37};
        int first = effect % 8, second = effect % 8 + 8;  // a dark colour and its partner
        PaintEffect(c.dc, r, effect, Palette(first), Palette(second), 60, first);
        int sum = 0;
        for (uint8_t row : EFFECT_PATTERNS[effect])
            sum += row;
        bool setInFirst = sum > 1020;
        EXPECT_EQ(setInFirst, effect == 2 || effect == 9) << EFFECT_NAMES[effect];
        // The pattern is anchored at the DC's origin, not at the rectangle.
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                bool set = (EFFECT_PATTERNS[effect][y % 8] >> (7 - x % 8)) & 1;
                COLORREF expected = Palette(set == setInFirst ? first : second);
                ASSERT_EQ(c.At(x, y), expected) << EFFECT_NAMES[effect] << " at " << x << "," << y;
            }
        EXPECT_EQ(c.At(2, 5), MARK);
        EXPECT_EQ(c.At(3, 37), MARK);
    }
}

TEST(Paint, PreviewRegionsFramesAndText)
{
    AppParams rec = Defaults();
    rec.efectoFondo = 0;
    rec.colorFondo = 1;
    rec.efectoAreas = 0;
    rec.colorLetras = 14;
    Canvas c(180, 160);
    PaintPreview(c.dc, 180, 160, rec);

    // The frame's own edge is left alone; the background fills the rest.
    EXPECT_EQ(c.At(0, 0), MARK);
    EXPECT_EQ(c.At(179, 159), MARK);
    EXPECT_EQ(c.At(1, 158), Palette(1));
    EXPECT_EQ(c.At(178, 1), Palette(1));
    EXPECT_EQ(c.At(70, 80), Palette(1));
    // Area box (71, 21)-(169, 139), raised; inner box (91, 31)-(149, 129), sunken.
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0), blanco = Palette(7);
    EXPECT_EQ(c.At(71, 80), white);
    EXPECT_EQ(c.At(72, 80), white);
    EXPECT_EQ(c.At(100, 21), white);
    EXPECT_EQ(c.At(100, 22), white);
    EXPECT_EQ(c.At(169, 80), black);
    EXPECT_EQ(c.At(168, 80), black);
    EXPECT_EQ(c.At(100, 139), black);
    EXPECT_EQ(c.At(100, 138), black);
    EXPECT_EQ(c.At(73, 80), blanco);
    EXPECT_EQ(c.At(170, 80), Palette(1));
    EXPECT_EQ(c.At(91, 80), black);
    EXPECT_EQ(c.At(120, 31), black);
    EXPECT_EQ(c.At(149, 80), white);
    EXPECT_EQ(c.At(120, 129), white);
    EXPECT_EQ(c.At(120, 80), blanco);
    EXPECT_EQ(c.At(85, 80), blanco);  // between the two boxes

    // The text, in its colour, near (5, 5): bold has more ink than normal.
    RECT text{5, 5, 70, 20};
    EXPECT_GT(c.Count(text, Palette(14)), 20);
    EXPECT_EQ(c.Count(RECT{1, 25, 60, 150}, Palette(14)), 0);
    int normalInk = 15 * 65 - c.Count(text, Palette(1));
    rec.estilo = 1;
    Canvas bold(180, 160);
    PaintPreview(bold.dc, 180, 160, rec);
    EXPECT_GT(15 * 65 - bold.Count(text, Palette(1)), normalInk + 10);
}

TEST(Paint, PreviewAreaAndInnerBoxes)
{
    AppParams rec = Defaults();
    rec.efectoFondo = 0;
    // Area effect "Gradiente": the area box brightens from Blanco; the inner
    // box is solid.
    rec.efectoAreas = 1;
    rec.gradienteAreas = 0;  // 20 steps over 118 pixels: bands of 5
    {
        Canvas c(180, 160);
        PaintPreview(c.dc, 180, 160, rec);
        EXPECT_EQ(c.At(80, 23), RGB(193, 193, 193));
        EXPECT_EQ(c.At(80, 30), RGB(194, 194, 194));
        EXPECT_EQ(c.At(80, 137), RGB(216, 216, 216));
        EXPECT_EQ(c.At(120, 40), Palette(7));
        EXPECT_EQ(c.At(120, 120), Palette(7));
    }
    // A pattern with "Usar gradiente" set: the inner box is a gradient with
    // the steps chosen for areas without effect (20 here: bands of 4).
    rec.efectoAreas = 5;
    rec.usarGradienteAreas = 1;
    rec.gradienteAreas = 2;
    rec.gradienteSinEfecto = 0;
    {
        Canvas c(180, 160);
        PaintPreview(c.dc, 180, 160, rec);
        EXPECT_EQ(c.At(120, 32), RGB(193, 193, 193));
        EXPECT_EQ(c.At(120, 40), RGB(195, 195, 195));
        EXPECT_EQ(c.At(120, 128), RGB(217, 217, 217));
        // The area box itself shows the pattern in Blanco and Gris.
        int blanco = c.Count(RECT{73, 23, 89, 137}, Palette(7));
        int gris = c.Count(RECT{73, 23, 89, 137}, Palette(8));
        EXPECT_EQ(blanco + gris, 16 * 114);
        EXPECT_GT(gris, 0);
    }
    rec.usarGradienteAreas = 0;
    {
        Canvas c(180, 160);
        PaintPreview(c.dc, 180, 160, rec);
        EXPECT_EQ(c.Count(RECT{92, 32, 149, 129}, Palette(7)), 57 * 97);
    }
}

TEST(Paint, PreviewOfForeignIndexesAndTinyFrames)
{
    AppParams rec = Defaults();
    rec.colorFondo = 200;
    rec.colorLetras = 99;
    rec.efectoFondo = 0;
    rec.efectoAreas = 77;
    rec.gradienteAreas = 250;
    rec.estilo = 9;
    std::memset(rec.font, 'F', sizeof rec.font - 1);
    Canvas c(180, 160);
    PaintPreview(c.dc, 180, 160, rec);
    // Shown as the loader would read them: Celeste B, Negro, Laberinto.
    EXPECT_EQ(c.At(2, 150), Palette(11));
    EXPECT_EQ(c.Count(RECT{73, 23, 89, 137}, Palette(7)) + c.Count(RECT{73, 23, 89, 137}, Palette(8)), 16 * 114);
    EXPECT_GT(c.Count(RECT{5, 5, 70, 20}, Palette(0)), 20);

    // Frames too small for the boxes: only the background, nothing outside.
    for (int size : {0, 1, 2, 3, 30, 75}) {
        Canvas t(100, 100);
        PaintPreview(t.dc, size, size, Defaults());
        EXPECT_EQ(t.At(99, 99), MARK);
        EXPECT_EQ(t.Count(RECT{size, 0, 100, 100}, MARK), (100 - size) * 100) << size;
    }
}
