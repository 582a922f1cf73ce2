// The appearance dialogs of the parameter library, run for real by the
// params_host stand-in and driven from this process like a person would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "caller.h"
#include "drive.h"
#include "fixtures.h"
#include "params/effects.h"
#include "params/forms.h"
#include "params/record.h"
#include "recordfix.h"
#include "resources/params/resource.h"

namespace {

const char ESTILO_CAPTION[] = "Efectos, colores y tipo de letra";
const char AREA_CAPTION[] = "Par\xE1metros de 'Area'";
const char RCM_CAPTION[] = "Renglones y columnas del monitor";
const char AREA_ERROR_CAPTION[] = "Error en par\xE1metros de 'Area'";

using recordfix::Defaults;
using Ints = std::vector<int>;

// One run of the host over a record: started with its arguments, found by
// the dialog's caption, and its record read back when it has ended.
class Host : public drive::DialogProgram {
public:
    std::string dir;

    bool Open(const char* exe, const char* which, const AppParams& record, const char* caption)
    {
        dir = fixture::NewDirectory("appearance");
        fixture::WriteBytes(dir + "in.dai", &record, sizeof record);
        if (!Start(exe, std::string(which) + " \"" + dir + "in.dai\" \"" + dir + "out.dai\""))
            return false;
        dialog = Appears(caption, 20000);
        return dialog != nullptr;
    }

    AppParams Result(Caller caller = {})
    {
        SCOPED_CALLER(caller);
        AppParams r;
        std::memset(&r, 0xEE, sizeof r);
        FILE* in = std::fopen((dir + "out.dai").c_str(), "rb");
        if (in == nullptr) {
            ADD_FAILURE() << "the host wrote no record";
            return r;
        }
        EXPECT_EQ(std::fread(&r, 1, sizeof r, in), sizeof r);
        std::fclose(in);
        return r;
    }

    // Ends the dialog with a button (0: its close box) and reads the record.
    AppParams End(int button, DWORD code = 0, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        if (button == 0)
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            drive::PostClick(dialog, button);
        EXPECT_EQ(Wait(), code);
        return Result();
    }

    // Clicks a box and waits until the control it governs is enabled or not.
    void ClickUntil(int box, int control, bool enabled, Caller caller = {}) const
    {
        SCOPED_CALLER(caller);
        drive::PostClick(dialog, box);
        EXPECT_TRUE(drive::WaitUntil([&] { return Enabled(control) == enabled; })) << box;
    }
};

bool ChooseAt(const Host& host, int id, int index)
{
    return drive::ChooseAt(host.Item(id), index);
}

bool ChooseItem(const Host& host, int id, const char* text)
{
    return drive::ChooseItem(host.Item(id), text);
}

// Types text into an editable combo as a person does.
void TypeText(const Host& host, int id, const char* text, Caller caller = {})
{
    SCOPED_CALLER(caller);
    EXPECT_TRUE(drive::Type(host.dialog, id, text));
}

// A parameter as shown: its Pre. box, whether its combo is enabled, and its text.
std::string Shown(const Host& host, int preBox, int combo)
{
    std::string shown = host.Checked(preBox) ? "pre " : "";
    return shown + (host.Enabled(combo) ? "" : "fixed ") + host.Text(combo);
}

COLORREF Palette(int index)
{
    return RGB(PALETTE[index].red, PALETTE[index].green, PALETTE[index].blue);
}

}  // namespace

// PARAM_ESTILO ---------------------------------------------------------------

