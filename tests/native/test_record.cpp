#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "params/record.h"

namespace {

AppParams Filled(uint8_t byte)
{
    AppParams r;
    std::memset(&r, byte, sizeof r);
    return r;
}

std::vector<uint8_t> Bytes(const AppParams& r)
{
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&r);
    return std::vector<uint8_t>(p, p + sizeof r);
}

// The fields that index a table, in record order, and their defaults.
std::vector<int> Indexes(const AppParams& r)
{
    return {r.envio,          r.estilo,        r.efectoFondo,    r.colorFondo,         r.colorLetras, r.tamano,
            r.gradienteFondo, r.efectoAreas,   r.gradienteAreas, r.gradienteSinEfecto, r.margen,      r.imagen};
}
const std::vector<int> DEFAULT_INDEXES = {0, 0, 3, 11, 0, 0, 2, 4, 2, 2, 5, 1};

}  // namespace

TEST(Record, DefaultsLeaveNameAndNotResetFieldsAlone)
{
    AppParams r = Filled(0x5A);
    std::strcpy(r.nombre, "Ventas");
    SetEntryDefaults(r);

    EXPECT_STREQ(r.nombre, "Ventas");
    EXPECT_STREQ(r.ipServidor, "");
    EXPECT_STREQ(r.parametrosP, "");
    EXPECT_STREQ(r.font, "");
    EXPECT_STREQ(r.correoEnviador, "");
    EXPECT_STREQ(r.correoServidor, "");
    EXPECT_STREQ(r.tiempo, "");
    EXPECT_STREQ(r.letraModerno, "Courier New");
    EXPECT_STREQ(r.letraDecorativo, "Lucida Calligraphy");
    EXPECT_STREQ(r.letraRomano, "Times New Roman");
    EXPECT_STREQ(r.letraSuizo, "Arial");
    EXPECT_STREQ(r.letraManuscrito, "Lucida Handwriting");
    EXPECT_STREQ(r.directaDirectorio, "C:\\");
    EXPECT_STREQ(r.directaNombre, "PRN");
    EXPECT_EQ(+r.paginaInicial, 0);
    EXPECT_EQ(Indexes(r), DEFAULT_INDEXES);
    for (int i = 0; i < PARAM_SLOT_COUNT; ++i) {
        EXPECT_EQ(+r.mod[i], 1) << i;
        EXPECT_EQ(+r.pre[i], 1) << i;
    }
    EXPECT_EQ(+r.usarGradienteAreas, 1);
    EXPECT_EQ(+r.directaI, 0);
    EXPECT_EQ(+r.directaF, 0);
    EXPECT_EQ(+r.directaA, 0);
    EXPECT_EQ(+r.preMargen, 1);
    EXPECT_EQ(+r.modMargen, 1);
    EXPECT_EQ(+r.modEnviador, 1);
    EXPECT_EQ(+r.modServidor, 1);
    EXPECT_EQ(+r.imagenesGrandes, 0);
    EXPECT_EQ(+r.seleccionarImpresora, 0);
    for (auto& row : r.areas)
        for (uint8_t colour : row)
            EXPECT_EQ(colour, NO_COLOUR);

    // Not reset: whatever the record held before.
    AppParams marker = Filled(0x5A);
    EXPECT_EQ(0, std::memcmp(r.correoClave, marker.correoClave, sizeof r.correoClave));
    EXPECT_EQ(+r.modClave, +marker.modClave);
    EXPECT_EQ(+r.modSeleccionar, +marker.modSeleccionar);
    EXPECT_EQ(+r.modImagen, +marker.modImagen);
    EXPECT_EQ(+r.renglones, +marker.renglones);
    EXPECT_EQ(+r.columnas, +marker.columnas);
}

TEST(Record, EntryBytesOverlayFromOffsetZero)
{
    // A well-formed record is taken byte for byte, bytes after terminators included.
    AppParams stored = Filled(0);
    SetEntryDefaults(stored);
    std::strcpy(stored.nombre, "Contabilidad");
    stored.nombre[100] = 'x';
    std::strcpy(stored.ipServidor, "192.168.10.20");
    stored.envio = 2;
    stored.tamano = 5;
    stored.renglones = 40;
    stored.columnas = 132;
    stored.areas[3][6] = 15;
    std::strcpy(stored.tiempo, "123456789");
    AppParams loaded = Filled(0x77);
    ApplyEntryBytes(loaded, &stored, sizeof stored);
    EXPECT_EQ(Bytes(loaded), Bytes(stored));

    // A file of 148 bytes gives nombre and ipServidor; the rest keeps its defaults.
    AppParams shortLoad = Filled(0x33);
    SetEntryDefaults(shortLoad);
    shortLoad.correoClave[127] = '\0';
    AppParams expected = shortLoad;
    std::memcpy(&expected, &stored, 148);
    ApplyEntryBytes(shortLoad, &stored, 148);
    EXPECT_EQ(Bytes(shortLoad), Bytes(expected));
    EXPECT_STREQ(shortLoad.ipServidor, "192.168.10.20");

    // Bytes past the record are ignored.
    std::vector<uint8_t> longer = Bytes(stored);
    longer.resize(sizeof stored + 500, 0xEE);
    AppParams fromLong = Filled(0);
    ApplyEntryBytes(fromLong, longer.data(), longer.size());
    EXPECT_EQ(Bytes(fromLong), Bytes(stored));

    // Nothing read: the record is unchanged.
    AppParams empty = stored;
    ApplyEntryBytes(empty, nullptr, 0);
    EXPECT_EQ(Bytes(empty), Bytes(stored));
}

