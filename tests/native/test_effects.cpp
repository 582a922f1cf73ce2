#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "params/effects.h"
#include "recordfix.h"

namespace {

std::vector<GradientBand> Bands(int top, int bottom, int steps, int direction, Rgb start)
{
    std::vector<GradientBand> bands;
    ForEachGradientBand(top, bottom, steps, direction, start, [&](const GradientBand& b) { bands.push_back(b); });
    return bands;
}

using recordfix::Defaults;

bool Same(Rgb a, Rgb b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

}  // namespace

TEST(Palette, ColoursPartnersAndGdiValues)
{
    const Rgb expected[16] = {{0, 0, 0},       {0, 0, 128},     {0, 128, 0},   {0, 128, 128},
                              {128, 0, 0},     {128, 0, 128},   {170, 85, 0},  {192, 192, 192},
                              {128, 128, 128}, {0, 0, 255},     {0, 255, 0},   {0, 255, 255},
                              {255, 0, 0},     {255, 0, 255},   {255, 255, 0}, {255, 255, 255}};
    for (int i = 0; i < 16; ++i) {
        EXPECT_TRUE(Same(PALETTE[i], expected[i])) << COLOUR_NAMES[i];
        EXPECT_EQ(PartnerColour(i), i < 8 ? i + 8 : i - 8);
        EXPECT_EQ(PartnerColour(PartnerColour(i)), i);
    }
    EXPECT_EQ(ColourValue(PALETTE[6]), 170u + 85u * 256u);  // Cafe
    EXPECT_EQ(ColourValue(PALETTE[9]), 255u * 65536u);      // Azul B
    EXPECT_EQ(ColourValue(PALETTE[15]), 0xFFFFFFu);

    // Indexes outside the palette never read past it.
    EXPECT_EQ(PartnerColour(16), 16);
    EXPECT_EQ(PartnerColour(-1), -1);
    EXPECT_TRUE(Same(PaletteColour(16, 11), PALETTE[11]));
    EXPECT_TRUE(Same(PaletteColour(255, 0), PALETTE[0]));
    EXPECT_TRUE(Same(PaletteColour(4, 0), PALETTE[4]));
}

TEST(Gradient, StepCountsAndBandsOfTheDocumentedCases)
{
    EXPECT_EQ(GradientStepCount(0), 20);
    EXPECT_EQ(GradientStepCount(1), 40);
    EXPECT_EQ(GradientStepCount(2), 60);
    EXPECT_EQ(GradientStepCount(3), 60);
    EXPECT_EQ(GradientStepCount(255), 60);

    // Negro, 20 steps, 98 pixels: 24 bands of 4 and a last one of 2.
    auto bands = Bands(10, 108, 20, 0, PALETTE[0]);
    ASSERT_EQ(bands.size(), 25u);
    for (size_t i = 0; i < bands.size(); ++i) {
        int v = static_cast<int>(i) + 1;
        EXPECT_TRUE(Same(bands[i].colour, Rgb{v, v, v})) << i;
        EXPECT_EQ(bands[i].top, 10 + 4 * static_cast<int>(i));
        EXPECT_EQ(bands[i].bottom, i < 24 ? bands[i].top + 4 : 108);
    }

    // Rojo B, 60 steps, 40 pixels: one pixel per band, red falling from 254.
    bands = Bands(0, 40, 60, 12, PALETTE[12]);
    ASSERT_EQ(bands.size(), 40u);
    for (size_t i = 0; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i].bottom - bands[i].top, 1);
        EXPECT_TRUE(Same(bands[i].colour, Rgb{254 - static_cast<int>(i), 0, 0})) << i;
    }

    // Fewer pixels than steps: 30 bands of one pixel, changing by 2.
    bands = Bands(0, 30, 60, 0, PALETTE[0]);
    ASSERT_EQ(bands.size(), 30u);
    EXPECT_TRUE(Same(bands[0].colour, Rgb{2, 2, 2}));
    EXPECT_TRUE(Same(bands[29].colour, Rgb{60, 60, 60}));
}

