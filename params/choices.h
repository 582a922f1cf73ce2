// What the appearance dialogs do to the record, apart from their controls:
// storing a chosen text, which controls a record enables, the checks of the
// area colours and the rows/columns positions. No windows.h.
#pragma once

#include <cstddef>

#include "record.h"

// The fields that PARAM_ESTILO's combos choose.
enum EstiloField {
    ESTILO_FONT,
    ESTILO_ESTILO,
    ESTILO_FONDO,
    ESTILO_LETRAS,
    ESTILO_EFECTO_FONDO,
    ESTILO_EFECTO_AREAS,
    ESTILO_GRADIENTE_FONDO,
    ESTILO_GRADIENTE_AREAS,
    ESTILO_GRADIENTE_SIN_EFECTO
};

// Stores a chosen list text: the font as it is (cut to the field), the
// others as their position in the table by exact comparison. Returns 1 when
// the field took it, 0 (field unchanged) when the text is in no table.
int StoreEstiloChoice(AppParams& record, EstiloField field, const char* text);

// Which of PARAM_ESTILO's dependent controls the record enables.
struct EstiloEnables {
    bool gradienteFondo;      // only for the background effect "Gradiente"
    bool gradienteAreas;      // only for the area effect "Gradiente"
    bool usarGradiente;       // only for an area effect above "Gradiente"
    bool gradienteSinEfecto;  // and only while usarGradienteAreas is set
};
EstiloEnables EstiloEnablesOf(const AppParams& record);

// Pre. of the two effects says whether the effect equals its preset value,
// whatever was stored: set again each time PARAM_ESTILO opens.
void DeriveEffectPre(AppParams& record);

// Puts the appearance index fields that lie outside their tables to the
// loader's defaults, so that the dialogs, the preview and the record agree.
void BoundAppearance(AppParams& record);

// Checks PARAM_AREA's working table. Returns 1 when valid; otherwise 0 with
// every failing rule's sentence, joined by one space, in message (cut to
// size, which AREA_MESSAGE_SIZE always holds whole).
enum { AREA_MESSAGE_SIZE = 5000 };
int CheckAreaTable(const uint8_t (&table)[AREA_COUNT][COLOUR_ROLE_COUNT], char* message, size_t size);

// PARAM_RCM: the lists run from 23 to 50 rows and from 80 to 200 columns.
enum { RCM_ROWS_MIN = 23, RCM_ROWS_MAX = 50, RCM_COLUMNS_MIN = 80, RCM_COLUMNS_MAX = 200 };
// The list position of a stored value; a value outside the list shows the
// first item, as the editor would replace it.
int RcmPosition(int value, int low, int high);
