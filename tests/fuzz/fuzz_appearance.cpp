// Any bytes as a record, with its index fields taken raw as an editor could
// hold them: the preview plan, the parameter kinds, the area check and the
// gradient bands stay inside their tables and buffers.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "params/choices.h"
#include "params/effects.h"
#include "params/kinds.h"

#define CHECK(x) \
    if (!(x))    \
    std::abort()

namespace {

bool InPalette(const Rgb& c)
{
    for (const Rgb& p : PALETTE)
        if (p.red == c.red && p.green == c.green && p.blue == c.blue)
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AppParams r;
    std::memset(&r, 0, sizeof r);
    SetEntryDefaults(r);
    ApplyEntryBytes(r, data, size);
    // The index fields as they came, past the loader's bounds.
    if (size >= sizeof r) {
        const AppParams* raw = reinterpret_cast<const AppParams*>(data);
        r.estilo = raw->estilo;
        r.efectoFondo = raw->efectoFondo;
        r.colorFondo = raw->colorFondo;
        r.colorLetras = raw->colorLetras;
        r.tamano = raw->tamano;
        r.envio = raw->envio;
        r.efectoAreas = raw->efectoAreas;
        r.gradienteFondo = raw->gradienteFondo;
        r.gradienteAreas = raw->gradienteAreas;
        r.gradienteSinEfecto = raw->gradienteSinEfecto;
        r.margen = raw->margen;
        std::memcpy(r.areas, raw->areas, sizeof r.areas);
    }

    PreviewPlan plan = PlanPreview(r);
    CHECK(plan.backgroundEffect < EFFECT_COUNT && plan.areaEffect < EFFECT_COUNT);
    CHECK(InPalette(plan.backgroundFirst) && InPalette(plan.backgroundSecond) && InPalette(plan.text));
    CHECK(plan.backgroundDirection >= 0 && plan.backgroundDirection < PALETTE_SIZE);

    for (int kind = -1; kind < 34; ++kind) {
        AppParams copy = r;
        for (int set = 0; set < 2; ++set) {
            const char* shown = ApplyKindPre(copy, kind, set);
            if (shown != nullptr)
                CHECK(std::strlen(shown) < TEXT_FIELD);
        }
        for (size_t i = 0; i <= KindItemCount(kind); ++i)
            CHECK(std::strlen(KindItem(kind, i)) < 32);
    }

    char message[AREA_MESSAGE_SIZE];
    CheckAreaTable(r.areas, message, sizeof message);
    CHECK(std::memchr(message, '\0', sizeof message) != nullptr);
    char small[7];
    CheckAreaTable(r.areas, small, sizeof small);
    CHECK(std::memchr(small, '\0', sizeof small) != nullptr);

    AppParams bounded = r;
    BoundAppearance(bounded);
    CHECK(bounded.colorFondo < 16 && bounded.colorLetras < 16 && bounded.efectoFondo < 12 &&
          bounded.efectoAreas < 12 && bounded.estilo < 3 && bounded.gradienteFondo < 3);

    if (size >= 8) {
        int top = static_cast<int16_t>(data[0] | data[1] << 8);
        int height = data[2] | (data[3] & 0x0F) << 8;
        int steps = static_cast<int8_t>(data[4]);
        int direction = static_cast<int8_t>(data[5]);
        Rgb start{data[6], data[7], data[6] ^ data[7]};
        int y = top;
        ForEachGradientBand(top, top + height, steps, direction, start, [&](const GradientBand& b) {
            CHECK(b.top == y && b.bottom > b.top && b.bottom <= top + height);
            CHECK(b.colour.red >= 0 && b.colour.red <= 255 && b.colour.green >= 0 && b.colour.green <= 255 &&
                  b.colour.blue >= 0 && b.colour.blue <= 255);
            y = b.bottom;
        });
        CHECK(height == 0 || y == top + height);
        uint32_t tile[PATTERN_SIZE][PATTERN_SIZE];
        PatternTile(data[4], 1, 2, tile);
    }
    return 0;
}
