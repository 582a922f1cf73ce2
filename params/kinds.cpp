#include "kinds.h"

namespace {

const char PREDETERMINADO[] = "Predeterminado";

template <size_t N, size_t W>
const char* Item(const char (&table)[N][W], size_t position)
{
    return ChoiceText(table, static_cast<unsigned>(position < N ? position : N));
}

// One row per kind. Field pointers are empty where the kind has no index
// to reset; slot is -1 where no pre flag is recorded.
struct KindRule {
    int kind;
    KindList list;
    size_t count;
    const char* (*item)(size_t position);
    const char* (*shown)(const AppParams& record);  // nullptr: shows nothing
    const char* preset;                             // shown under a set box
    uint8_t AppParams::*field;
    uint8_t presetIndex;
    int slot;
};

const char* NoItem(size_t)
{
    return "";
}

// The window sizes are listed with "Auto" first.
const char* WindowSizeItem(size_t position)
{
    for (unsigned index = 0; index < 6; ++index)
        if (WINDOW_SIZE_ORDER[index] == position)
            return WINDOW_SIZES[index];
    return "";
}

// The sixteen colours and one empty item for "no colour".
const char* AreaColourItem(size_t position)
{
    return position < 16 ? COLOUR_NAMES[position] : "";
}

const KindRule RULES[] = {
    {KIND_MODERNO, KIND_LIST_FONTS, 0, NoItem, [](const AppParams& r) -> const char* { return r.letraModerno; },
     "Courier New", nullptr, 0, -1},
    {KIND_DECORATIVO, KIND_LIST_FONTS, 0, NoItem,
     [](const AppParams& r) -> const char* { return r.letraDecorativo; }, "Lucida Calligraphy", nullptr, 0, -1},
    {KIND_ROMANO, KIND_LIST_FONTS, 0, NoItem, [](const AppParams& r) -> const char* { return r.letraRomano; },
     "Times New Roman", nullptr, 0, -1},
    {KIND_SUIZO, KIND_LIST_FONTS, 0, NoItem, [](const AppParams& r) -> const char* { return r.letraSuizo; }, "Arial",
     nullptr, 0, -1},
    {KIND_MANUSCRITO, KIND_LIST_FONTS, 0, NoItem,
     [](const AppParams& r) -> const char* { return r.letraManuscrito; }, "Lucida Handwriting", nullptr, 0, -1},
    {KIND_ENVIO, KIND_LIST_TABLE, 3, [](size_t p) { return Item(SEND_MODE_TEXTS, p); },
     [](const AppParams& r) { return ChoiceText(SEND_MODE_TEXTS, r.envio); }, "CXC=Campo por Campo", nullptr, 0, -1},
    {KIND_FONT, KIND_LIST_FONTS, 0, NoItem, [](const AppParams& r) -> const char* { return r.font; },
     PREDETERMINADO, nullptr, 0, SLOT_FONT},
    {KIND_ESTILO, KIND_LIST_TABLE, 3, [](size_t p) { return Item(FONT_STYLES, p); },
     [](const AppParams& r) { return ChoiceText(FONT_STYLES, r.estilo); }, "Normal", &AppParams::estilo, 0,
     SLOT_ESTILO},
    {KIND_EFECTO_FONDO, KIND_LIST_TABLE, 12, [](size_t p) { return Item(EFFECT_NAMES, p); },
     [](const AppParams& r) { return ChoiceText(EFFECT_NAMES, r.efectoFondo); }, "Difuso", &AppParams::efectoFondo,
     3, SLOT_EFECTO_FONDO},
    {KIND_FONDO, KIND_LIST_TABLE, 16, [](size_t p) { return Item(COLOUR_NAMES, p); },
     [](const AppParams& r) { return ChoiceText(COLOUR_NAMES, r.colorFondo); }, "Celeste B", &AppParams::colorFondo,
     11, SLOT_FONDO},
    {KIND_LETRAS, KIND_LIST_TABLE, 16, [](size_t p) { return Item(COLOUR_NAMES, p); },
     [](const AppParams& r) { return ChoiceText(COLOUR_NAMES, r.colorLetras); }, "Negro", &AppParams::colorLetras, 0,
     SLOT_LETRAS},
    {KIND_TAMANO, KIND_LIST_TABLE, 6, WindowSizeItem,
     [](const AppParams& r) { return ChoiceText(WINDOW_SIZES, r.tamano); }, PREDETERMINADO, nullptr, 0, -1},
    {KIND_EFECTO_AREAS, KIND_LIST_TABLE, 12, [](size_t p) { return Item(EFFECT_NAMES, p); },
     [](const AppParams& r) { return ChoiceText(EFFECT_NAMES, r.efectoAreas); }, "Laberinto", &AppParams::efectoAreas,
     4, SLOT_EFECTO_AREAS},
    {KIND_GRADIENTE_FONDO, KIND_LIST_TABLE, 3, [](size_t p) { return Item(GRADIENT_STEPS, p); },
     [](const AppParams& r) { return ChoiceText(GRADIENT_STEPS, r.gradienteFondo); }, nullptr, nullptr, 0, -1},
    {KIND_GRADIENTE_AREAS, KIND_LIST_TABLE, 3, [](size_t p) { return Item(GRADIENT_STEPS, p); },
     [](const AppParams& r) { return ChoiceText(GRADIENT_STEPS, r.gradienteAreas); }, nullptr, nullptr, 0, -1},
    {KIND_GRADIENTE_SIN_EFECTO, KIND_LIST_TABLE, 3, [](size_t p) { return Item(GRADIENT_STEPS, p); },
     [](const AppParams& r) { return ChoiceText(GRADIENT_STEPS, r.gradienteSinEfecto); }, nullptr, nullptr, 0, -1},
    {KIND_DIRECTORIO, KIND_LIST_NONE, 0, NoItem,
     [](const AppParams& r) -> const char* { return r.directaDirectorio; }, "C:\\", nullptr, 0, -1},
    {KIND_NOMBRE_DIRECTA, KIND_LIST_NONE, 0, NoItem,
     [](const AppParams& r) -> const char* { return r.directaNombre; }, "PRN", nullptr, 0, -1},
    {KIND_MARGEN, KIND_LIST_TABLE, 6, [](size_t p) { return Item(MARGINS, p); },
     [](const AppParams& r) { return ChoiceText(MARGINS, r.margen); }, "1.0", nullptr, 0, -1},
    {KIND_IMAGEN, KIND_LIST_TABLE, 3, [](size_t p) { return Item(IMAGE_FORMATS, p); }, nullptr, nullptr, nullptr, 0,
     -1},
    {KIND_AREA, KIND_LIST_TABLE, AREA_COUNT, [](size_t p) { return Item(AREA_NAMES, p); }, nullptr, nullptr, nullptr,
     0, -1},
    {KIND_AREA_COLOUR, KIND_LIST_TABLE, 17, AreaColourItem, nullptr, nullptr, nullptr, 0, -1},
};

const KindRule* RuleOf(int kind)
{
    for (const KindRule& rule : RULES)
        if (rule.kind == kind)
            return &rule;
    return nullptr;
}

}  // namespace

KindList KindListOf(int kind)
{
    const KindRule* rule = RuleOf(kind);
    return rule != nullptr ? rule->list : KIND_LIST_NONE;
}

size_t KindItemCount(int kind)
{
    const KindRule* rule = RuleOf(kind);
    return rule != nullptr ? rule->count : 0;
}

const char* KindItem(int kind, size_t position)
{
    const KindRule* rule = RuleOf(kind);
    if (rule == nullptr || position >= rule->count)
        return "";
    return rule->item(position);
}

const char* ApplyKindPre(AppParams& record, int kind, int preSet)
{
    const KindRule* rule = RuleOf(kind);
    if (rule == nullptr || rule->shown == nullptr)
        return nullptr;
    if (rule->slot >= 0)
        record.pre[rule->slot] = preSet ? 1 : 0;
    if (!preSet || rule->preset == nullptr)
        return rule->shown(record);
    if (rule->field != nullptr)
        record.*(rule->field) = rule->presetIndex;
    return rule->preset;
}