TEST(Gradient, DirectionClampingAndDegenerateRegions)
{
    // Dark colours brighten only the components they have; bright ones darken.
    EXPECT_TRUE(Same(NextBandColour(PALETTE[3], 1, 3), Rgb{0, 129, 129}));
    EXPECT_TRUE(Same(NextBandColour(PALETTE[7], 2, 7), Rgb{194, 194, 194}));
    EXPECT_TRUE(Same(NextBandColour(PALETTE[11], 1, 11), Rgb{0, 254, 254}));
    EXPECT_TRUE(Same(NextBandColour(PALETTE[0], 3, 0), Rgb{3, 3, 3}));
    // Clamped at both ends; a component darkened to 0 stays there.
    EXPECT_TRUE(Same(NextBandColour(Rgb{254, 0, 255}, 2, 5), Rgb{255, 0, 255}));
    EXPECT_TRUE(Same(NextBandColour(Rgb{1, 255, 0}, 2, 9), Rgb{0, 253, 0}));
    EXPECT_TRUE(Same(NextBandColour(Rgb{0, 253, 0}, 2, 9), Rgb{0, 251, 0}));

    EXPECT_TRUE(Bands(5, 5, 20, 0, PALETTE[0]).empty());
    EXPECT_TRUE(Bands(5, 2, 20, 0, PALETTE[0]).empty());
    // A step count below 1 counts as one step: one band over everything.
    auto bands = Bands(0, 7, 0, 0, PALETTE[0]);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].bottom, 7);
    // Bands always cover the region exactly, without gaps.
    for (int height = 1; height < 130; ++height)
        for (int steps : {20, 40, 60}) {
            int y = 0;
            for (const GradientBand& b : Bands(0, height, steps, 7, PALETTE[7])) {
                EXPECT_EQ(b.top, y);
                EXPECT_GT(b.bottom, b.top);
                y = b.bottom;
            }
            EXPECT_EQ(y, height);
        }
}

TEST(Pattern, RowsSumsAndColourOfTheSetBits)
{
    const int sums[12] = {0, 0, 1258, 1020, 730, 709, 959, 680, 708, 1258, 456, 642};
    const uint32_t first = 0x111111, second = 0x222222;
    for (unsigned effect = 0; effect < 12; ++effect) {
        EXPECT_EQ(PatternSum(effect), sums[effect]) << EFFECT_NAMES[effect];
        uint32_t tile[8][8];
        std::memset(tile, 0, sizeof tile);
        if (effect < 2) {
            EXPECT_EQ(PatternTile(effect, first, second, tile), 0);
            continue;
        }
        ASSERT_EQ(PatternTile(effect, first, second, tile), 1);
        bool setInFirst = effect == 2 || effect == 9;  // Curvas and Redes
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                bool set = (EFFECT_PATTERNS[effect][y] & (0x80 >> x)) != 0;
                EXPECT_EQ(tile[y][x], set == setInFirst ? first : second) << EFFECT_NAMES[effect] << x << y;
            }
    }
    uint32_t unused[8][8];
    EXPECT_EQ(PatternTile(12, first, second, unused), 0);
    EXPECT_EQ(PatternTile(255, first, second, unused), 0);

    // Puntos with Azul: every other pixel of every other row in Azul B.
    uint32_t tile[8][8];
    PatternTile(7, ColourValue(PALETTE[1]), ColourValue(PALETTE[9]), tile);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(tile[y][x], ColourValue(PALETTE[(y % 2 == 0 && x % 2 == 0) ? 9 : 1])) << x << "," << y;
    // Curvas with Verde: the set bits of the first row (C1) in Verde.
    PatternTile(2, ColourValue(PALETTE[2]), ColourValue(PALETTE[10]), tile);
    EXPECT_EQ(tile[0][0], ColourValue(PALETTE[2]));
    EXPECT_EQ(tile[0][1], ColourValue(PALETTE[2]));
    EXPECT_EQ(tile[0][2], ColourValue(PALETTE[10]));
    EXPECT_EQ(tile[0][7], ColourValue(PALETTE[2]));
}