TEST(Estilo, OpensFromTheRecordWithDerivedEffectBoxes)
{
    AppParams r = Defaults();
    std::strcpy(r.font, "Tahoma");
    r.pre[SLOT_FONT] = 1;
    r.pre[SLOT_ESTILO] = 0;
    r.estilo = 2;
    r.pre[SLOT_FONDO] = 0;
    r.colorFondo = 4;
    r.pre[SLOT_LETRAS] = 1;
    r.colorLetras = 5;
    r.efectoFondo = 3;
    r.pre[SLOT_EFECTO_FONDO] = 0;  // stored clear, shown set: the effect is its preset
    r.efectoAreas = 9;
    r.pre[SLOT_EFECTO_AREAS] = 1;  // stored set, shown clear
    r.usarGradienteAreas = 1;
    r.gradienteSinEfecto = 0;
    Host host;
    ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "estilo", r, ESTILO_CAPTION));

    EXPECT_EQ(Shown(host, IDC_ESTILO_T_PRE_EFECTO_FONDO, IDC_ESTILO_T_EFECTO_FONDO), "pre fixed Difuso");
    EXPECT_EQ(Shown(host, IDC_ESTILO_T_PRE_EFECTO_AREAS, IDC_ESTILO_T_EFECTO_AREAS), "Redes");
    EXPECT_EQ(Shown(host, IDC_ESTILO_T_PRE_FONT, IDC_ESTILO_T_FONT), "pre fixed Predeterminado");
    EXPECT_EQ(Shown(host, IDC_ESTILO_T_PRE_ESTILO, IDC_ESTILO_T_ESTILO), "Inclinado");
    EXPECT_EQ(Shown(host, IDC_ESTILO_T_PRE_FONDO, IDC_ESTILO_T_FONDO), "Rojo");
    EXPECT_EQ(Shown(host, IDC_ESTILO_T_PRE_LETRAS, IDC_ESTILO_T_LETRAS), "pre fixed Negro");

    // The gradient controls follow the effects: Difuso and Redes.
    EXPECT_FALSE(host.Enabled(IDC_ESTILO_T_GRAD_FONDO));
    EXPECT_EQ(host.Text(IDC_ESTILO_T_GRAD_FONDO), "60");
    EXPECT_FALSE(host.Enabled(IDC_ESTILO_T_GRAD_AREAS));
    EXPECT_TRUE(host.Enabled(IDC_ESTILO_T_USAR_GRADIENTE));
    EXPECT_TRUE(host.Checked(IDC_ESTILO_T_USAR_GRADIENTE));
    EXPECT_TRUE(host.Enabled(IDC_ESTILO_T_GRAD_SIN_EFECTO));
    EXPECT_EQ(host.Text(IDC_ESTILO_T_GRAD_SIN_EFECTO), "20");

    EXPECT_EQ(host.Items(IDC_ESTILO_T_ESTILO), (std::vector<std::string>{"Normal", "Negrita", "Inclinado"}));
    EXPECT_EQ(host.Items(IDC_ESTILO_T_GRAD_SIN_EFECTO), (std::vector<std::string>{"20", "40", "60"}));
    std::vector<std::string> colours = host.Items(IDC_ESTILO_T_LETRAS);
    ASSERT_EQ(colours.size(), 16u);
    EXPECT_EQ(colours[13], "Magenta B");
    EXPECT_EQ(host.Items(IDC_ESTILO_T_EFECTO_AREAS).size(), 12u);
    EXPECT_FALSE(host.Items(IDC_ESTILO_T_FONT).empty());
    EXPECT_TRUE(drive::Screenshot(host.dialog, "param_estilo.bmp"));

    host.End(0);
    AppParams expected = r;
    expected.pre[SLOT_EFECTO_FONDO] = 1;
    expected.pre[SLOT_EFECTO_AREAS] = 0;
    expected.colorLetras = 0;  // the set box put it to its preset
    AppParams out = host.Result();
    EXPECT_EQ(std::memcmp(&out, &expected, sizeof out), 0);
    EXPECT_STREQ(out.font, "Tahoma");
}

TEST(Estilo, ChoicesGoIntoTheRecordAtOnce)
{
    AppParams r = Defaults();
    std::memset(r.pre, 0, sizeof r.pre);
    r.efectoFondo = 0;
    r.efectoAreas = 2;
    Host host;
    ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "estilo", r, ESTILO_CAPTION));

    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_FONDO, "Azul"));
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_LETRAS, "Amarillo"));
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_ESTILO, "Negrita"));
    EXPECT_FALSE(host.Enabled(IDC_ESTILO_T_GRAD_FONDO));
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_EFECTO_FONDO, "Gradiente"));
    EXPECT_TRUE(host.Enabled(IDC_ESTILO_T_GRAD_FONDO));
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_GRAD_FONDO, "20"));

    // Area effect "Gradiente": its gradient on, "Usar gradiente" off.
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_EFECTO_AREAS, "Gradiente"));
    EXPECT_TRUE(host.Enabled(IDC_ESTILO_T_GRAD_AREAS));
    EXPECT_FALSE(host.Enabled(IDC_ESTILO_T_USAR_GRADIENTE));
    EXPECT_FALSE(host.Enabled(IDC_ESTILO_T_GRAD_SIN_EFECTO));
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_GRAD_AREAS, "40"));
    // "Rombos": the reverse.
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_EFECTO_AREAS, "Rombos"));
    EXPECT_FALSE(host.Enabled(IDC_ESTILO_T_GRAD_AREAS));
    EXPECT_TRUE(host.Enabled(IDC_ESTILO_T_USAR_GRADIENTE));
    EXPECT_TRUE(host.Enabled(IDC_ESTILO_T_GRAD_SIN_EFECTO));
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_GRAD_SIN_EFECTO, "40"));
    host.ClickUntil(IDC_ESTILO_T_USAR_GRADIENTE, IDC_ESTILO_T_GRAD_SIN_EFECTO, false);

    std::vector<std::string> fonts = host.Items(IDC_ESTILO_T_FONT);
    ASSERT_FALSE(fonts.empty());
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_FONT, fonts.back().c_str()));
    // A typed text is no choice.
    TypeText(host, IDC_ESTILO_T_ESTILO, "Nada");

    // Esc closes, keeping every choice.
    PostMessageA(host.Item(IDC_ESTILO_T_PRE_FONT), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(host.Wait(), 0u);
    AppParams out = host.Result();
    EXPECT_EQ((Ints{out.colorFondo, out.colorLetras, out.estilo, out.efectoFondo, out.gradienteFondo, out.efectoAreas,
                    out.gradienteAreas, out.gradienteSinEfecto, out.usarGradienteAreas}),
              (Ints{1, 14, 1, 1, 0, 11, 1, 1, 0}));
    EXPECT_EQ(out.font, fonts.back());
    for (int slot : {6, 7, 8, 9, 11, 12})
        EXPECT_EQ(+out.pre[slot], 0) << slot;
}

