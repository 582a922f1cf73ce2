#include "launch.h"

#include <cstdio>
#include <cstring>

#include "../base/textbuf.h"

namespace {

// Text of a record field: a field without a NUL is read up to its last
// byte, as the entry loader cuts it.
template <size_t W>
size_t FieldLength(const char (&field)[W])
{
    return strnlen(field, W - 1);
}

struct Lines {
    char* text;
    size_t size;
    int ok = 1;
    void Add(const char* key, bool equals, const char* value)
    {
        if (ok && !AppendParam(text, size, key, equals ? 1 : 0, value))
            ok = 0;
    }
};

// Colour of an area column; NO_COLOUR (a column left empty) has no name and
// gives an empty text between its commas.
const char* AreaColour(uint8_t colour)
{
    return ChoiceText(COLOUR_NAMES, colour);
}

void FormatArea(char (&value)[NUMBERS_SIZE * 4], const uint8_t (&c)[COLOUR_ROLE_COUNT])
{
    const char* parts[13];
    size_t count = 0;
    auto add = [&](uint8_t colour, bool comma) {
        if (comma)
            parts[count++] = ",";
        parts[count++] = AreaColour(colour);
    };
    add(c[0], false);
    add(c[1], true);
    add(c[2], true);
    if (c[3] != NO_COLOUR) {
        add(c[3], true);
        add(c[4], true);
        if (c[5] != NO_COLOUR) {
            add(c[5], true);
            add(c[6], true);
        }
    }
    ComposeTextN(value, sizeof value, parts, count);
}

}  // namespace

int AppendParam(char* lines, size_t size, const char* key, int equals, const char* value)
{
    size_t used = strnlen(lines, size);
    size_t keyLength = std::strlen(key);
    size_t valueLength = std::strlen(value);
    size_t need = keyLength + (equals ? 1 : 0) + valueLength + 2;
    if (used >= size || need >= size - used)
        return 0;
    char* at = lines + used;
    std::memcpy(at, key, keyLength);
    at += keyLength;
    if (equals)
        *at++ = '=';
    std::memcpy(at, value, valueLength);
    at += valueLength;
    *at++ = '\r';
    *at++ = '\n';
    *at = '\0';
    return 1;
}

void FormatEfecto(char (&value)[NUMBERS_SIZE], const AppParams& r)
{
    std::snprintf(value, sizeof value, "%u,%u,%u,%u,%d,%u", unsigned{r.efectoFondo}, unsigned{r.gradienteFondo},
                  unsigned{r.efectoAreas}, unsigned{r.gradienteAreas}, r.usarGradienteAreas != 0 ? 1 : 0,
                  unsigned{r.gradienteSinEfecto});
}

void FormatDirecta(char (&value)[DIRECTA_SIZE], const AppParams& r)
{
    std::snprintf(value, sizeof value, "%s%s%s,%.*s,%.*s", r.directaI != 0 ? "I" : "", r.directaF != 0 ? "F" : "",
                  r.directaA != 0 ? "A" : "", static_cast<int>(FieldLength(r.directaNombre)), r.directaNombre,
                  static_cast<int>(FieldLength(r.directaDirectorio)), r.directaDirectorio);
}

void FormatRcm(char (&value)[NUMBERS_SIZE], const AppParams& r)
{
    std::snprintf(value, sizeof value, "%ld-%ld", static_cast<long>(r.renglones), static_cast<long>(r.columnas));
}

