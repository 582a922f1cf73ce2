// The parameter editor's rules apart from its controls: read-back of texts,
// the Imagen choice, the checks on accepting, the bounds of rows/columns and
// the terminal form's data.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "params/editform.h"
#include "params/kinds.h"
#include "recordfix.h"

namespace {

using recordfix::Defaults;

int shortcutAsked;
// The name asked about is the record's.
int ShortcutTaken(const char* name)
{
    ++shortcutAsked;
    return std::strcmp(name, "Ventas") == 0;
}
int ShortcutFree(const char*)
{
    ++shortcutAsked;
    return 0;
}

}  // namespace

TEST(EditRules, TextsAreReadBackIntoTheirFields)
{
    AppParams r = Defaults();
    EXPECT_EQ(ReadEditorText(r, ED_MODERNO, "Tahoma"), 1);
    EXPECT_STREQ(r.letraModerno, "Tahoma");
    EXPECT_EQ(ReadEditorText(r, ED_MANUSCRITO, "Script"), 1);
    EXPECT_STREQ(r.letraManuscrito, "Script");
    EXPECT_EQ(ReadEditorText(r, ED_DIRECTORIO, "D:\\Listados"), 1);
    EXPECT_STREQ(r.directaDirectorio, "D:\\Listados");
    EXPECT_EQ(ReadEditorText(r, ED_NOMBRE_DIRECTA, "LPT2:"), 1);
    EXPECT_STREQ(r.directaNombre, "LPT2:");

    // A text longer than the field is cut to 127 characters.
    std::string longName(300, 'x');
    ReadEditorText(r, ED_ROMANO, longName.c_str());
    EXPECT_EQ(std::strlen(r.letraRomano), 127u);
    EXPECT_EQ(r.letraSuizo, std::string("Arial"));  // the neighbour is untouched

    // Tables: exact, case-sensitive; no match leaves the field.
    EXPECT_EQ(ReadEditorText(r, ED_ENVIO, "BLA=BL Automatico"), 1);
    EXPECT_EQ(r.envio, 2);
    EXPECT_EQ(ReadEditorText(r, ED_ENVIO, "bl=Bloque de campos"), 0);
    EXPECT_EQ(ReadEditorText(r, ED_ENVIO, "BL"), 0);
    EXPECT_EQ(r.envio, 2);
    EXPECT_EQ(ReadEditorText(r, ED_TAMANO, "RCM"), 1);
    EXPECT_EQ(r.tamano, 5);
    EXPECT_EQ(ReadEditorText(r, ED_TAMANO, "Auto"), 1);
    EXPECT_EQ(r.tamano, 3);
    EXPECT_EQ(ReadEditorText(r, ED_TAMANO, "Predeterminado"), 0);
    EXPECT_EQ(r.tamano, 3);

    // Margen: the first four characters.
    EXPECT_EQ(ReadEditorText(r, ED_MARGEN, "0.4"), 1);
    EXPECT_EQ(r.margen, 2);
    EXPECT_EQ(ReadEditorText(r, ED_MARGEN, "0.6x"), 0);
    EXPECT_EQ(ReadEditorText(r, ED_MARGEN, "9.9"), 0);
    EXPECT_EQ(ReadEditorText(r, ED_MARGEN, ""), 0);
    EXPECT_EQ(r.margen, 2);
}

TEST(EditRules, ImagenStaysWithinItsTable)
{
    EXPECT_EQ(ImagenChoice(0, "jpg", 1), 0);
    EXPECT_EQ(ImagenChoice(2, "gif", 1), 2);
    // Typed texts: one of the formats counts, anything else keeps the value.
    EXPECT_EQ(ImagenChoice(-1, "gif", 1), 2);
    EXPECT_EQ(ImagenChoice(-1, "bmp", 0), 0);
    EXPECT_EQ(ImagenChoice(-1, "", 2), 2);
    EXPECT_EQ(ImagenChoice(-1, "GIF", 1), 1);
    // A position or stored value outside the table never gets through.
    EXPECT_EQ(ImagenChoice(3, "", 2), 2);
    EXPECT_EQ(ImagenChoice(-1, "tif", 200), 1);
}