TEST(Estilo, PreBoxesDisableAndRestoreTheirCombos)
{
    AppParams r = Defaults();
    std::memset(r.pre, 0, sizeof r.pre);
    std::strcpy(r.font, "Tahoma");
    r.colorFondo = 4;
    r.efectoFondo = 1;
    r.efectoAreas = 1;
    Host host;
    ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "estilo", r, ESTILO_CAPTION));
    const struct {
        int box, combo;
        const char* set;
        const char* cleared;  // a text field comes back; an index stays at its preset
    } boxes[] = {{IDC_ESTILO_T_PRE_FONT, IDC_ESTILO_T_FONT, "Predeterminado", "Tahoma"},
                 {IDC_ESTILO_T_PRE_FONDO, IDC_ESTILO_T_FONDO, "Celeste B", "Celeste B"}};
    for (const auto& b : boxes) {
        EXPECT_TRUE(host.Enabled(b.combo));
        host.ClickUntil(b.box, b.combo, false);
        EXPECT_EQ(host.Text(b.combo), b.set);
        host.ClickUntil(b.box, b.combo, true);
        EXPECT_EQ(host.Text(b.combo), b.cleared);
    }

    // A preset effect brings its gradient controls along.
    EXPECT_TRUE(host.Enabled(IDC_ESTILO_T_GRAD_AREAS));
    host.ClickUntil(IDC_ESTILO_T_PRE_EFECTO_AREAS, IDC_ESTILO_T_EFECTO_AREAS, false);
    EXPECT_EQ(host.Text(IDC_ESTILO_T_EFECTO_AREAS), "Laberinto");
    EXPECT_FALSE(host.Enabled(IDC_ESTILO_T_GRAD_AREAS));
    EXPECT_TRUE(host.Enabled(IDC_ESTILO_T_USAR_GRADIENTE));
    EXPECT_TRUE(host.Enabled(IDC_ESTILO_T_GRAD_SIN_EFECTO));
    host.ClickUntil(IDC_ESTILO_T_PRE_EFECTO_FONDO, IDC_ESTILO_T_EFECTO_FONDO, false);
    EXPECT_EQ(host.Text(IDC_ESTILO_T_EFECTO_FONDO), "Difuso");
    EXPECT_FALSE(host.Enabled(IDC_ESTILO_T_GRAD_FONDO));

    AppParams out = host.End(0);
    EXPECT_EQ((Ints{out.pre[SLOT_FONT], out.pre[SLOT_FONDO], out.pre[SLOT_EFECTO_AREAS], out.pre[SLOT_EFECTO_FONDO],
                    out.colorFondo, out.efectoAreas, out.efectoFondo}),
              (Ints{0, 0, 1, 1, 11, 4, 3}));
    EXPECT_STREQ(out.font, "Tahoma");
}

