// Any bytes read as an entry file leave a record that is safe to use.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "params/record.h"

#define CHECK(x) \
    if (!(x))    \
    std::abort()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AppParams r;
    std::memset(&r, 0xAB, sizeof r);
    SetEntryDefaults(r);
    ApplyEntryBytes(r, data, size);

    const char* texts[] = {r.nombre, r.ipServidor, r.parametrosP, r.letraModerno, r.letraDecorativo, r.letraRomano,
                           r.letraSuizo, r.letraManuscrito, r.font, r.directaDirectorio, r.directaNombre,
                           r.correoEnviador, r.correoServidor, r.correoClave, r.tiempo};
    for (const char* text : texts)
        CHECK(std::strlen(text) < TEXT_FIELD);
    CHECK(std::strlen(r.tiempo) < sizeof r.tiempo);
    CHECK(std::strlen(r.ipServidor) < sizeof r.ipServidor);

    // Every index field names an entry of its table.
    CHECK(ChoiceText(SEND_MODE_CODES, r.envio)[0] != '\0');
    CHECK(ChoiceText(SEND_MODE_TEXTS, r.envio)[0] != '\0');
    CHECK(ChoiceText(FONT_STYLES, r.estilo)[0] != '\0');
    CHECK(ChoiceText(EFFECT_NAMES, r.efectoFondo)[0] != '\0');
    CHECK(ChoiceText(EFFECT_NAMES, r.efectoAreas)[0] != '\0');
    CHECK(ChoiceText(COLOUR_NAMES, r.colorFondo)[0] != '\0');
    CHECK(ChoiceText(COLOUR_NAMES, r.colorLetras)[0] != '\0');
    CHECK(ChoiceText(WINDOW_SIZES, r.tamano)[0] != '\0');
    CHECK(ChoiceText(GRADIENT_STEPS, r.gradienteFondo)[0] != '\0');
    CHECK(ChoiceText(GRADIENT_STEPS, r.gradienteAreas)[0] != '\0');
    CHECK(ChoiceText(GRADIENT_STEPS, r.gradienteSinEfecto)[0] != '\0');
    CHECK(ChoiceText(MARGINS, r.margen)[0] != '\0');
    CHECK(ChoiceText(IMAGE_FORMATS, r.imagen)[0] != '\0');
    for (auto& row : r.areas)
        for (uint8_t colour : row)
            CHECK(colour <= NO_COLOUR);

    // Reading the record back as a file gives the same record.
    AppParams again = r;
    ApplyEntryBytes(again, &r, sizeof r);
    CHECK(std::memcmp(&again, &r, sizeof r) == 0);
    return 0;
}