TEST(EditRules, ChecksOnAcceptingRunInOrder)
{
    AppParams r = Defaults();
    r.nombre[0] = '\0';
    r.ipServidor[0] = '\0';
    shortcutAsked = 0;
    EXPECT_EQ(CheckEditedRecord(r, 1, ShortcutTaken), EDIT_NO_NAME);
    EXPECT_EQ(shortcutAsked, 0);
    EXPECT_STREQ(EditorVerdictText(EDIT_NO_NAME), "La aplicaci\xF3n debe tener nombre !");

    std::strcpy(r.nombre, "Ventas");
    EXPECT_EQ(CheckEditedRecord(r, 1, ShortcutTaken), EDIT_NAME_TAKEN);
    EXPECT_STREQ(EditorVerdictText(EDIT_NAME_TAKEN), "El nombre de la aplicaci\xF3n ya existe !");
    // An update does not ask for the shortcut at all.
    shortcutAsked = 0;
    EXPECT_EQ(CheckEditedRecord(r, 0, ShortcutTaken), EDIT_NO_IP);
    EXPECT_EQ(shortcutAsked, 0);
    EXPECT_EQ(CheckEditedRecord(r, 1, ShortcutFree), EDIT_NO_IP);
    EXPECT_STREQ(EditorVerdictText(EDIT_NO_IP), "La direcci\xF3n IP no puede ser blancos !");

    std::strcpy(r.ipServidor, "10.0.0.1");
    EXPECT_EQ(CheckEditedRecord(r, 1, ShortcutFree), EDIT_VALID);
    // Texts that would add lines to the parameter file or arguments to the
    // client's command line; blanks elsewhere and accents are fine.
    std::strcpy(r.correoServidor, "smtp.ejemplo.com");
    std::strcpy(r.letraSuizo, "Arial Black");
    std::strcpy(r.parametrosP, "CLAVE,PR X");
    EXPECT_EQ(UnsafeField(r), nullptr);
    AppParams bad = r;
    std::strcpy(bad.ipServidor, "10.0.0.1 -jar");
    EXPECT_STREQ(UnsafeField(bad), "Direcci\xF3n IP");
    EXPECT_EQ(CheckEditedRecord(bad, 0, ShortcutFree), EDIT_UNSAFE_TEXT);
    bad = r;
    std::strcpy(bad.parametrosP, "A\" -x \"");
    EXPECT_STREQ(UnsafeField(bad), "Par\xE1metros");
    bad = r;
    std::strcpy(bad.correoServidor, "smtp\r\nFondoRojo");
    EXPECT_STREQ(UnsafeField(bad), "Correo: servidor");
    EXPECT_EQ(CheckEditedRecord(r, 0, ShortcutTaken), EDIT_VALID);
    EXPECT_STREQ(EditorVerdictText(EDIT_VALID), "");
}

TEST(EditRules, RowsAndColumnsAreBroughtIntoTheirLists)
{
    AppParams r = Defaults();
    const struct {
        int32_t rows, columns, wantRows, wantColumns;
    } cases[] = {{0, 0, 23, 80},     {23, 80, 23, 80},   {50, 200, 50, 200}, {22, 79, 23, 80},
                 {51, 201, 23, 80},  {30, 100, 30, 100}, {-5, -1, 23, 80}};
    for (const auto& c : cases) {
        r.renglones = c.rows;
        r.columnas = c.columns;
        BoundRowsColumns(r);
        EXPECT_EQ(r.renglones, c.wantRows) << c.rows;
        EXPECT_EQ(r.columnas, c.wantColumns) << c.columns;
    }
}