TEST(Estilo, ModFlagsRestrictOnlyTheTerminalForm)
{
    AppParams r = Defaults();
    std::memset(r.pre, 0, sizeof r.pre);
    r.efectoFondo = 0;
    r.efectoAreas = 5;
    r.mod[SLOT_ESTILO] = 0;
    r.mod[SLOT_FONDO] = 0;
    r.mod[SLOT_EFECTO_AREAS] = 0;
    {
        Host host;
        ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "estilo", r, ESTILO_CAPTION));
        for (int id : {IDC_ESTILO_T_ESTILO, IDC_ESTILO_T_PRE_ESTILO, IDC_ESTILO_T_FONDO, IDC_ESTILO_T_PRE_FONDO,
                       IDC_ESTILO_T_EFECTO_AREAS, IDC_ESTILO_T_PRE_EFECTO_AREAS})
            EXPECT_FALSE(host.Enabled(id)) << id;
        for (int id : {IDC_ESTILO_T_FONT, IDC_ESTILO_T_PRE_FONT, IDC_ESTILO_T_LETRAS, IDC_ESTILO_T_EFECTO_FONDO,
                       IDC_ESTILO_T_USAR_GRADIENTE, IDC_ESTILO_T_GRAD_SIN_EFECTO})
            EXPECT_TRUE(host.Enabled(id)) << id;
        AppParams out = host.End(0);
        EXPECT_EQ(std::memcmp(out.mod, r.mod, sizeof out.mod), 0);
    }
    {
        // Server form: Mod. boxes beside the Pre. boxes, nothing restricted.
        Host host;
        ASSERT_TRUE(host.Open(PARAMS_HOST_SERVER, "estilo", r, ESTILO_CAPTION));
        for (int id : {IDC_ESTILO_S_ESTILO, IDC_ESTILO_S_PRE_ESTILO, IDC_ESTILO_S_FONDO, IDC_ESTILO_S_EFECTO_AREAS,
                       IDC_ESTILO_S_PRE_EFECTO_AREAS, IDC_ESTILO_S_MOD_ESTILO})
            EXPECT_TRUE(host.Enabled(id)) << id;
        EXPECT_TRUE(host.Checked(IDC_ESTILO_S_MOD_FONT));
        EXPECT_FALSE(host.Checked(IDC_ESTILO_S_MOD_ESTILO));
        EXPECT_FALSE(host.Checked(IDC_ESTILO_S_MOD_EFECTO_AREAS));
        drive::PostClick(host.dialog, IDC_ESTILO_S_MOD_FONT);
        drive::PostClick(host.dialog, IDC_ESTILO_S_MOD_ESTILO);
        EXPECT_TRUE(drive::WaitUntil([&] { return host.Checked(IDC_ESTILO_S_MOD_ESTILO); }));
        EXPECT_TRUE(host.Enabled(IDC_ESTILO_S_FONT));  // a Mod. box disables nothing
        EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_S_FONDO, "Verde"));
        EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_S_EFECTO_AREAS, "Gradiente"));
        EXPECT_TRUE(host.Enabled(IDC_ESTILO_S_GRAD_AREAS));
        EXPECT_FALSE(host.Enabled(IDC_ESTILO_S_USAR_GRADIENTE));
        EXPECT_TRUE(drive::Screenshot(host.dialog, "param_estilo_servidor.bmp"));
        AppParams out = host.End(0);
        EXPECT_EQ((Ints{out.mod[SLOT_FONT], out.mod[SLOT_ESTILO], out.mod[SLOT_FONDO], out.mod[SLOT_EFECTO_AREAS],
                        out.colorFondo, out.efectoAreas}),
                  (Ints{0, 1, 0, 0, 2, 1}));
    }
    {
        // General installer's form: its own identifiers, no Mod. at all.
        Host host;
        ASSERT_TRUE(host.Open(PARAMS_HOST_STANDALONE, "estilo", r, ESTILO_CAPTION));
        for (int id : {IDC_ESTILO_G_ESTILO, IDC_ESTILO_G_PRE_ESTILO, IDC_ESTILO_G_FONDO, IDC_ESTILO_G_EFECTO_AREAS})
            EXPECT_TRUE(host.Enabled(id)) << id;
        EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_G_EFECTO_FONDO, "Gradiente"));
        EXPECT_TRUE(host.Enabled(IDC_ESTILO_G_GRAD_FONDO));
        host.ClickUntil(IDC_ESTILO_G_PRE_LETRAS, IDC_ESTILO_G_LETRAS, false);
        EXPECT_TRUE(drive::Screenshot(host.dialog, "param_estilo_general.bmp"));
        AppParams out = host.End(0);
        EXPECT_EQ(out.efectoFondo, 1);
        EXPECT_EQ(+out.pre[SLOT_LETRAS], 1);
        EXPECT_EQ(std::memcmp(out.mod, r.mod, sizeof out.mod), 0);
    }
}

TEST(Estilo, PreviewPaintsEachChoice)
{
    AppParams r = Defaults();
    std::memset(r.pre, 0, sizeof r.pre);
    r.efectoFondo = 0;
    r.colorFondo = 11;
    r.efectoAreas = 1;
    r.gradienteAreas = 0;
    Host host;
    ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "estilo", r, ESTILO_CAPTION));
    const int frame = IDC_ESTILO_T_PREVIEW;
    RECT client;
    GetClientRect(host.Item(frame), &client);
    PreviewLayout l = LayoutPreview(client.right, client.bottom);
    auto pixelIs = [&](int x, int y, COLORREF expected) {
        return drive::WaitUntil([&] { return drive::ScreenPixel(host.Item(frame), x, y) == expected; }, 3000);
    };
    // "Ninguno" with "Celeste B"; the area box a gradient from Blanco, the inner box solid.
    EXPECT_TRUE(pixelIs(2, client.bottom - 3, RGB(0, 255, 255)));
    EXPECT_TRUE(pixelIs(l.area.left + 3, l.area.top + 3, RGB(193, 193, 193)));
    EXPECT_TRUE(pixelIs((l.inner.left + l.inner.right) / 2, l.inner.top + 3, Palette(7)));
    EXPECT_TRUE(drive::Screenshot(host.dialog, "preview_ninguno_gradiente.bmp"));

    // A pattern in the areas with "Usar gradiente": the inner box brightens.
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_EFECTO_AREAS, "Ladrillos"));
    int middle = (l.inner.left + l.inner.right) / 2;
    EXPECT_TRUE(drive::WaitUntil([&] {
        COLORREF top = drive::ScreenPixel(host.Item(frame), middle, l.inner.top + 2);
        COLORREF bottom = drive::ScreenPixel(host.Item(frame), middle, l.inner.bottom - 2);
        return GetRValue(top) > 192 && GetRValue(bottom) > GetRValue(top) && GetRValue(top) == GetBValue(top);
    }, 3000));
    drive::PostClick(host.dialog, IDC_ESTILO_T_USAR_GRADIENTE);
    EXPECT_TRUE(pixelIs(middle, l.inner.bottom - 2, Palette(7)));

    // "Puntos" with "Azul": the partner on even pixels of even rows.
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_FONDO, "Azul"));
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_EFECTO_FONDO, "Puntos"));
    int even = (client.bottom - 4) / 2 * 2;
    EXPECT_TRUE(pixelIs(2, even, Palette(9)));
    EXPECT_TRUE(pixelIs(3, even, Palette(1)));
    EXPECT_TRUE(pixelIs(2, even + 1, Palette(1)));
    EXPECT_TRUE(drive::Screenshot(host.dialog, "preview_puntos_ladrillos.bmp"));

    // "Gradiente" with "Rojo B", 60 steps: the top band is already darker.
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_FONDO, "Rojo B"));
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_EFECTO_FONDO, "Gradiente"));
    EXPECT_TRUE(pixelIs(2, 1, RGB(254, 0, 0)));
    EXPECT_TRUE(drive::Screenshot(host.dialog, "preview_gradiente_rojo.bmp"));

    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_EFECTO_FONDO, "Rombos"));
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_FONDO, "Verde"));
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_LETRAS, "Blanco B"));
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_ESTILO, "Negrita"));
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_EFECTO_AREAS, "Curvas"));
    EXPECT_TRUE(drive::WaitUntil([&] {
        COLORREF c = drive::ScreenPixel(host.Item(frame), l.area.left + 3, l.area.top + 3);
        return c == Palette(7) || c == Palette(8);
    }, 3000));
    EXPECT_TRUE(drive::Screenshot(host.dialog, "preview_rombos_curvas.bmp"));
    host.End(0);
}

