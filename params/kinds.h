// Parameter kinds: what list a parameter control is filled with, what it
// shows, and what its Pre. box does to the record. Shared by the parameter
// editor and the appearance dialogs. No windows.h.
#pragma once

#include <cstddef>

#include "record.h"

enum ParamKind {
    KIND_MODERNO = 1,
    KIND_DECORATIVO = 2,
    KIND_ROMANO = 3,
    KIND_SUIZO = 4,
    KIND_MANUSCRITO = 5,
    KIND_ENVIO = 6,
    KIND_FONT = 7,
    KIND_ESTILO = 8,
    KIND_EFECTO_FONDO = 9,
    KIND_FONDO = 10,
    KIND_LETRAS = 11,
    KIND_TAMANO = 12,
    KIND_EFECTO_AREAS = 13,
    KIND_GRADIENTE_FONDO = 14,
    KIND_GRADIENTE_AREAS = 15,
    KIND_GRADIENTE_SIN_EFECTO = 16,
    KIND_DIRECTORIO = 17,
    KIND_NOMBRE_DIRECTA = 18,
    KIND_MARGEN = 19,
    KIND_IMAGEN = 20,
    KIND_AREA = 30,
    KIND_AREA_COLOUR = 31
};

enum KindList {
    KIND_LIST_NONE,   // an edit, or an unknown kind
    KIND_LIST_FONTS,  // the installed font families
    KIND_LIST_TABLE   // KindItem(kind, 0 .. KindItemCount(kind) - 1)
};

KindList KindListOf(int kind);
size_t KindItemCount(int kind);
// The item at a list position; "" outside the list.
const char* KindItem(int kind, size_t position);

// Takes the state of a kind's Pre. box into the record: a set box puts the
// kinds that have one to their preset index, and the appearance kinds record
// the box in their pre slot. Returns the text the control is to show, or
// nullptr for the kinds that show nothing. A stored index outside its table
// shows "".
const char* ApplyKindPre(AppParams& record, int kind, int preSet);
