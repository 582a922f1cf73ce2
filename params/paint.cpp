#include "appearance.h"

namespace {

// A GDI object deleted when the holder goes.
struct GdiObject {
    HGDIOBJ object;
    explicit GdiObject(HGDIOBJ o) : object(o) {}
    ~GdiObject()
    {
        if (object != nullptr)
            DeleteObject(object);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
};

bool IsEmptyRect(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

RECT ToRect(const Box& b)
{
    return RECT{b.left, b.top, b.right, b.bottom};
}

COLORREF ToColour(const Rgb& c)
{
    return static_cast<COLORREF>(ColourValue(c));
}

}  // namespace

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    if (IsEmptyRect(rect))
        return;
    GdiObject brush(CreateSolidBrush(colour));
    if (brush.object != nullptr)
        FillRect(dc, &rect, static_cast<HBRUSH>(brush.object));
}

void FillGradient(HDC dc, const RECT& rect, int steps, int direction, int red, int green, int blue)
{
    if (IsEmptyRect(rect))
        return;
    ForEachGradientBand(rect.top, rect.bottom, steps, direction, Rgb{red, green, blue}, [&](const GradientBand& band) {
        RECT piece{rect.left, band.top, rect.right, band.bottom};
        FillSolid(dc, piece, ToColour(band.colour));
    });
}

// GDI fills with a pattern brush row by row, one brush width at a time, so
// the tile is repeated across a wider brush, which paints the same pixels
// several times faster. The brush is built from bits in memory: selecting a
// bitmap into a memory DC costs more under some GDIs than the whole fill.
enum { PATTERN_BRUSH_WIDTH = 256 };

struct PatternBits {
    BITMAPINFOHEADER header;
    uint32_t rows[PATTERN_SIZE][PATTERN_BRUSH_WIDTH];  // bottom row first
};

void FillPattern(HDC dc, const RECT& rect, int effect, COLORREF first, COLORREF second)
{
    uint32_t tile[PATTERN_SIZE][PATTERN_SIZE];
    if (IsEmptyRect(rect) || !PatternTile(static_cast<unsigned>(effect), first, second, tile))
        return;
    PatternBits bits;
    bits.header = BITMAPINFOHEADER{};
    bits.header.biSize = sizeof bits.header;
    bits.header.biWidth = PATTERN_BRUSH_WIDTH;
    bits.header.biHeight = PATTERN_SIZE;
    bits.header.biPlanes = 1;
    bits.header.biBitCount = 32;
    bits.header.biCompression = BI_RGB;
    for (int y = 0; y < PATTERN_SIZE; ++y)
        for (int x = 0; x < PATTERN_SIZE; ++x) {
            COLORREF c = tile[y][x];
            uint32_t pixel = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            for (int repeat = x; repeat < PATTERN_BRUSH_WIDTH; repeat += PATTERN_SIZE)
                bits.rows[PATTERN_SIZE - 1 - y][repeat] = pixel;
        }
    GdiObject brush(CreateDIBPatternBrushPt(&bits, DIB_RGB_COLORS));
    if (brush.object == nullptr)
        return;
    // The pattern is anchored at the device context's origin, so that
    // neighbouring fills continue it seamlessly.
    POINT oldOrigin;
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    FillRect(dc, &rect, static_cast<HBRUSH>(brush.object));
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void PaintEffect(HDC dc, const RECT& rect, int effect, COLORREF first, COLORREF second, int steps, int direction)
{
    if (effect == EFFECT_NINGUNO)
        FillSolid(dc, rect, first);
    else if (effect == EFFECT_GRADIENTE)
        FillGradient(dc, rect, steps, direction, GetRValue(first), GetGValue(first), GetBValue(first));
    else if (IsPatternEffect(static_cast<unsigned>(effect)))
        FillPattern(dc, rect, effect, first, second);
}

namespace {

void DrawFrameLine(HDC dc, const FrameLine& line)
{
    SelectObject(dc, GetStockObject(line.white ? WHITE_PEN : BLACK_PEN));
    MoveToEx(dc, line.from.x, line.from.y, nullptr);
    LineTo(dc, line.corner.x, line.corner.y);
    LineTo(dc, line.to.x, line.to.y);
}

}  // namespace

void PaintPreview(HDC dc, int clientWidth, int clientHeight, const AppParams& record)
{
    PreviewPlan plan = PlanPreview(record);
    PreviewLayout layout = LayoutPreview(clientWidth, clientHeight);
    PaintEffect(dc, ToRect(layout.background), static_cast<int>(plan.backgroundEffect),
                ToColour(plan.backgroundFirst), ToColour(plan.backgroundSecond), plan.backgroundSteps,
                plan.backgroundDirection);

    const Rgb area = PALETTE[AREA_COLOUR];
    if (!IsEmptyBox(layout.area)) {
        PaintEffect(dc, ToRect(layout.area), static_cast<int>(plan.areaEffect), ToColour(area),
                    ToColour(PALETTE[AREA_PARTNER]), plan.areaSteps, AREA_DIRECTION);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
        for (const FrameLine& line : layout.raised)
            DrawFrameLine(dc, line);
        if (!IsEmptyBox(layout.inner)) {
            if (plan.innerGradient)
                FillGradient(dc, ToRect(layout.inner), plan.innerSteps, AREA_DIRECTION, area.red, area.green,
                             area.blue);
            else
                FillSolid(dc, ToRect(layout.inner), ToColour(area));
            for (const FrameLine& line : layout.sunken)
                DrawFrameLine(dc, line);
        }
        SelectObject(dc, oldPen);
    }

    // The face is the record's own text: terminated within its field by the
    // loader, and cut here to what a LOGFONT holds.
    char face[LF_FACESIZE];
    lstrcpynA(face, record.font, sizeof face);
    GdiObject font(CreateFontA(-PREVIEW_TEXT_HEIGHT, 0, 0, 0, plan.weight, plan.italic ? TRUE : FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, face));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, ToColour(plan.text));
    UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP);
    HGDIOBJ oldFont = font.object != nullptr ? SelectObject(dc, font.object) : nullptr;
    // Clipped to the frame, as the frame's own device context would be.
    RECT client{0, 0, clientWidth, clientHeight};
    ExtTextOutA(dc, PREVIEW_TEXT_X, PREVIEW_TEXT_Y, ETO_CLIPPED, &client, PREVIEW_TEXT,
                static_cast<UINT>(lstrlenA(PREVIEW_TEXT)), nullptr);
    if (oldFont != nullptr)
        SelectObject(dc, oldFont);
    SetTextAlign(dc, oldAlign);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

void PaintAppearancePreview(HWND dialog, const AppParams& record)
{
    HWND frame = GetDlgItem(dialog, profile.paramForms->estilo.preview);
    if (frame == nullptr)
        return;
    RECT client;
    GetClientRect(frame, &client);
    HDC dc = GetDC(frame);
    if (dc == nullptr)
        return;
    PaintPreview(dc, client.right, client.bottom, record);
    ReleaseDC(frame, dc);
}