TEST(Estilo, ForeignIndexesOpenAsTheLoaderWouldReadThem)
{
    AppParams r = Defaults();
    std::memset(r.pre, 0, sizeof r.pre);
    r.colorFondo = 200;
    r.efectoFondo = 99;
    r.estilo = 50;
    r.colorLetras = 16;
    r.efectoAreas = 12;
    r.gradienteFondo = 7;
    r.gradienteAreas = 9;
    r.gradienteSinEfecto = 255;
    Host host;
    ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "estilo", r, ESTILO_CAPTION));
    EXPECT_EQ(host.Text(IDC_ESTILO_T_FONDO), "Celeste B");
    EXPECT_EQ(Shown(host, IDC_ESTILO_T_PRE_EFECTO_FONDO, IDC_ESTILO_T_EFECTO_FONDO), "pre fixed Difuso");
    EXPECT_EQ(host.Text(IDC_ESTILO_T_ESTILO), "Normal");
    EXPECT_EQ(host.Text(IDC_ESTILO_T_LETRAS), "Negro");
    EXPECT_EQ(host.Text(IDC_ESTILO_T_EFECTO_AREAS), "Laberinto");
    EXPECT_EQ(host.Text(IDC_ESTILO_T_GRAD_SIN_EFECTO), "60");
    ASSERT_TRUE(drive::WaitPainted(host.dialog));
    COLORREF corner = drive::ScreenPixel(host.Item(IDC_ESTILO_T_PREVIEW), 2, 40);
    EXPECT_TRUE(corner == Palette(11) || corner == Palette(3));
    AppParams out = host.End(0);
    EXPECT_EQ((Ints{out.colorFondo, out.efectoFondo, out.estilo, out.colorLetras, out.efectoAreas, out.gradienteFondo,
                    out.gradienteAreas, out.gradienteSinEfecto}),
              (Ints{11, 3, 0, 0, 4, 2, 2, 2}));
}

TEST(Estilo, HelpOpensOverTheDialogAndClosesWithItsProgramsButton)
{
    // The plain dialogs answer each program's own accepting button.
    const struct {
        const char* host;
        int accept;
    } forms[] = {{PARAMS_HOST_TERMINAL, IDC_T_ACEPTAR}, {PARAMS_HOST_SERVER, IDC_S_ACEPTAR},
                 {PARAMS_HOST_STANDALONE, IDC_G_ACEPTAR}};
    for (const auto& form : forms) {
        SCOPED_TRACE(form.host);
        Host host;
        ASSERT_TRUE(host.Open(form.host, "estilo", Defaults(), ESTILO_CAPTION));
        drive::PostClick(host.dialog, IDC_ESTILO_AYUDA);
        HWND help = host.Appears("AYUDA");
        ASSERT_NE(help, nullptr);
        std::vector<std::string> texts = drive::StaticTexts(help);
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Fijar valor predeterminado en \xE9ste par\xE1metro"),
                  texts.end());
        if (form.accept == IDC_T_ACEPTAR) {
            EXPECT_TRUE(drive::Screenshot(help, "ayuda_parametros1.bmp"));
        }
        EXPECT_EQ(drive::ControlText(help, form.accept), "&Continuar");
        drive::PostClick(help, form.accept);
        EXPECT_TRUE(host.Gone("AYUDA"));
        EXPECT_TRUE(IsWindowVisible(host.dialog));
        host.End(0);
    }
}