TEST(EditRules, FlagsOfEachParameter)
{
    AppParams r = Defaults();
    for (int slot = 0; slot < PARAM_SLOT_COUNT; ++slot) {
        r.pre[slot] = 100 + slot;
        r.mod[slot] = 200 + slot;
    }
    r.preMargen = 77;
    r.modMargen = 88;
    const struct {
        EditorParam param;
        int kind, pre, mod;
    } expected[] = {{ED_MODERNO, KIND_MODERNO, 100, 200},       {ED_DECORATIVO, KIND_DECORATIVO, 101, 201},
                    {ED_ROMANO, KIND_ROMANO, 102, 202},         {ED_SUIZO, KIND_SUIZO, 103, 203},
                    {ED_MANUSCRITO, KIND_MANUSCRITO, 104, 204}, {ED_ENVIO, KIND_ENVIO, 105, 205},
                    {ED_TAMANO, KIND_TAMANO, 110, 210},         {ED_DIRECTORIO, KIND_DIRECTORIO, 113, 213},
                    {ED_NOMBRE_DIRECTA, KIND_NOMBRE_DIRECTA, 114, 213},
                    {ED_MARGEN, KIND_MARGEN, 77, 88}};
    for (const auto& e : expected) {
        EXPECT_EQ(EditorParamKind(e.param), e.kind) << e.param;
        EXPECT_EQ(EditorPreFlag(r, e.param), e.pre) << e.param;
        EXPECT_EQ(EditorModFlag(r, e.param), e.mod) << e.param;
    }
    SetEditorPreFlag(r, ED_MARGEN, 0);
    EXPECT_EQ(+r.preMargen, 0);
    SetEditorPreFlag(r, ED_TAMANO, 1);
    EXPECT_EQ(+r.pre[SLOT_TAMANO], 1);

    // Each form's control identifiers, none twice in its dialog: control,
    // Pre. box and (server form) Mod. box of each parameter, one Mod. box for
    // the direct printer's directory and name, and every other control.
    const struct {
        const EditorForm& form;
        int ids[ED_PARAM_COUNT][3];
    } forms[] = {{TERMINAL_EDITOR,
                  {{1018, 1028, 0}, {1019, 1030, 0}, {1021, 1031, 0}, {1020, 1032, 0}, {1022, 1034, 0},
                   {1009, 1035, 0}, {1017, 1045, 0}, {1043, 1037, 0}, {1013, 1038, 0}, {1040, 1048, 0}}},
                 {SERVER_EDITOR,
                  {{1017, 1036, 1028}, {1018, 1037, 1031}, {1020, 1038, 1034}, {1019, 1039, 1035}, {1021, 1061, 1043},
                   {1007, 1062, 1045}, {1015, 1076, 1060}, {1055, 1048, 1066}, {1014, 1051, 0}, {1073, 1075, 1030}}},
                 {STANDALONE_EDITOR,
                  {{1020, 1028, 0}, {1021, 1029, 0}, {1023, 1030, 0}, {1022, 1031, 0}, {1024, 1033, 0},
                   {1011, 1034, 0}, {1019, 1045, 0}, {1014, 1036, 0}, {1013, 1037, 0}, {1035, 1039, 0}}}};
    for (const auto& entry : forms) {
        const EditorForm& f = entry.form;
        std::set<int> seen;
        for (int p = 0; p < ED_PARAM_COUNT; ++p) {
            EXPECT_EQ(f.params[p].control, entry.ids[p][0]) << p;
            EXPECT_EQ(f.params[p].preBox, entry.ids[p][1]) << p;
            EXPECT_EQ(f.params[p].modBox, entry.ids[p][2]) << p;
            for (int id : entry.ids[p])
                EXPECT_TRUE(id == 0 || seen.insert(id).second) << id;
        }
        for (int id : {f.rcm, f.printer, f.nombre, f.ip, f.parametros, f.paginaInicial, f.imagenesGrandes,
                       f.directaI, f.directaF, f.directaA, f.enviador, f.servidor, f.clave, f.imagen,
                       f.seleccionarSi, f.seleccionarNo, f.tiempo, f.preview, f.changeIcon, f.estilo, f.area,
                       f.accept, f.cancel, f.remove, f.help, f.modEnviador, f.modServidor, f.modClave, f.modImagen,
                       f.modSeleccionar})
            EXPECT_TRUE(id == 0 || seen.insert(id).second) << id;
        EXPECT_EQ(f.tiempo, 1087);
        EXPECT_EQ(f.imagenesGrandes, 2000);
        EXPECT_EQ(f.cancel, &f == &STANDALONE_EDITOR ? 1004 : 1002);
    }
    const EditorForm &f = TERMINAL_EDITOR, &s = SERVER_EDITOR;
    EXPECT_EQ(f.accept, 1024);
    EXPECT_EQ(f.remove, 1036);
    EXPECT_EQ(f.modRestricts, 1);
    EXPECT_EQ(f.editsIdentity, 0);
    EXPECT_EQ(f.modEnviador, 0);
    EXPECT_EQ(s.accept, 1022);
    EXPECT_EQ(s.remove, 1026);
    EXPECT_EQ(s.modRestricts, 0);
    EXPECT_EQ(s.editsIdentity, 1);
    for (int box : {s.modEnviador, s.modServidor, s.modClave, s.modImagen, s.modSeleccionar})
        EXPECT_NE(box, 0);
    const EditorForm& g = STANDALONE_EDITOR;
    EXPECT_EQ(g.accept, 1025);
    EXPECT_EQ(g.remove, 1027);
    EXPECT_EQ(g.modRestricts + g.modEnviador + g.modSeleccionar, 0);
    EXPECT_EQ(g.editsIdentity, 1);

    // A Mod. flag set through the form's parameter lands in its own slot.
    AppParams m = recordfix::Defaults("m");
    SetEditorModFlag(m, ED_MARGEN, 0);
    SetEditorModFlag(m, ED_DIRECTORIO, 0);
    EXPECT_EQ(+m.modMargen, 0);
    EXPECT_EQ(+m.mod[SLOT_DIRECTA_DIRECTORIO], 0);
    EXPECT_EQ(EditorModFlag(m, ED_NOMBRE_DIRECTA), 0);
}
