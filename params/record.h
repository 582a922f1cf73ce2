// The application parameter record and its tables of choices.
// The record is the entry file byte for byte: its layout is a contract with
// every entry file already stored on a server, so nothing here may move.
// No windows.h: this builds natively too.
#pragma once

#include <cstddef>
#include <cstdint>

enum ParamSlot {
    SLOT_MODERNO = 0,
    SLOT_DECORATIVO = 1,
    SLOT_ROMANO = 2,
    SLOT_SUIZO = 3,
    SLOT_MANUSCRITO = 4,
    SLOT_ENVIO = 5,
    SLOT_FONT = 6,
    SLOT_ESTILO = 7,
    SLOT_EFECTO_FONDO = 8,
    SLOT_FONDO = 9,
    SLOT_TAMANO = 10,
    SLOT_LETRAS = 11,
    SLOT_EFECTO_AREAS = 12,
    SLOT_DIRECTA_DIRECTORIO = 13,
    SLOT_DIRECTA_NOMBRE = 14,
    PARAM_SLOT_COUNT = 15
};

enum { NO_COLOUR = 16, AREA_COUNT = 8, COLOUR_ROLE_COUNT = 7 };
enum { ENTRY_SIZE = 1946, TEXT_FIELD = 128 };

#pragma pack(push, 1)
struct AppParams {
    char nombre[128];
    char ipServidor[20];
    char parametrosP[128];
    int32_t paginaInicial;
    char letraModerno[128];
    char letraDecorativo[128];
    char letraRomano[128];
    char letraSuizo[128];
    char letraManuscrito[128];
    uint8_t envio;
    char font[128];
    uint8_t estilo;
    uint8_t efectoFondo;
    uint8_t colorFondo;
    uint8_t colorLetras;
    uint8_t tamano;
    int32_t mod[PARAM_SLOT_COUNT];
    int32_t pre[PARAM_SLOT_COUNT];
    uint8_t gradienteFondo;
    uint8_t efectoAreas;
    uint8_t gradienteAreas;
    int32_t usarGradienteAreas;
    uint8_t gradienteSinEfecto;
    char directaDirectorio[128];
    char directaNombre[128];
    int32_t directaI;
    int32_t directaF;
    int32_t directaA;
    char correoEnviador[128];
    char correoServidor[128];
    uint8_t margen;
    int32_t preMargen;
    int32_t modMargen;
    int32_t modEnviador;
    int32_t modServidor;
    int32_t imagenesGrandes;
    char correoClave[128];
    int32_t modClave;
    int32_t seleccionarImpresora;
    uint8_t imagen;
    int32_t modSeleccionar;
    int32_t modImagen;
    int32_t renglones;
    int32_t columnas;
    uint8_t areas[AREA_COUNT][COLOUR_ROLE_COUNT];
    char tiempo[10];
};
#pragma pack(pop)

