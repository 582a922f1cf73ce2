#include "effects.h"

const Rgb PALETTE[PALETTE_SIZE] = {
    {0, 0, 0},     {0, 0, 128},   {0, 128, 0},   {0, 128, 128},   {128, 0, 0},   {128, 0, 128},
    {170, 85, 0},  {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0},   {0, 255, 255},
    {255, 0, 0},   {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
};

const uint8_t EFFECT_PATTERNS[EFFECT_COUNT][PATTERN_SIZE] = {
    {0, 0, 0, 0, 0, 0, 0, 0},                          // Ninguno
    {0, 0, 0, 0, 0, 0, 0, 0},                          // Gradiente
    {0xC1, 0xF8, 0x1E, 0xF8, 0xC1, 0x8F, 0x3C, 0x8F},  // Curvas
    {0xA9, 0xA6, 0x59, 0x65, 0x9A, 0x6A, 0x95, 0x56},  // Difuso
    {0x01, 0xFD, 0x05, 0x75, 0x45, 0x5D, 0x41, 0x7F},  // Laberinto
    {0x44, 0xA0, 0x51, 0xA2, 0x45, 0x8A, 0x15, 0x0A},  // Ladrillos
    {0x51, 0xB2, 0x10, 0x00, 0xF7, 0xB2, 0x51, 0xB2},  // Piedras
    {0xAA, 0x00, 0xAA, 0x00, 0xAA, 0x00, 0xAA, 0x00},  // Puntos
    {0x52, 0x29, 0x84, 0x42, 0x94, 0x29, 0x42, 0x84},  // Rayas
    {0x07, 0x8B, 0xDD, 0xB8, 0x70, 0xE8, 0xDD, 0x8E},  // Redes
    {0x00, 0x3C, 0x66, 0x42, 0x42, 0x66, 0x3C, 0x00},  // Circulos
    {0x18, 0x24, 0x42, 0xC3, 0xC3, 0x42, 0x24, 0x18},  // Rombos
};

const char PREVIEW_TEXT[] = "Vondra 7.4";

int PartnerColour(int index)
{
    if (index < 0 || index >= PALETTE_SIZE)
        return index;
    return index < 8 ? index + 8 : index - 8;
}

Rgb PaletteColour(unsigned index, unsigned fallback)
{
    return PALETTE[index < PALETTE_SIZE ? index : fallback % PALETTE_SIZE];
}

int GradientStepCount(unsigned stepIndex)
{
    return stepIndex == 0 ? 20 : stepIndex == 1 ? 40 : 60;
}

int PatternSum(unsigned effect)
{
    if (effect >= EFFECT_COUNT)
        return 0;
    int sum = 0;
    for (uint8_t row : EFFECT_PATTERNS[effect])
        sum += row;
    return sum;
}

int PatternTile(unsigned effect, uint32_t first, uint32_t second, uint32_t (&tile)[PATTERN_SIZE][PATTERN_SIZE])
{
    if (!IsPatternEffect(effect))
        return 0;
    bool light = PatternSum(effect) <= PATTERN_SUM_LIMIT;
    uint32_t set = light ? second : first;
    uint32_t clear = light ? first : second;
    for (int y = 0; y < PATTERN_SIZE; ++y)
        for (int k = 7; k >= 0; --k)
            tile[y][7 - k] = (EFFECT_PATTERNS[effect][y] >> k) & 1 ? set : clear;
    return 1;
}

namespace {

int Clamp(int value)
{
    return value < 0 ? 0 : value > 255 ? 255 : value;
}

int Step(int component, int delta, int direction)
{
    if (direction <= 0)
        return Clamp(component + delta);
    if (component == 0)
        return 0;
    return Clamp(direction <= 8 ? component + delta : component - delta);
}

}  // namespace

Rgb NextBandColour(Rgb c, int delta, int direction)
{
    return Rgb{Step(c.red, delta, direction), Step(c.green, delta, direction), Step(c.blue, delta, direction)};
}

namespace {

Box Inset(const Box& b, int left, int top, int right, int bottom)
{
    return Box{b.left + left, b.top + top, b.right - right, b.bottom - bottom};
}

}  // namespace

PreviewLayout LayoutPreview(int clientWidth, int clientHeight)
{
    PreviewLayout layout{};
    layout.background = Box{1, 1, clientWidth - 1, clientHeight - 1};
    layout.area = Inset(layout.background, 70, 20, 10, 20);
    layout.inner = Inset(layout.area, 20, 10, 20, 10);

    const Box& a = layout.area;
    layout.raised[0] = FrameLine{{a.left, a.bottom}, {a.left, a.top}, {a.right, a.top}, true};
    layout.raised[1] = FrameLine{{a.left + 1, a.bottom - 1}, {a.left + 1, a.top + 1}, {a.right - 1, a.top + 1}, true};
    layout.raised[2] = FrameLine{{a.left + 1, a.bottom}, {a.right, a.bottom}, {a.right, a.top + 1}, false};
    layout.raised[3] =
        FrameLine{{a.left + 2, a.bottom - 1}, {a.right - 1, a.bottom - 1}, {a.right - 1, a.top + 2}, false};

    const Box& i = layout.inner;
    layout.sunken[0] = FrameLine{{i.left, i.bottom}, {i.left, i.top}, {i.right, i.top}, false};
    layout.sunken[1] = FrameLine{{i.left + 1, i.bottom}, {i.right, i.bottom}, {i.right, i.top + 1}, true};
    return layout;
}

PreviewPlan PlanPreview(const AppParams& r)
{
    PreviewPlan plan{};
    unsigned background = r.colorFondo < PALETTE_SIZE ? r.colorFondo : 11;
    plan.backgroundEffect = r.efectoFondo < EFFECT_COUNT ? r.efectoFondo : 3;
    plan.backgroundFirst = PALETTE[background];
    plan.backgroundSecond = PALETTE[PartnerColour(static_cast<int>(background))];
    plan.backgroundSteps = GradientStepCount(r.gradienteFondo);
    plan.backgroundDirection = static_cast<int>(background);
    plan.areaEffect = r.efectoAreas < EFFECT_COUNT ? r.efectoAreas : 4;
    plan.areaSteps = GradientStepCount(r.gradienteAreas);
    // The inner box stands for an area that allows no special effect: it
    // shows the gradient chosen for such areas, with that gradient's steps.
    plan.innerGradient = r.usarGradienteAreas != 0 && IsPatternEffect(plan.areaEffect);
    plan.innerSteps = GradientStepCount(r.gradienteSinEfecto);
    plan.text = PaletteColour(r.colorLetras, 0);
    plan.weight = r.estilo == 1 ? 700 : 400;
    plan.italic = r.estilo == 2;
    return plan;
}
