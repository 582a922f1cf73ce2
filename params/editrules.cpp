#include "editrules.h"

#include <cstring>

#include "../base/textbuf.h"
#include "choices.h"
#include "kinds.h"

namespace {

const int KINDS[ED_PARAM_COUNT] = {KIND_MODERNO, KIND_DECORATIVO,     KIND_ROMANO,         KIND_SUIZO,
                                   KIND_MANUSCRITO, KIND_ENVIO,       KIND_TAMANO,         KIND_DIRECTORIO,
                                   KIND_NOMBRE_DIRECTA, KIND_MARGEN};
const int PRE_SLOTS[ED_PARAM_COUNT] = {SLOT_MODERNO, SLOT_DECORATIVO, SLOT_ROMANO, SLOT_SUIZO,
                                       SLOT_MANUSCRITO, SLOT_ENVIO, SLOT_TAMANO, SLOT_DIRECTA_DIRECTORIO,
                                       SLOT_DIRECTA_NOMBRE, -1};
const int MOD_SLOTS[ED_PARAM_COUNT] = {SLOT_MODERNO, SLOT_DECORATIVO, SLOT_ROMANO, SLOT_SUIZO,
                                       SLOT_MANUSCRITO, SLOT_ENVIO, SLOT_TAMANO, SLOT_DIRECTA_DIRECTORIO,
                                       SLOT_DIRECTA_DIRECTORIO, -1};

}  // namespace

int EditorParamKind(EditorParam param)
{
    return KINDS[param];
}

int32_t EditorPreFlag(const AppParams& record, EditorParam param)
{
    return PRE_SLOTS[param] < 0 ? record.preMargen : record.pre[PRE_SLOTS[param]];
}

void SetEditorPreFlag(AppParams& record, EditorParam param, int32_t value)
{
    if (PRE_SLOTS[param] < 0)
        record.preMargen = value;
    else
        record.pre[PRE_SLOTS[param]] = value;
}

int32_t EditorModFlag(const AppParams& record, EditorParam param)
{
    return MOD_SLOTS[param] < 0 ? record.modMargen : record.mod[MOD_SLOTS[param]];
}

void SetEditorModFlag(AppParams& record, EditorParam param, int32_t value)
{
    if (MOD_SLOTS[param] < 0)
        record.modMargen = value;
    else
        record.mod[MOD_SLOTS[param]] = value;
}

int ReadEditorText(AppParams& r, EditorParam param, const char* text)
{
    switch (param) {
    case ED_MODERNO:
        return CopyText(r.letraModerno, text), 1;
    case ED_DECORATIVO:
        return CopyText(r.letraDecorativo, text), 1;
    case ED_ROMANO:
        return CopyText(r.letraRomano, text), 1;
    case ED_SUIZO:
        return CopyText(r.letraSuizo, text), 1;
    case ED_MANUSCRITO:
        return CopyText(r.letraManuscrito, text), 1;
    case ED_ENVIO:
        return StoreIndex(r.envio, SEND_MODE_TEXTS, text);
    case ED_TAMANO:
        return StoreIndex(r.tamano, WINDOW_SIZES, text);
    case ED_DIRECTORIO:
        return CopyText(r.directaDirectorio, text), 1;
    case ED_NOMBRE_DIRECTA:
        return CopyText(r.directaNombre, text), 1;
    case ED_MARGEN: {
        char head[5];
        CopyText(head, text);
        return StoreIndex(r.margen, MARGINS, head);
    }
    case ED_PARAM_COUNT:
        break;
    }
    return 0;
}

uint8_t ImagenChoice(long position, const char* text, uint8_t stored)
{
    if (position >= 0 && position < 3)
        return static_cast<uint8_t>(position);
    int typed = ChoiceIndex(IMAGE_FORMATS, text);
    if (typed >= 0)
        return static_cast<uint8_t>(typed);
    return stored < 3 ? stored : 1;
}

EditorVerdict CheckEditedRecord(const AppParams& record, int isNew, int (*nameTaken)(const char* name))
{
    if (record.nombre[0] == '\0')
        return EDIT_NO_NAME;
    if (isNew == 1 && nameTaken != nullptr && nameTaken(record.nombre))
        return EDIT_NAME_TAKEN;
    if (record.ipServidor[0] == '\0')
        return EDIT_NO_IP;
    if (UnsafeField(record) != nullptr)
        return EDIT_UNSAFE_TEXT;
    return EDIT_VALID;
}

namespace {

template <size_t N>
bool Holds(const char (&field)[N], const char* forbidden)
{
    for (size_t i = 0; i < N && field[i] != '\0'; ++i)
        if (static_cast<unsigned char>(field[i]) < 0x20 || std::strchr(forbidden, field[i]) != nullptr)
            return true;
    return false;
}

}  // namespace

const char* UnsafeField(const AppParams& r)
{
    const struct {
        const char* label;
        bool unsafe;
    } fields[] = {
        {"Direcci\xF3n IP", Holds(r.ipServidor, " \"")},
        {"Par\xE1metros", Holds(r.parametrosP, "\"")},
        {"Letra moderna", Holds(r.letraModerno, "")},
        {"Letra decorativa", Holds(r.letraDecorativo, "")},
        {"Letra romana", Holds(r.letraRomano, "")},
        {"Letra suiza", Holds(r.letraSuizo, "")},
        {"Letra manuscrita", Holds(r.letraManuscrito, "")},
        {"Tipo de letra", Holds(r.font, "")},
        {"Directorio de impresi\xF3n directa", Holds(r.directaDirectorio, "")},
        {"Impresora directa", Holds(r.directaNombre, "")},
        {"Correo: remitente", Holds(r.correoEnviador, "")},
        {"Correo: servidor", Holds(r.correoServidor, "")},
        {"Correo: clave", Holds(r.correoClave, "")},
        {"Tiempo", Holds(r.tiempo, "")},
    };
    for (const auto& field : fields)
        if (field.unsafe)
            return field.label;
    return nullptr;
}

const char* EditorVerdictText(EditorVerdict verdict)
{
    switch (verdict) {
    case EDIT_NO_NAME:
        return "La aplicaci\xF3n debe tener nombre !";
    case EDIT_NAME_TAKEN:
        return "El nombre de la aplicaci\xF3n ya existe !";
    case EDIT_NO_IP:
        return "La direcci\xF3n IP no puede ser blancos !";
    case EDIT_UNSAFE_TEXT:
        return "Un par\xE1metro contiene saltos de l\xEDnea, caracteres de control, comillas o blancos que no "
               "admite !\n";
    case EDIT_VALID:
        break;
    }
    return "";
}

void BoundRowsColumns(AppParams& record)
{
    if (record.renglones < 23 || record.renglones > 50)
        record.renglones = 23;
    if (record.columnas < 80 || record.columnas > 200)
        record.columnas = 80;
}
