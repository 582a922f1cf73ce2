#include "starterror.h"

#include <cstdio>

#include "../base/textbuf.h"

namespace {

const char* KnownText(unsigned long code)
{
    switch (code) {
    case 0:
    case 8:
    case 11:
    case 14:
        return "No hay memoria o archvio da\xF1" "ado.";
    case 2:
        return "No se encontr\xF3 el archivo.";
    case 3:
        return "No se encontr\xF3 la ruta de acceso.";
    case 5:
        return "Error al compartir o de privilegios.";
    case 6:
        return "Se requieren diferentes segmentos para cada tarea.";
    case 10:
        return "Versi\xF3n incorrecta de Windows.";
    case 12:
    case 13:
        return "Aplicaci\xF3n dise\xF1" "ada para otro sistema operativo.";
    case 15:
        return "Aplicaci\xF3n dise\xF1" "ada para modo REAL.";
    case 16:
        return "Aplicaci\xF3n ejecut\xE1ndose, solo se puede una vez.";
    case 19:
        return "Archivo comprimido, debe expanderse primero.";
    case 20:
        return "DLL no se encuentra o da\xF1" "ado.";
    case 21:
        return "Requiere extensiones de 32 Bits de MS-Windows.";
    }
    return nullptr;
}

}  // namespace

void StartErrorMessage(char (&out)[START_ERROR_SIZE], unsigned long code, const char* path)
{
    char text[64];
    const char* known = KnownText(code);
    if (known != nullptr)
        CopyText(text, known);
    else
        std::snprintf(text, sizeof text, "No puede cargarse el archivo. (Error %lu).", code);
    char head[sizeof text + 2];
    ComposeText(head, text, "\n\n");
    CopyText(out, head);
    size_t used = std::strlen(out);
    size_t room = sizeof out - 1 - used;
    size_t length = strnlen(path, room);
    std::memcpy(out + used, path, length);
    out[used + length] = '\0';
}
