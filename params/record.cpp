#include "record.h"

#include <cstring>

const char SEND_MODE_TEXTS[3][23] = {"CXC=Campo por Campo", "BL=Bloque de campos", "BLA=BL Automatico"};
const char SEND_MODE_CODES[3][5] = {"CXC", "BL", "BLA"};
const char FONT_STYLES[3][10] = {"Normal", "Negrita", "Inclinado"};
const char WINDOW_SIZES[6][11] = {"640-480", "800-600", "1024-768", "Auto", "2048-1536", "RCM"};
const uint8_t WINDOW_SIZE_ORDER[6] = {1, 2, 3, 0, 4, 5};
const char COLOUR_NAMES[16][18] = {"Negro",  "Azul",    "Verde",     "Celeste", "Rojo",   "Magenta",
                                   "Cafe",   "Blanco",  "Gris",      "Azul B",  "Verde B", "Celeste B",
                                   "Rojo B", "Magenta B", "Amarillo", "Blanco B"};
const char EFFECT_NAMES[12][12] = {"Ninguno",   "Gradiente", "Curvas", "Difuso", "Laberinto", "Ladrillos",
                                   "Piedras",   "Puntos",    "Rayas",  "Redes",  "Circulos",  "Rombos"};
const char GRADIENT_STEPS[3][4] = {"20", "40", "60"};
const char MARGINS[6][4] = {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"};
const char IMAGE_FORMATS[3][6] = {"jpg", "png", "gif"};
const char AREA_NAMES[AREA_COUNT][15] = {"Renglon", "Columna",     "Menu-Letreros", "Menu-Variables",
                                         "Texto",   "Imagen",      "Menu-Imagenes", "Menu-Marcas"};
const char PRINTER_FONT_FAMILIES[5][11] = {"Moderno", "Decorativo", "Romano", "Suizo", "Manuscrito"};

namespace {

template <size_t W>
void SetText(char (&field)[W], const char* text)
{
    std::strncpy(field, text, W - 1);
    field[W - 1] = '\0';
}

// A field with no NUL inside its width is cut at its last byte; the bytes
// after an existing terminator are kept as stored.
template <size_t W>
void Terminate(char (&field)[W])
{
    if (std::memchr(field, '\0', W) == nullptr)
        field[W - 1] = '\0';
}

void Bound(uint8_t& field, unsigned count, uint8_t fallback)
{
    if (field >= count)
        field = fallback;
}

}  // namespace

void SetEntryDefaults(AppParams& r)
{
    r.ipServidor[0] = '\0';
    r.parametrosP[0] = '\0';
    r.font[0] = '\0';
    r.correoEnviador[0] = '\0';
    r.correoServidor[0] = '\0';
    r.tiempo[0] = '\0';
    SetText(r.letraModerno, "Courier New");
    SetText(r.letraDecorativo, "Lucida Calligraphy");
    SetText(r.letraRomano, "Times New Roman");
    SetText(r.letraSuizo, "Arial");
    SetText(r.letraManuscrito, "Lucida Handwriting");
    SetText(r.directaDirectorio, "C:\\");
    SetText(r.directaNombre, "PRN");
    r.paginaInicial = 0;
    r.envio = 0;
    r.estilo = 0;
    r.efectoFondo = 3;
    r.colorFondo = 11;
    r.colorLetras = 0;
    r.tamano = 0;
    for (int i = 0; i < PARAM_SLOT_COUNT; ++i) {
        r.mod[i] = 1;
        r.pre[i] = 1;
    }
    r.gradienteFondo = 2;
    r.efectoAreas = 4;
    r.gradienteAreas = 2;
    r.usarGradienteAreas = 1;
    r.gradienteSinEfecto = 2;
    r.directaI = 0;
    r.directaF = 0;
    r.directaA = 0;
    r.margen = 5;
    r.preMargen = 1;
    r.modMargen = 1;
    r.modEnviador = 1;
    r.modServidor = 1;
    r.imagenesGrandes = 0;
    r.seleccionarImpresora = 0;
    r.imagen = 1;
    std::memset(r.areas, NO_COLOUR, sizeof r.areas);
}

void ApplyEntryBytes(AppParams& r, const void* bytes, size_t length)
{
    if (length > sizeof r)
        length = sizeof r;
    if (length > 0)
        std::memcpy(&r, bytes, length);

    Terminate(r.nombre);
    Terminate(r.ipServidor);
    Terminate(r.parametrosP);
    Terminate(r.letraModerno);
    Terminate(r.letraDecorativo);
    Terminate(r.letraRomano);
    Terminate(r.letraSuizo);
    Terminate(r.letraManuscrito);
    Terminate(r.font);
    Terminate(r.directaDirectorio);
    Terminate(r.directaNombre);
    Terminate(r.correoEnviador);
    Terminate(r.correoServidor);
    Terminate(r.correoClave);
    Terminate(r.tiempo);

    Bound(r.envio, 3, 0);
    Bound(r.estilo, 3, 0);
    Bound(r.efectoFondo, 12, 3);
    Bound(r.colorFondo, 16, 11);
    Bound(r.colorLetras, 16, 0);
    Bound(r.tamano, 6, 0);
    Bound(r.gradienteFondo, 3, 2);
    Bound(r.efectoAreas, 12, 4);
    Bound(r.gradienteAreas, 3, 2);
    Bound(r.gradienteSinEfecto, 3, 2);
    Bound(r.margen, 6, 5);
    Bound(r.imagen, 3, 1);
    for (auto& row : r.areas)
        for (auto& colour : row)
            Bound(colour, NO_COLOUR + 1, NO_COLOUR);
}