TEST(Preview, LayoutOfRegionsAndFrames)
{
    PreviewLayout l = LayoutPreview(180, 160);
    EXPECT_EQ(l.background.left, 1);
    EXPECT_EQ(l.background.top, 1);
    EXPECT_EQ(l.background.right, 179);
    EXPECT_EQ(l.background.bottom, 159);
    EXPECT_EQ(l.area.left, 71);
    EXPECT_EQ(l.area.top, 21);
    EXPECT_EQ(l.area.right, 169);
    EXPECT_EQ(l.area.bottom, 139);
    EXPECT_EQ(l.inner.left, 91);
    EXPECT_EQ(l.inner.top, 31);
    EXPECT_EQ(l.inner.right, 149);
    EXPECT_EQ(l.inner.bottom, 129);

    // Raised: white on the left and top, black on the right and bottom.
    EXPECT_TRUE(l.raised[0].white && l.raised[1].white && !l.raised[2].white && !l.raised[3].white);
    EXPECT_EQ(l.raised[0].from.y, 139);
    EXPECT_EQ(l.raised[0].corner.x, 71);
    EXPECT_EQ(l.raised[0].to.x, 169);
    EXPECT_EQ(l.raised[3].from.x, 73);
    EXPECT_EQ(l.raised[3].corner.x, 168);
    EXPECT_EQ(l.raised[3].to.y, 23);
    // Sunken: black on the left and top, white on the right and bottom.
    EXPECT_FALSE(l.sunken[0].white);
    EXPECT_TRUE(l.sunken[1].white);
    EXPECT_EQ(l.sunken[1].from.x, 92);
    EXPECT_EQ(l.sunken[1].corner.y, 129);
    EXPECT_EQ(l.sunken[1].to.y, 32);

    // A frame too small for the boxes gives empty boxes, which paint nothing.
    PreviewLayout tiny = LayoutPreview(60, 30);
    EXPECT_FALSE(IsEmptyBox(tiny.background));
    EXPECT_TRUE(IsEmptyBox(tiny.area));
    EXPECT_TRUE(IsEmptyBox(tiny.inner));
}

TEST(Preview, PlanFollowsTheRecord)
{
    AppParams r = Defaults();
    PreviewPlan p = PlanPreview(r);
    EXPECT_EQ(p.backgroundEffect, 3u);
    EXPECT_TRUE(Same(p.backgroundFirst, PALETTE[11]));
    EXPECT_TRUE(Same(p.backgroundSecond, PALETTE[3]));
    EXPECT_EQ(p.backgroundDirection, 11);
    EXPECT_EQ(p.backgroundSteps, 60);
    EXPECT_EQ(p.areaEffect, 4u);
    EXPECT_TRUE(Same(p.text, PALETTE[0]));
    EXPECT_EQ(p.weight, 400);
    EXPECT_EQ(p.italic, 0);

    r.estilo = 1;
    EXPECT_EQ(PlanPreview(r).weight, 700);
    r.estilo = 2;
    EXPECT_EQ(PlanPreview(r).weight, 400);
    EXPECT_EQ(PlanPreview(r).italic, 1);

    // The inner box is a gradient exactly when asked for and the area
    // effect is a pattern; its steps are those chosen for such areas.
    r.efectoAreas = 5;
    r.usarGradienteAreas = 1;
    r.gradienteAreas = 0;
    r.gradienteSinEfecto = 1;
    p = PlanPreview(r);
    EXPECT_EQ(p.innerGradient, 1);
    EXPECT_EQ(p.innerSteps, 40);
    EXPECT_EQ(p.areaSteps, 20);
    r.usarGradienteAreas = 0;
    EXPECT_EQ(PlanPreview(r).innerGradient, 0);
    r.usarGradienteAreas = 1;
    for (uint8_t effect : {0, 1}) {
        r.efectoAreas = effect;
        EXPECT_EQ(PlanPreview(r).innerGradient, 0) << +effect;
    }
}

TEST(Preview, IndexesOutsideTheirTablesShowTheDefaults)
{
    AppParams r = Defaults();
    r.colorFondo = 200;
    r.colorLetras = 16;
    r.efectoFondo = 12;
    r.efectoAreas = 255;
    r.gradienteFondo = 9;
    r.estilo = 77;
    PreviewPlan p = PlanPreview(r);
    EXPECT_TRUE(Same(p.backgroundFirst, PALETTE[11]));
    EXPECT_TRUE(Same(p.backgroundSecond, PALETTE[3]));
    EXPECT_EQ(p.backgroundDirection, 11);
    EXPECT_TRUE(Same(p.text, PALETTE[0]));
    EXPECT_EQ(p.backgroundEffect, 3u);
    EXPECT_EQ(p.areaEffect, 4u);
    EXPECT_EQ(p.backgroundSteps, 60);
    EXPECT_EQ(p.weight, 400);
    EXPECT_EQ(p.italic, 0);
}
