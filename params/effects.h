// Colours, effects and the layout of the appearance preview: everything that
// decides which pixel gets which colour, without windows.h.
#pragma once

#include <cstdint>

#include "record.h"

struct Rgb {
    int red, green, blue;
};

enum {
    PALETTE_SIZE = 16,
    EFFECT_NINGUNO = 0,
    EFFECT_GRADIENTE = 1,
    EFFECT_FIRST_PATTERN = 2,
    EFFECT_COUNT = 12,
    PATTERN_SIZE = 8,
    // Patterns whose rows add up to more than this draw their set bits in
    // the first colour; the others in the second.
    PATTERN_SUM_LIMIT = 1020
};

extern const Rgb PALETTE[PALETTE_SIZE];
// Rows of each effect's 8 x 8 pattern, top first, bit 7 leftmost; the rows of
// the solid and gradient effects are zero.
extern const uint8_t EFFECT_PATTERNS[EFFECT_COUNT][PATTERN_SIZE];

// A GDI colour: red + 256 * green + 65536 * blue.
inline uint32_t ColourValue(Rgb c)
{
    return static_cast<uint32_t>(c.red) + 256u * static_cast<uint32_t>(c.green) +
           65536u * static_cast<uint32_t>(c.blue);
}

// Each dark colour with its bright one; an index outside the palette gives
// itself back.
int PartnerColour(int index);

// The palette colour of an index; an index outside the palette takes the
// colour of fallback, which must be inside.
Rgb PaletteColour(unsigned index, unsigned fallback);

// 20, 40 or 60 steps for a GRADIENT_STEPS index; 60 for any other index.
int GradientStepCount(unsigned stepIndex);

inline bool IsPatternEffect(unsigned effect)
{
    return effect >= EFFECT_FIRST_PATTERN && effect < EFFECT_COUNT;
}

int PatternSum(unsigned effect);

// The tile of a pattern effect: tile[y][x] is the colour of pixel (x, y).
// Returns 0, tile untouched, for an effect that is no pattern.
int PatternTile(unsigned effect, uint32_t first, uint32_t second, uint32_t (&tile)[PATTERN_SIZE][PATTERN_SIZE]);

struct GradientBand {
    int top, bottom;
    Rgb colour;
};

// The colour of the next band: D 0 (or less) brightens every component,
// D 1 to 8 brightens the components that are not 0, D 9 or more darkens
// them; each result is clamped to 0..255.
Rgb NextBandColour(Rgb colour, int delta, int direction);

// Calls band(const GradientBand&) for each horizontal band of a gradient of
// the given steps over top..bottom, from the top down. The first band is
// already one change away from start; the last one is cut at bottom. A step
// count below 1 counts as 1.
template <typename Band>
void ForEachGradientBand(int top, int bottom, int steps, int direction, Rgb start, Band band)
{
    if (bottom <= top)
        return;
    long long height = static_cast<long long>(bottom) - top;
    if (steps < 1)
        steps = 1;
    long long bandHeight = height / steps;
    int delta = 1;
    if (bandHeight < 1) {
        bandHeight = 1;
        delta = static_cast<int>(steps / height);
    }
    Rgb colour = start;
    for (long long y = top; y < bottom; y += bandHeight) {
        colour = NextBandColour(colour, delta, direction);
        long long end = y + bandHeight < bottom ? y + bandHeight : bottom;
        band(GradientBand{static_cast<int>(y), static_cast<int>(end), colour});
    }
}

struct Box {
    int left, top, right, bottom;
};

inline bool IsEmptyBox(const Box& b)
{
    return b.right <= b.left || b.bottom <= b.top;
}

struct Point {
    int x, y;
};

// Two joined segments drawn with LineTo: the last point is not drawn.
struct FrameLine {
    Point from, corner, to;
    bool white;
};

struct PreviewLayout {
    Box background;  // the frame's client area moved in by one pixel
    Box area;        // the box standing for an area (secondary window)
    Box inner;       // the box inside it that allows no special effect
    FrameLine raised[4];
    FrameLine sunken[2];
};

PreviewLayout LayoutPreview(int clientWidth, int clientHeight);

// Where the preview's text starts, in the frame's client area, and its height.
enum { PREVIEW_TEXT_X = 5, PREVIEW_TEXT_Y = 5, PREVIEW_TEXT_HEIGHT = 12 };
extern const char PREVIEW_TEXT[];

// The colours of the area boxes: Blanco and its partner Gris, direction 7.
enum { AREA_COLOUR = 7, AREA_PARTNER = 8, AREA_DIRECTION = 7 };

// What the preview shows for a record. Index fields outside their tables are
// shown as the loader would read them: at their defaults.
struct PreviewPlan {
    unsigned backgroundEffect;
    Rgb backgroundFirst, backgroundSecond;
    int backgroundSteps;
    int backgroundDirection;
    unsigned areaEffect;
    int areaSteps;
    int innerGradient;  // 1: the inner box is a gradient, else solid
    int innerSteps;
    Rgb text;
    int weight;  // 700 bold, 400 normal
    int italic;
};

PreviewPlan PlanPreview(const AppParams& record);
