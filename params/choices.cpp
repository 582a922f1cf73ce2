#include "choices.h"

#include "../base/textbuf.h"

namespace {

void Bound(uint8_t& field, unsigned count, uint8_t fallback)
{
    if (field >= count)
        field = fallback;
}

}  // namespace

int StoreEstiloChoice(AppParams& r, EstiloField field, const char* text)
{
    switch (field) {
    case ESTILO_FONT:
        CopyText(r.font, text);
        return 1;
    case ESTILO_ESTILO:
        return StoreIndex(r.estilo, FONT_STYLES, text);
    case ESTILO_FONDO:
        return StoreIndex(r.colorFondo, COLOUR_NAMES, text);
    case ESTILO_LETRAS:
        return StoreIndex(r.colorLetras, COLOUR_NAMES, text);
    case ESTILO_EFECTO_FONDO:
        return StoreIndex(r.efectoFondo, EFFECT_NAMES, text);
    case ESTILO_EFECTO_AREAS:
        return StoreIndex(r.efectoAreas, EFFECT_NAMES, text);
    case ESTILO_GRADIENTE_FONDO:
        return StoreIndex(r.gradienteFondo, GRADIENT_STEPS, text);
    case ESTILO_GRADIENTE_AREAS:
        return StoreIndex(r.gradienteAreas, GRADIENT_STEPS, text);
    case ESTILO_GRADIENTE_SIN_EFECTO:
        return StoreIndex(r.gradienteSinEfecto, GRADIENT_STEPS, text);
    }
    return 0;
}

EstiloEnables EstiloEnablesOf(const AppParams& r)
{
    EstiloEnables e;
    e.gradienteFondo = r.efectoFondo == 1;
    e.gradienteAreas = r.efectoAreas == 1;
    e.usarGradiente = r.efectoAreas > 1;
    e.gradienteSinEfecto = r.efectoAreas > 1 && r.usarGradienteAreas != 0;
    return e;
}

void DeriveEffectPre(AppParams& r)
{
    r.pre[SLOT_EFECTO_FONDO] = r.efectoFondo == 3 ? 1 : 0;
    r.pre[SLOT_EFECTO_AREAS] = r.efectoAreas == 4 ? 1 : 0;
}

void BoundAppearance(AppParams& r)
{
    Bound(r.estilo, 3, 0);
    Bound(r.efectoFondo, 12, 3);
    Bound(r.colorFondo, 16, 11);
    Bound(r.colorLetras, 16, 0);
    Bound(r.gradienteFondo, 3, 2);
    Bound(r.efectoAreas, 12, 4);
    Bound(r.gradienteAreas, 3, 2);
    Bound(r.gradienteSinEfecto, 3, 2);
}

namespace {

// Appends one sentence, with a space before all but the first.
void AddSentence(char* message, size_t size, size_t& used, int& count, const char* area, const char* rest)
{
    const char* parts[] = {count++ > 0 ? " " : "", "En ", area, rest};
    for (const char* part : parts)
        for (; *part != '\0' && used + 1 < size; ++part)
            message[used++] = *part;
    if (size > 0)
        message[used < size ? used : size - 1] = '\0';
}

}  // namespace

int CheckAreaTable(const uint8_t (&table)[AREA_COUNT][COLOUR_ROLE_COUNT], char* message, size_t size)
{
    size_t used = 0;
    int sentences = 0;
    if (size > 0)
        message[0] = '\0';
    for (int area = 0; area < AREA_COUNT; ++area) {
        const uint8_t* c = table[area];
        if (c[0] == NO_COLOUR && c[1] == NO_COLOUR && c[2] == NO_COLOUR)
            continue;
        const char* name = AREA_NAMES[area];
        if (c[0] == NO_COLOUR)
            AddSentence(message, size, used, sentences, name, " no se di\xF3 color de fondo general.");
        if (c[1] == NO_COLOUR)
            AddSentence(message, size, used, sentences, name, " no se di\xF3 color de fondo de letreros.");
        if (c[2] == NO_COLOUR)
            AddSentence(message, size, used, sentences, name, " no se di\xF3 color de letras de letreros.");
        if (c[1] == c[2] && c[1] != NO_COLOUR)
            AddSentence(message, size, used, sentences, name,
                        " el color de fondo de letreros es igual al color sus de letras.");
        if (c[3] == c[4] && c[3] != NO_COLOUR)
            AddSentence(message, size, used, sentences, name,
                        " el color de fondo de las variables en lectura es igual al color sus de letras.");
        if (c[5] == c[6] && c[5] != NO_COLOUR)
            AddSentence(message, size, used, sentences, name,
                        " el color de fondo de las variables en escritura es igual al color sus de letras.");
    }
    return sentences == 0;
}

int RcmPosition(int value, int low, int high)
{
    return value >= low && value <= high ? value - low : 0;
}
