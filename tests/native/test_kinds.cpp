#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "params/forms.h"
#include "params/kinds.h"
#include "recordfix.h"

namespace {

const int ESC = 2;  // IDCANCEL: Esc and the close box

using recordfix::Defaults;

std::vector<std::string> Items(int kind)
{
    std::vector<std::string> items;
    for (size_t i = 0; i < KindItemCount(kind); ++i)
        items.push_back(KindItem(kind, i));
    return items;
}

}  // namespace

TEST(Kinds, ListsOfEachKind)
{
    for (int kind : {1, 2, 3, 4, 5, 7})
        EXPECT_EQ(KindListOf(kind), KIND_LIST_FONTS) << kind;
    for (int kind : {17, 18, 0, 21, 29, 32, -1})
        EXPECT_EQ(KindListOf(kind), KIND_LIST_NONE) << kind;
    EXPECT_EQ(Items(6), (std::vector<std::string>{"CXC=Campo por Campo", "BL=Bloque de campos", "BLA=BL Automatico"}));
    EXPECT_EQ(Items(8), (std::vector<std::string>{"Normal", "Negrita", "Inclinado"}));
    EXPECT_EQ(Items(9).size(), 12u);
    EXPECT_EQ(Items(13), Items(9));
    EXPECT_EQ(Items(9).back(), "Rombos");
    EXPECT_EQ(Items(10).size(), 16u);
    EXPECT_EQ(Items(11), Items(10));
    EXPECT_EQ(Items(12),
              (std::vector<std::string>{"Auto", "640-480", "800-600", "1024-768", "2048-1536", "RCM"}));
    for (int kind : {14, 15, 16})
        EXPECT_EQ(Items(kind), (std::vector<std::string>{"20", "40", "60"}));
    EXPECT_EQ(Items(19), (std::vector<std::string>{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
    EXPECT_EQ(Items(20), (std::vector<std::string>{"jpg", "png", "gif"}));
    EXPECT_EQ(Items(30).front(), "Renglon");
    EXPECT_EQ(Items(30).back(), "Menu-Marcas");
    auto colours = Items(31);
    ASSERT_EQ(colours.size(), 17u);
    EXPECT_EQ(colours[0], "Negro");
    EXPECT_EQ(colours[15], "Blanco B");
    EXPECT_EQ(colours[16], "");
    EXPECT_STREQ(KindItem(9, 12), "");
    EXPECT_STREQ(KindItem(99, 0), "");
}

TEST(Kinds, ClearBoxShowsTheFieldAndRecordsTheAppearanceSlots)
{
    AppParams r = Defaults();
    std::strcpy(r.letraRomano, "Garamond");
    std::strcpy(r.font, "Tahoma");
    std::strcpy(r.directaNombre, "Epson");
    r.envio = 2;
    r.estilo = 1;
    r.efectoFondo = 7;
    r.colorFondo = 4;
    r.colorLetras = 15;
    r.tamano = 5;
    r.efectoAreas = 10;
    r.gradienteFondo = 0;
    r.gradienteAreas = 1;
    r.margen = 2;
    const struct {
        int kind;
        const char* shown;
        int slot;  // -1: no pre slot
    } cases[] = {{3, "Garamond", -1},  {6, "BLA=BL Automatico", -1}, {7, "Tahoma", 6},       {8, "Negrita", 7},
                 {9, "Puntos", 8},     {10, "Rojo", 9},              {11, "Blanco B", 11},   {12, "RCM", -1},
                 {13, "Circulos", 12}, {14, "20", -1},               {15, "40", -1},         {16, "60", -1},
                 {17, "C:\\", -1},     {18, "Epson", -1},            {19, "0.4", -1}};
    for (const auto& c : cases) {
        AppParams before = r;
        const char* shown = ApplyKindPre(r, c.kind, 0);
        ASSERT_NE(shown, nullptr) << c.kind;
        EXPECT_STREQ(shown, c.shown) << c.kind;
        if (c.slot >= 0) {
            EXPECT_EQ(+r.pre[c.slot], 0) << c.kind;
            before.pre[c.slot] = 0;
        }
        EXPECT_EQ(std::memcmp(&before, &r, sizeof r), 0) << "kind " << c.kind << " changed other fields";
    }
    // Kinds that show nothing leave the record alone.
    for (int kind : {20, 30, 31, 0, 21, 99}) {
        AppParams before = r;
        EXPECT_EQ(ApplyKindPre(r, kind, 1), nullptr) << kind;
        EXPECT_EQ(std::memcmp(&before, &r, sizeof r), 0) << kind;
    }
}

TEST(Kinds, SetBoxShowsThePresetAndResetsTheIndexFields)
{
    AppParams r = Defaults();
    std::strcpy(r.font, "Tahoma");
    std::strcpy(r.letraSuizo, "Verdana");
    r.envio = 1;
    r.estilo = 2;
    r.efectoFondo = 1;
    r.colorFondo = 4;
    r.colorLetras = 15;
    r.tamano = 2;
    r.efectoAreas = 9;
    r.margen = 0;
    for (int slot = 0; slot < PARAM_SLOT_COUNT; ++slot)
        r.pre[slot] = 0;
    const struct {
        int kind;
        const char* shown;
    } cases[] = {{1, "Courier New"}, {2, "Lucida Calligraphy"}, {3, "Times New Roman"}, {4, "Arial"},
                 {5, "Lucida Handwriting"}, {6, "CXC=Campo por Campo"}, {7, "Predeterminado"}, {8, "Normal"},
                 {9, "Difuso"}, {10, "Celeste B"}, {11, "Negro"}, {12, "Predeterminado"}, {13, "Laberinto"},
                 {17, "C:\\"}, {18, "PRN"}, {19, "1.0"}};
    for (const auto& c : cases)
        EXPECT_STREQ(ApplyKindPre(r, c.kind, 1), c.shown) << c.kind;

    // The appearance indexes go to their presets; text fields and the
    // editor's indexes keep their values, so clearing the box shows them.
    EXPECT_EQ(r.estilo, 0);
    EXPECT_EQ(r.efectoFondo, 3);
    EXPECT_EQ(r.colorFondo, 11);
    EXPECT_EQ(r.colorLetras, 0);
    EXPECT_EQ(r.efectoAreas, 4);
    EXPECT_STREQ(r.font, "Tahoma");
    EXPECT_STREQ(r.letraSuizo, "Verdana");
    EXPECT_EQ(r.envio, 1);
    EXPECT_EQ(r.tamano, 2);
    EXPECT_EQ(r.margen, 0);
    for (int slot = 0; slot < PARAM_SLOT_COUNT; ++slot) {
        bool recorded = slot == 6 || slot == 7 || slot == 8 || slot == 9 || slot == 11 || slot == 12;
        EXPECT_EQ(+r.pre[slot], recorded ? 1 : 0) << slot;
    }
    EXPECT_STREQ(ApplyKindPre(r, 4, 0), "Verdana");
    EXPECT_STREQ(ApplyKindPre(r, 7, 0), "Tahoma");

    // A set box on a kind without one (the gradients) shows the field.
    r.gradienteAreas = 0;
    EXPECT_STREQ(ApplyKindPre(r, 15, 1), "20");
}

TEST(Kinds, StoredIndexOutsideItsTableShowsEmpty)
{
    AppParams r = Defaults();
    r.envio = 3;
    r.estilo = 200;
    r.efectoFondo = 12;
    r.colorFondo = 16;
    r.colorLetras = 255;
    r.tamano = 6;
    r.efectoAreas = 99;
    r.gradienteSinEfecto = 3;
    r.margen = 6;
    for (int kind : {6, 8, 9, 10, 11, 12, 13, 16, 19})
        EXPECT_STREQ(ApplyKindPre(r, kind, 0), "") << kind;
}

TEST(EstiloChoices, StoredByExactTextOnly)
{
    AppParams r = Defaults();
    EXPECT_EQ(StoreEstiloChoice(r, ESTILO_ESTILO, "Inclinado"), 1);
    EXPECT_EQ(r.estilo, 2);
    EXPECT_EQ(StoreEstiloChoice(r, ESTILO_ESTILO, "inclinado"), 0);
    EXPECT_EQ(StoreEstiloChoice(r, ESTILO_ESTILO, "Inclinado "), 0);
    EXPECT_EQ(r.estilo, 2);
    EXPECT_EQ(StoreEstiloChoice(r, ESTILO_FONDO, "Magenta B"), 1);
    EXPECT_EQ(r.colorFondo, 13);
    EXPECT_EQ(StoreEstiloChoice(r, ESTILO_LETRAS, "Amarillo"), 1);
    EXPECT_EQ(r.colorLetras, 14);
    EXPECT_EQ(StoreEstiloChoice(r, ESTILO_EFECTO_FONDO, "Gradiente"), 1);
    EXPECT_EQ(r.efectoFondo, 1);
    EXPECT_EQ(StoreEstiloChoice(r, ESTILO_EFECTO_AREAS, "Rombos"), 1);
    EXPECT_EQ(r.efectoAreas, 11);
    EXPECT_EQ(StoreEstiloChoice(r, ESTILO_GRADIENTE_FONDO, "20"), 1);
    EXPECT_EQ(r.gradienteFondo, 0);
    EXPECT_EQ(StoreEstiloChoice(r, ESTILO_GRADIENTE_AREAS, "40"), 1);
    EXPECT_EQ(r.gradienteAreas, 1);
    EXPECT_EQ(StoreEstiloChoice(r, ESTILO_GRADIENTE_SIN_EFECTO, "80"), 0);
    EXPECT_EQ(r.gradienteSinEfecto, 2);
    EXPECT_EQ(StoreEstiloChoice(r, ESTILO_EFECTO_AREAS, ""), 0);
    EXPECT_EQ(r.efectoAreas, 11);

    // The font is the text itself, cut to its field.
    EXPECT_EQ(StoreEstiloChoice(r, ESTILO_FONT, "Comic Sans MS"), 1);
    EXPECT_STREQ(r.font, "Comic Sans MS");
    std::string longName(300, 'x');
    StoreEstiloChoice(r, ESTILO_FONT, longName.c_str());
    EXPECT_EQ(std::strlen(r.font), 127u);
}

TEST(EstiloChoices, EnablesDerivedPreAndBounds)
{
    AppParams r = Defaults();
    const struct {
        uint8_t fondo, areas;
        int32_t usar;
        bool gradFondo, gradAreas, usarBox, gradSin;
    } cases[] = {{1, 0, 1, true, false, false, false},  {0, 1, 1, false, true, false, false},
                 {3, 2, 1, false, false, true, true},   {3, 11, 0, false, false, true, false},
                 {2, 4, 1, false, false, true, true}};
    for (const auto& c : cases) {
        r.efectoFondo = c.fondo;
        r.efectoAreas = c.areas;
        r.usarGradienteAreas = c.usar;
        EstiloEnables e = EstiloEnablesOf(r);
        EXPECT_EQ(e.gradienteFondo, c.gradFondo) << +c.fondo << "/" << +c.areas;
        EXPECT_EQ(e.gradienteAreas, c.gradAreas) << +c.fondo << "/" << +c.areas;
        EXPECT_EQ(e.usarGradiente, c.usarBox) << +c.fondo << "/" << +c.areas;
        EXPECT_EQ(e.gradienteSinEfecto, c.gradSin) << +c.fondo << "/" << +c.areas;
    }

    r.pre[SLOT_EFECTO_FONDO] = 0;
    r.pre[SLOT_EFECTO_AREAS] = 1;
    r.efectoFondo = 3;
    r.efectoAreas = 5;
    DeriveEffectPre(r);
    EXPECT_EQ(+r.pre[SLOT_EFECTO_FONDO], 1);
    EXPECT_EQ(+r.pre[SLOT_EFECTO_AREAS], 0);

    r.estilo = 3;
    r.efectoFondo = 12;
    r.colorFondo = 16;
    r.colorLetras = 200;
    r.efectoAreas = 255;
    r.gradienteFondo = 3;
    r.gradienteAreas = 4;
    r.gradienteSinEfecto = 5;
    r.envio = 9;  // not an appearance field: left to the editor
    BoundAppearance(r);
    EXPECT_EQ(r.estilo, 0);
    EXPECT_EQ(r.efectoFondo, 3);
    EXPECT_EQ(r.colorFondo, 11);
    EXPECT_EQ(r.colorLetras, 0);
    EXPECT_EQ(r.efectoAreas, 4);
    EXPECT_EQ(r.gradienteFondo, 2);
    EXPECT_EQ(r.gradienteAreas, 2);
    EXPECT_EQ(r.gradienteSinEfecto, 2);
    EXPECT_EQ(r.envio, 9);
    AppParams inside = Defaults();
    inside.colorFondo = 15;
    inside.efectoAreas = 11;
    AppParams kept = inside;
    BoundAppearance(inside);
    EXPECT_EQ(std::memcmp(&kept, &inside, sizeof kept), 0);
}

TEST(Forms, IdentifiersAreDistinctWithinEachDialog)
{
    // Each form with its program's accepting and cancelling buttons.
    const struct {
        const ParamForms* forms;
        int accept, cancel;
    } programs[] = {{&TERMINAL_FORMS, 1024, 1002}, {&SERVER_FORMS, 1022, 1002}, {&STANDALONE_FORMS, 1025, 1004}};
    for (const auto& program : programs) {
        const EstiloForm& f = program.forms->estilo;
        std::set<int> ids = {f.gradienteFondo, f.gradienteAreas, f.gradienteSinEfecto, f.usarGradiente, f.help,
                             f.preview, ESC};
        size_t expected = 7;
        std::set<int> slots;
        for (const EstiloParam& p : f.params) {
            ids.insert(p.combo);
            ids.insert(p.preBox);
            expected += 2;
            if (p.modBox != 0) {
                ids.insert(p.modBox);
                ++expected;
            }
            slots.insert(p.slot);
            // Each row's kind records the same slot as the row's boxes.
            AppParams r = Defaults();
            r.pre[p.slot] = 7;
            ApplyKindPre(r, p.kind, 0);
            EXPECT_EQ(+r.pre[p.slot], 0) << p.combo;
        }
        EXPECT_EQ(ids.size(), expected);
        EXPECT_EQ(slots, (std::set<int>{6, 7, 8, 9, 11, 12}));

        std::set<int> area(AREA_COLOUR_COMBOS, AREA_COLOUR_COMBOS + COLOUR_ROLE_COUNT);
        area.insert({1048, program.accept, program.cancel, ESC});
        EXPECT_EQ(area.size(), 11u);
        std::set<int> rcm = {1020, 1021, program.accept, program.cancel, ESC};
        EXPECT_EQ(rcm.size(), 5u);
    }
    // Only the server form has Mod. boxes; only the terminal form lets the
    // mod flags restrict.
    for (const EstiloParam& p : SERVER_FORMS.estilo.params)
        EXPECT_NE(p.modBox, 0);
    for (const EstiloParam& p : TERMINAL_FORMS.estilo.params)
        EXPECT_EQ(p.modBox, 0);
    for (const EstiloParam& p : STANDALONE_FORMS.estilo.params)
        EXPECT_EQ(p.modBox, 0);
    EXPECT_TRUE(TERMINAL_FORMS.estilo.modRestricts);
    EXPECT_FALSE(SERVER_FORMS.estilo.modRestricts);
    EXPECT_FALSE(STANDALONE_FORMS.estilo.modRestricts);
}