TEST(Record, ForeignBytesAreMadeSafe)
{
    AppParams wild = Filled(0xFF);  // no terminator anywhere, every index out of range
    AppParams r = Filled(0);
    ApplyEntryBytes(r, &wild, sizeof wild);

    EXPECT_EQ(std::strlen(r.nombre), 127u);
    EXPECT_EQ(std::strlen(r.ipServidor), 19u);
    EXPECT_EQ(std::strlen(r.parametrosP), 127u);
    EXPECT_EQ(std::strlen(r.letraManuscrito), 127u);
    EXPECT_EQ(std::strlen(r.font), 127u);
    EXPECT_EQ(std::strlen(r.directaNombre), 127u);
    EXPECT_EQ(std::strlen(r.correoClave), 127u);
    EXPECT_EQ(std::strlen(r.tiempo), 9u);

    EXPECT_EQ(Indexes(r), DEFAULT_INDEXES);
    for (auto& row : r.areas)
        for (uint8_t colour : row)
            EXPECT_EQ(colour, NO_COLOUR);

    // The first value past each table is replaced; the last valid one is kept.
    AppParams edge = Filled(0);
    SetEntryDefaults(edge);
    edge.envio = 3;
    edge.tamano = 5;
    edge.colorFondo = 15;
    edge.efectoAreas = 12;
    edge.areas[0][0] = 17;
    edge.areas[7][6] = 16;
    edge.areas[1][2] = 0;
    AppParams got = Filled(0);
    ApplyEntryBytes(got, &edge, sizeof edge);
    EXPECT_EQ(+got.envio, 0);
    EXPECT_EQ(+got.tamano, 5);
    EXPECT_EQ(+got.colorFondo, 15);
    EXPECT_EQ(+got.efectoAreas, 4);
    EXPECT_EQ(+got.areas[0][0], NO_COLOUR);
    EXPECT_EQ(+got.areas[7][6], NO_COLOUR);
    EXPECT_EQ(+got.areas[1][2], 0);
}

TEST(Record, ChoiceTables)
{
    EXPECT_STREQ(SEND_MODE_TEXTS[2], "BLA=BL Automatico");
    EXPECT_STREQ(SEND_MODE_CODES[1], "BL");
    EXPECT_STREQ(FONT_STYLES[2], "Inclinado");
    EXPECT_STREQ(WINDOW_SIZES[3], "Auto");
    EXPECT_STREQ(WINDOW_SIZES[5], "RCM");
    EXPECT_STREQ(COLOUR_NAMES[11], "Celeste B");
    EXPECT_STREQ(COLOUR_NAMES[15], "Blanco B");
    EXPECT_STREQ(EFFECT_NAMES[4], "Laberinto");
    EXPECT_STREQ(EFFECT_NAMES[11], "Rombos");
    EXPECT_STREQ(GRADIENT_STEPS[2], "60");
    EXPECT_STREQ(MARGINS[5], "1.0");
    EXPECT_STREQ(IMAGE_FORMATS[0], "jpg");
    EXPECT_STREQ(AREA_NAMES[7], "Menu-Marcas");
    EXPECT_STREQ(PRINTER_FONT_FAMILIES[4], "Manuscrito");

    // Combo order of the window sizes: "Auto" first, then 640-480 ... RCM.
    const char* combo[6] = {"Auto", "640-480", "800-600", "1024-768", "2048-1536", "RCM"};
    for (int index = 0; index < 6; ++index)
        EXPECT_STREQ(combo[WINDOW_SIZE_ORDER[index]], WINDOW_SIZES[index]);

    EXPECT_STREQ(ChoiceText(COLOUR_NAMES, 16), "");
    EXPECT_STREQ(ChoiceText(SEND_MODE_CODES, 7), "");
    EXPECT_STREQ(ChoiceText(SEND_MODE_CODES, 2), "BLA");
    EXPECT_EQ(ChoiceIndex(COLOUR_NAMES, "Azul B"), 9);
    EXPECT_EQ(ChoiceIndex(COLOUR_NAMES, "azul b"), -1);
    EXPECT_EQ(ChoiceIndex(COLOUR_NAMES, "Azul"), 1);
    EXPECT_EQ(ChoiceIndex(COLOUR_NAMES, "Azul "), -1);
    EXPECT_EQ(ChoiceIndex(COLOUR_NAMES, ""), -1);
    EXPECT_EQ(ChoiceIndex(SEND_MODE_TEXTS, "BL=Bloque de campos"), 1);
}