// PARAM_AREA -----------------------------------------------------------------

namespace {

std::vector<int> ShownRow(const Host& host)
{
    std::vector<int> row;
    for (int id : {IDC_AREA_GENERAL_FONDO, IDC_AREA_LETREROS_FONDO, IDC_AREA_LETREROS_LETRAS, IDC_AREA_LEC_FONDO,
                   IDC_AREA_LEC_LETRAS, IDC_AREA_ESC_FONDO, IDC_AREA_ESC_LETRAS})
        row.push_back(host.Selection(id));
    return row;
}

std::vector<int> Row(const AppParams& r, int area)
{
    return std::vector<int>(r.areas[area], r.areas[area] + COLOUR_ROLE_COUNT);
}

const int N = NO_COLOUR;

}  // namespace

TEST(Area, SwitchingAreasKeepsEachRowUntilAccepted)
{
    AppParams r = Defaults();
    const uint8_t renglon[7] = {7, 1, 15, N, N, N, N};
    std::memcpy(r.areas[0], renglon, 7);
    r.areas[3][3] = 200;  // a foreign byte: shown and stored as no colour
    Host host;
    ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "area", r, AREA_CAPTION));
    EXPECT_EQ(host.Text(IDC_AREA_LIST), "Renglon");
    std::vector<std::string> areas = host.Items(IDC_AREA_LIST);
    ASSERT_EQ(areas.size(), 8u);
    EXPECT_EQ(areas[7], "Menu-Marcas");
    std::vector<std::string> colours = host.Items(IDC_AREA_ESC_LETRAS);
    ASSERT_EQ(colours.size(), 17u);
    EXPECT_EQ(colours[0], "Negro");
    EXPECT_EQ(colours[16], "");
    EXPECT_EQ(ShownRow(host), (Ints{7, 1, 15, N, N, N, N}));
    EXPECT_EQ(host.Text(IDC_AREA_LETREROS_LETRAS), "Blanco B");
    std::vector<std::string> texts = drive::StaticTexts(host.dialog);
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "Primero selecciona el tipo de 'Area' que quieras consultar o modificar."),
              texts.end());

    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LIST, "Menu-Variables"));
    EXPECT_EQ(ShownRow(host), (Ints{N, N, N, N, N, N, N}));
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_GENERAL_FONDO, "Gris"));
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LETREROS_FONDO, "Negro"));
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LETREROS_LETRAS, "Amarillo"));
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LEC_LETRAS, "Rojo"));
    // Only reading colours given: skipped by the check.
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LIST, "Texto"));
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LEC_FONDO, "Verde"));
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LEC_LETRAS, "Rojo"));
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LIST, "Renglon"));
    EXPECT_EQ(ShownRow(host), (Ints{7, 1, 15, N, N, N, N}));
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LIST, "Menu-Variables"));
    EXPECT_EQ(ShownRow(host), (Ints{8, 0, 14, N, 4, N, N}));
    EXPECT_TRUE(drive::Screenshot(host.dialog, "param_area.bmp"));

    AppParams out = host.End(IDC_T_ACEPTAR, 1);
    EXPECT_EQ(Row(out, 0), (Ints{7, 1, 15, N, N, N, N}));
    EXPECT_EQ(Row(out, 3), (Ints{8, 0, 14, N, 4, N, N}));
    EXPECT_EQ(Row(out, 4), (Ints{N, N, N, 2, 4, N, N}));
    for (int area : {1, 2, 5, 6, 7})
        EXPECT_EQ(Row(out, area), Ints(7, N)) << area;
    AppParams rest = out;
    std::memcpy(rest.areas, r.areas, sizeof rest.areas);
    EXPECT_EQ(std::memcmp(&rest, &r, sizeof r), 0);
}