#define VONDRA_AT(field, off) static_assert(offsetof(AppParams, field) == (off), #field)
static_assert(sizeof(AppParams) == ENTRY_SIZE, "entry file size");
VONDRA_AT(nombre, 0x000);
VONDRA_AT(ipServidor, 0x080);
VONDRA_AT(parametrosP, 0x094);
VONDRA_AT(paginaInicial, 0x114);
VONDRA_AT(letraModerno, 0x118);
VONDRA_AT(letraDecorativo, 0x198);
VONDRA_AT(letraRomano, 0x218);
VONDRA_AT(letraSuizo, 0x298);
VONDRA_AT(letraManuscrito, 0x318);
VONDRA_AT(envio, 0x398);
VONDRA_AT(font, 0x399);
VONDRA_AT(estilo, 0x419);
VONDRA_AT(efectoFondo, 0x41a);
VONDRA_AT(colorFondo, 0x41b);
VONDRA_AT(colorLetras, 0x41c);
VONDRA_AT(tamano, 0x41d);
VONDRA_AT(mod, 0x41e);
VONDRA_AT(pre, 0x45a);
VONDRA_AT(gradienteFondo, 0x496);
VONDRA_AT(efectoAreas, 0x497);
VONDRA_AT(gradienteAreas, 0x498);
VONDRA_AT(usarGradienteAreas, 0x499);
VONDRA_AT(gradienteSinEfecto, 0x49d);
VONDRA_AT(directaDirectorio, 0x49e);
VONDRA_AT(directaNombre, 0x51e);
VONDRA_AT(directaI, 0x59e);
VONDRA_AT(directaF, 0x5a2);
VONDRA_AT(directaA, 0x5a6);
VONDRA_AT(correoEnviador, 0x5aa);
VONDRA_AT(correoServidor, 0x62a);
VONDRA_AT(margen, 0x6aa);
VONDRA_AT(preMargen, 0x6ab);
VONDRA_AT(modMargen, 0x6af);
VONDRA_AT(modEnviador, 0x6b3);
VONDRA_AT(modServidor, 0x6b7);
VONDRA_AT(imagenesGrandes, 0x6bb);
VONDRA_AT(correoClave, 0x6bf);
VONDRA_AT(modClave, 0x73f);
VONDRA_AT(seleccionarImpresora, 0x743);
VONDRA_AT(imagen, 0x747);
VONDRA_AT(modSeleccionar, 0x748);
VONDRA_AT(modImagen, 0x74c);
VONDRA_AT(renglones, 0x750);
VONDRA_AT(columnas, 0x754);
VONDRA_AT(areas, 0x758);
VONDRA_AT(tiempo, 0x790);
#undef VONDRA_AT

// Tables of choices: fixed-size slots, indexed by the record's index fields.
extern const char SEND_MODE_TEXTS[3][23];
extern const char SEND_MODE_CODES[3][5];
extern const char FONT_STYLES[3][10];
extern const char WINDOW_SIZES[6][11];
extern const char COLOUR_NAMES[16][18];
extern const char EFFECT_NAMES[12][12];
extern const char GRADIENT_STEPS[3][4];
extern const char MARGINS[6][4];
extern const char IMAGE_FORMATS[3][6];
extern const char AREA_NAMES[AREA_COUNT][15];
extern const char PRINTER_FONT_FAMILIES[5][11];

// Combo position of each WINDOW_SIZES index ("Auto" first).
extern const uint8_t WINDOW_SIZE_ORDER[6];

// Text of a table slot, or "" for an index outside the table: index fields come
// from entry files that nobody validated.
template <size_t N, size_t W>
inline const char* ChoiceText(const char (&table)[N][W], unsigned index)
{
    return index < N ? table[index] : "";
}

// Index of an exact, case-sensitive match in a table, or -1.
template <size_t N, size_t W>
inline int ChoiceIndex(const char (&table)[N][W], const char* text)
{
    for (size_t i = 0; i < N; ++i) {
        size_t k = 0;
        while (k < W && table[i][k] == text[k] && text[k] != '\0')
            ++k;
        if (k < W && table[i][k] == '\0' && text[k] == '\0')
            return static_cast<int>(i);
    }
    return -1;
}

// Stores the position of text in table into an index field: 1, or 0 with
// the field unchanged when the text is not in the table.
template <size_t N, size_t W>
inline int StoreIndex(uint8_t& field, const char (&table)[N][W], const char* text)
{
    int index = ChoiceIndex(table, text);
    if (index < 0)
        return 0;
    field = static_cast<uint8_t>(index);
    return 1;
}

// The loader's defaults; nombre and the fields not reset keep their values.
void SetEntryDefaults(AppParams& record);

// Overlays the first bytes of an entry file on the record (at most the record's
// size), then makes the record safe to use: every text field is terminated
// within its width and every index field outside its table gets its default.
void ApplyEntryBytes(AppParams& record, const void* bytes, size_t length);
