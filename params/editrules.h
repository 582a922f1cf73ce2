// What the parameter editor does to the record apart from its controls: the
// checks on accepting and their messages, the choices read back from texts,
// and the bounds of the rows and columns. No windows.h.
#pragma once

#include <cstdint>

#include "record.h"

// The parameters of the editor that have a Pre. box, in every form.
enum EditorParam {
    ED_MODERNO,
    ED_DECORATIVO,
    ED_ROMANO,
    ED_SUIZO,
    ED_MANUSCRITO,
    ED_ENVIO,
    ED_TAMANO,
    ED_DIRECTORIO,
    ED_NOMBRE_DIRECTA,
    ED_MARGEN,
    ED_PARAM_COUNT
};

// The kind of each parameter's control (see kinds.h).
int EditorParamKind(EditorParam param);
// Its Pre. flag in the record (pre slot, or preMargen). The record is
// packed: the flags are read and written by value.
int32_t EditorPreFlag(const AppParams& record, EditorParam param);
void SetEditorPreFlag(AppParams& record, EditorParam param, int32_t value);
// Its Mod. flag: the slot's, modMargen for Margen; Nombre of the direct
// printer follows Directorio's slot 13, since slot 14 has no Mod. of its own.
int32_t EditorModFlag(const AppParams& record, EditorParam param);
void SetEditorModFlag(AppParams& record, EditorParam param, int32_t value);

// Takes the text of a parameter's control into the record: the printer fonts
// and the direct printer texts cut to their fields, Envio and Tamano by exact
// comparison with their tables, Margen by its first four characters. A text
// in no table leaves the field unchanged (0); 1 when the field took it.
int ReadEditorText(AppParams& record, EditorParam param, const char* text);

// The Imagen combo: the chosen list position, or, with none chosen (a typed
// text), the text when it is one of the formats; anything else keeps the
// stored value, so that imagen stays within the table.
uint8_t ImagenChoice(long position, const char* text, uint8_t stored);

// The checks on accepting, in this order: a name, a name the program does not
// count as taken (new applications only; asked only then; null: never taken),
// a server address, texts the parameter file and the command line can carry
// (UnsafeField).
enum EditorVerdict { EDIT_VALID, EDIT_NO_NAME, EDIT_NAME_TAKEN, EDIT_NO_IP, EDIT_UNSAFE_TEXT };
EditorVerdict CheckEditedRecord(const AppParams& record, int isNew, int (*nameTaken)(const char* name));
// The label of the first text that would add lines to the parameter file (a
// control character: CR LF) or arguments to the client's command line (the
// server address with a blank or a quote, the /P parameters with a quote);
// null when every text is safe.
const char* UnsafeField(const AppParams& record);
// The message of a failed check ("" for EDIT_VALID).
const char* EditorVerdictText(EditorVerdict verdict);

// Rows 23 to 50 and columns 80 to 200: a value outside is put to 23 or 80.
void BoundRowsColumns(AppParams& record);