TEST(Area, ValidationMessagesKeepTheDialogOpen)
{
    AppParams r = Defaults();
    const uint8_t renglon[7] = {7, 4, 4, N, N, N, N};
    std::memcpy(r.areas[0], renglon, 7);
    Host host;
    ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "area", r, AREA_CAPTION));
    drive::PostClick(host.dialog, IDC_T_ACEPTAR);
    EXPECT_TRUE(drive::Screenshot(host.Appears(AREA_ERROR_CAPTION), "area_error.bmp"));
    EXPECT_EQ(host.CloseMessage(AREA_ERROR_CAPTION),
              "En Renglon el color de fondo de letreros es igual al color sus de letras.");
    EXPECT_TRUE(IsWindowVisible(host.dialog));
    EXPECT_EQ(ShownRow(host), (Ints{7, 4, 4, N, N, N, N}));

    // A typed colour is no choice: it counts as none given.
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LIST, "Menu-Letreros"));
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_GENERAL_FONDO, "Blanco"));
    TypeText(host, IDC_AREA_LETREROS_FONDO, "Rojo");
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LETREROS_LETRAS, "Negro"));
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_ESC_FONDO, "Cafe"));
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_ESC_LETRAS, "Cafe"));
    drive::PostClick(host.dialog, IDC_T_ACEPTAR);
    EXPECT_EQ(host.CloseMessage(AREA_ERROR_CAPTION),
              "En Renglon el color de fondo de letreros es igual al color sus de letras."
              " En Menu-Letreros no se di\xF3 color de fondo de letreros."
              " En Menu-Letreros el color de fondo de las variables en escritura es igual al color sus de letras.");

    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LETREROS_FONDO, "Rojo"));
    EXPECT_TRUE(ChooseAt(host, IDC_AREA_ESC_LETRAS, NO_COLOUR));  // the empty item
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LIST, "Renglon"));
    EXPECT_TRUE(ChooseItem(host, IDC_AREA_LETREROS_LETRAS, "Blanco B"));
    AppParams out = host.End(IDC_T_ACEPTAR, 1);
    EXPECT_EQ(Row(out, 0), (Ints{7, 4, 15, N, N, N, N}));
    EXPECT_EQ(Row(out, 2), (Ints{7, 4, 0, N, N, 6, N}));
}

TEST(Area, CancellingKeepsTheRecordInEveryForm)
{
    AppParams r = Defaults();
    const uint8_t renglon[7] = {7, 1, 15, N, N, N, N};
    std::memcpy(r.areas[0], renglon, 7);
    {
        Host host;
        ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "area", r, AREA_CAPTION));
        EXPECT_TRUE(ChooseItem(host, IDC_AREA_GENERAL_FONDO, "Azul B"));
        EXPECT_TRUE(ChooseItem(host, IDC_AREA_LIST, "Imagen"));
        EXPECT_TRUE(ChooseItem(host, IDC_AREA_GENERAL_FONDO, "Gris"));
        EXPECT_EQ(std::memcmp(host.End(IDC_T_CANCELAR).areas, r.areas, sizeof r.areas), 0);
    }
    {
        Host host;
        ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "area", r, AREA_CAPTION));
        EXPECT_TRUE(ChooseItem(host, IDC_AREA_GENERAL_FONDO, "Azul B"));
        EXPECT_EQ(std::memcmp(host.End(0).areas, r.areas, sizeof r.areas), 0);
    }
    {
        // Server form: "&Aceptar" is 1022.
        Host host;
        ASSERT_TRUE(host.Open(PARAMS_HOST_SERVER, "area", r, AREA_CAPTION));
        EXPECT_EQ(host.Text(IDC_S_ACEPTAR), "&Aceptar");
        EXPECT_TRUE(ChooseItem(host, IDC_AREA_ESC_FONDO, "Rojo"));
        EXPECT_EQ(Row(host.End(IDC_S_ACEPTAR, 1), 0), (Ints{7, 1, 15, N, N, 4, N}));
    }
    {
        // General installer's form: "&Cancelar" is 1004.
        Host host;
        ASSERT_TRUE(host.Open(PARAMS_HOST_STANDALONE, "area", r, AREA_CAPTION));
        EXPECT_EQ(host.Text(IDC_G_CANCELAR), "&Cancelar");
        EXPECT_TRUE(ChooseItem(host, IDC_AREA_ESC_FONDO, "Rojo"));
        EXPECT_EQ(std::memcmp(host.End(IDC_G_CANCELAR).areas, r.areas, sizeof r.areas), 0);
    }
}

// PARAM_RCM ------------------------------------------------------------------

TEST(Rcm, ShowsTheStoredValuesAndStoresTheChoices)
{
    AppParams r = Defaults();
    r.renglones = 30;
    r.columnas = 100;
    Host host;
    ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "rcm", r, RCM_CAPTION));
    EXPECT_EQ(host.Text(IDC_RCM_RENGLONES), "30");
    EXPECT_EQ(host.Text(IDC_RCM_COLUMNAS), "100");
    std::vector<std::string> rows = host.Items(IDC_RCM_RENGLONES);
    std::vector<std::string> columns = host.Items(IDC_RCM_COLUMNAS);
    ASSERT_EQ(rows.size(), 28u);
    ASSERT_EQ(columns.size(), 121u);
    EXPECT_EQ(rows.front() + "/" + rows.back(), "23/50");
    EXPECT_EQ(columns.front() + "/" + columns[20] + "/" + columns.back(), "80/100/200");
    EXPECT_TRUE(ChooseItem(host, IDC_RCM_RENGLONES, "45"));
    EXPECT_TRUE(ChooseItem(host, IDC_RCM_COLUMNAS, "132"));
    EXPECT_TRUE(drive::Screenshot(host.dialog, "param_rcm.bmp"));
    AppParams out = host.End(IDC_T_ACEPTAR);
    EXPECT_EQ((Ints{out.renglones, out.columnas}), (Ints{45, 132}));
}