int BuildParamLines(char (&lines)[PARAM_LINES_SIZE], const AppParams& record)
{
    // The record may come straight from a foreign entry file: terminate its
    // texts and bring its indexes into their tables first.
    AppParams r = record;
    ApplyEntryBytes(r, &record, sizeof record);

    lines[0] = '\0';
    Lines out{lines, sizeof lines};
    auto shown = [&r](int slot) { return r.pre[slot] == 0 || r.mod[slot] == 0; };
    auto fixed = [&r](int slot) { return r.mod[slot] == 0; };

    const char* fonts[5] = {r.letraModerno, r.letraDecorativo, r.letraRomano, r.letraSuizo, r.letraManuscrito};
    for (int slot = SLOT_MODERNO; slot <= SLOT_MANUSCRITO; ++slot)
        if (shown(slot))
            out.Add(PRINTER_FONT_FAMILIES[slot], fixed(slot), fonts[slot]);

    // A changeable parameter still at the loader's default is left to the client.
    if (shown(SLOT_ENVIO) && (r.envio != 0 || fixed(SLOT_ENVIO)))
        out.Add("Envio", fixed(SLOT_ENVIO), SEND_MODE_CODES[r.envio]);
    if (shown(SLOT_FONT))
        out.Add("Font", fixed(SLOT_FONT), r.font);
    if (shown(SLOT_ESTILO) && (r.estilo != 0 || fixed(SLOT_ESTILO)))
        out.Add("Estilo", fixed(SLOT_ESTILO), FONT_STYLES[r.estilo]);
    if (shown(SLOT_FONDO) && (r.colorFondo != 11 || fixed(SLOT_FONDO)))
        out.Add("Fondo", fixed(SLOT_FONDO), COLOUR_NAMES[r.colorFondo]);
    if (shown(SLOT_LETRAS) && (r.colorLetras != 0 || fixed(SLOT_LETRAS)))
        out.Add("Letras", fixed(SLOT_LETRAS), COLOUR_NAMES[r.colorLetras]);
    if (shown(SLOT_TAMANO)) {
        char rcm[NUMBERS_SIZE];
        FormatRcm(rcm, r);
        if (r.tamano == 5)
            out.Add("Tama\xF1orcm", fixed(SLOT_TAMANO), rcm);
        else
            out.Add("Tama\xF1o", fixed(SLOT_TAMANO), WINDOW_SIZES[r.tamano]);
    }

    char efecto[NUMBERS_SIZE];
    FormatEfecto(efecto, r);
    out.Add("Efecto", fixed(SLOT_EFECTO_FONDO) || fixed(SLOT_EFECTO_AREAS), efecto);
    char directa[DIRECTA_SIZE];
    FormatDirecta(directa, r);
    out.Add("Directa", fixed(SLOT_DIRECTA_DIRECTORIO), directa);

    if ((r.preMargen == 0 || r.modMargen == 0) && (r.margen != 5 || r.modMargen == 0))
        out.Add("Margen", r.modMargen == 0, MARGINS[r.margen]);
    if (r.correoEnviador[0] != '\0')
        out.Add("Enviador", false, r.correoEnviador);
    if (r.correoServidor[0] != '\0')
        out.Add("Servidor", false, r.correoServidor);
    if (r.correoClave[0] != '\0')
        out.Add("Clave", false, r.correoClave);
    if (r.seleccionarImpresora != 0)
        out.Add("Seleccionar", false, "SI");
    if (r.tiempo[0] != '\0')
        out.Add("Tiempo", true, r.tiempo);
    if (r.imagen != 1)
        out.Add("Imagen", false, IMAGE_FORMATS[r.imagen]);

    for (int area = 0; area < AREA_COUNT; ++area) {
        if (r.areas[area][0] == NO_COLOUR)
            continue;
        char colours[NUMBERS_SIZE * 4];
        FormatArea(colours, r.areas[area]);
        out.Add(AREA_NAMES[area], false, colours);
    }

    if (!out.ok)
        lines[0] = '\0';
    return out.ok;
}

void BuildPArgument(char (&argument)[P_ARGUMENT_SIZE], const AppParams& r)
{
    size_t length = FieldLength(r.parametrosP);
    if (length == 0) {
        std::strcpy(argument, "/P=");
        return;
    }
    bool quoted = r.paginaInicial == 0;
    bool endsInX = length >= 2 && r.parametrosP[length - 2] == ',' &&
                   (r.parametrosP[length - 1] == 'x' || r.parametrosP[length - 1] == 'X');
    std::snprintf(argument, sizeof argument, "%s/P=%.*s%s%s", quoted ? "\"" : "", static_cast<int>(length),
                  r.parametrosP, endsInX ? "" : ",x", quoted ? " /C\"" : "");
}

int BuildCommandLine(char (&line)[COMMAND_LINE_SIZE], const AppParams& r, const char* installDir,
                     const char* paramFile, int javaFeature)
{
    char server[sizeof r.ipServidor];
    std::memcpy(server, r.ipServidor, FieldLength(r.ipServidor));
    server[FieldLength(r.ipServidor)] = '\0';
    char argument[P_ARGUMENT_SIZE];
    BuildPArgument(argument, r);

    const char* parts[] = {r.imagenesGrandes != 0 ? "-Xms200m -Xmx300m " : "",
                           "-cp ", installDir, "\\Vondra.JAR;", installDir, javaFeature <= 8 ? "\\*.JAR" : "\\*",
                           " Vondra ", server,
                           " ", argument,
                           " \"Archivo", paramFile, "\""};
    return ComposeTextN(line, sizeof line, parts, sizeof parts / sizeof parts[0]);
}

int ComposeShortcutPath(char (&path)[PATH_SIZE], const char* desktop, const char* name)
{
    char shortName[TEXT_FIELD];
    size_t length = std::strcspn(name, ".");
    if (length >= sizeof shortName) {
        path[0] = '\0';
        return 0;
    }
    std::memcpy(shortName, name, length);
    shortName[length] = '\0';
    return ComposeText(path, desktop, "\\", shortName, ".LNK");
}