TEST(Rcm, CancelOutOfRangeValuesAndTypedTexts)
{
    AppParams r = Defaults();
    r.renglones = 0;
    r.columnas = 999;
    {
        Host host;
        ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "rcm", r, RCM_CAPTION));
        EXPECT_EQ(host.Text(IDC_RCM_RENGLONES), "23");
        EXPECT_EQ(host.Text(IDC_RCM_COLUMNAS), "80");
        EXPECT_TRUE(ChooseItem(host, IDC_RCM_RENGLONES, "40"));
        AppParams out = host.End(IDC_T_CANCELAR);
        EXPECT_EQ((Ints{out.renglones, out.columnas}), (Ints{0, 999}));
    }
    r.renglones = 30;
    r.columnas = 100;
    {
        // A typed number of the list counts; any other text keeps the value.
        Host host;
        ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "rcm", r, RCM_CAPTION));
        TypeText(host, IDC_RCM_RENGLONES, "31");
        TypeText(host, IDC_RCM_COLUMNAS, "79");
        AppParams out = host.End(IDC_T_ACEPTAR);
        EXPECT_EQ((Ints{out.renglones, out.columnas}), (Ints{31, 100}));
    }
    {
        Host host;
        ASSERT_TRUE(host.Open(PARAMS_HOST_SERVER, "rcm", r, RCM_CAPTION));
        TypeText(host, IDC_RCM_RENGLONES, "abc");
        EXPECT_TRUE(ChooseItem(host, IDC_RCM_COLUMNAS, "200"));
        AppParams out = host.End(IDC_S_ACEPTAR);
        EXPECT_EQ((Ints{out.renglones, out.columnas}), (Ints{30, 200}));
    }
}

// Dalvo carries the terminal form of the dialogs ----------------------------

namespace {

INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

}  // namespace

TEST(Resources, DalvoCarriesTheTerminalFormOfTheDialogs)
{
    HMODULE dalvo = LoadLibraryExA(DALVO_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(dalvo, nullptr);
    HWND estilo = CreateDialogParamA(dalvo, "Param_Estilo", nullptr, Inert, 0);
    ASSERT_NE(estilo, nullptr);
    EXPECT_EQ(drive::Text(estilo), ESTILO_CAPTION);
    const EstiloForm& form = TERMINAL_FORMS.estilo;
    for (const EstiloParam& p : form.params) {
        EXPECT_NE(GetDlgItem(estilo, p.combo), nullptr) << p.combo;
        EXPECT_NE(GetDlgItem(estilo, p.preBox), nullptr) << p.preBox;
    }
    for (int id : {form.gradienteFondo, form.gradienteAreas, form.gradienteSinEfecto, form.usarGradiente, form.help,
                   form.preview})
        EXPECT_NE(GetDlgItem(estilo, id), nullptr) << id;
    EXPECT_EQ(drive::ControlText(estilo, form.usarGradiente), "Usar gradiente en \xE1reas cuando no aplica");
    // The font and gradient lists are sorted, the others keep table order.
    auto sorted = [&](int id) { return (GetWindowLongA(GetDlgItem(estilo, id), GWL_STYLE) & CBS_SORT) != 0; };
    EXPECT_TRUE(sorted(form.params[0].combo));
    EXPECT_TRUE(sorted(form.gradienteSinEfecto));
    EXPECT_FALSE(sorted(form.params[3].combo));
    DestroyWindow(estilo);

    HWND area = CreateDialogParamA(dalvo, "Param_Area", nullptr, Inert, 0);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(drive::Text(area), AREA_CAPTION);
    for (int id : AREA_COLOUR_COMBOS)
        EXPECT_NE(GetDlgItem(area, id), nullptr) << id;
    EXPECT_EQ(drive::ControlText(area, IDC_T_ACEPTAR), "&Aceptar");
    EXPECT_EQ(drive::ControlText(area, IDC_T_CANCELAR), "&Cancelar");
    std::vector<std::string> texts = drive::StaticTexts(area);
    for (const char* text :
         {"Luego selecciona su color de fondo general as\xED como el color de fondo y color de letras para los "
          "letreros, las variables en lectura y las variables en escritura.",
          "Al menos debes proporcionar el color de fondo general, el color de fondo para letreros y el color de "
          "letras para letreros.",
          "Finalmente selecciona 'Aceptar' para guardar los cambios o 'Cancelar' para conservar los valores "
          "anteriores."})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    DestroyWindow(area);

    HWND rcm = CreateDialogParamA(dalvo, "Param_RCM", nullptr, Inert, 0);
    ASSERT_NE(rcm, nullptr);
    EXPECT_EQ(drive::Text(rcm), RCM_CAPTION);
    EXPECT_NE(GetDlgItem(rcm, IDC_RCM_RENGLONES), nullptr);
    EXPECT_NE(GetDlgItem(rcm, IDC_RCM_COLUMNAS), nullptr);
    DestroyWindow(rcm);
    EXPECT_NE(FindResourceA(dalvo, "AYUDA_PARAMETROS1", MAKEINTRESOURCEA(5)), nullptr);  // RT_DIALOG
    FreeLibrary(dalvo);
}
