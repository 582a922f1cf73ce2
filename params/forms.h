// The forms of the appearance dialogs in the three programs, as data: the
// dialogs' code is one, the control identifiers and the Mod. handling come
// from here. No windows.h.
#pragma once

#include "choices.h"

// One parameter of PARAM_ESTILO: its combo with the Pre. box and, in the
// server form, the Mod. box (0: none).
struct EstiloParam {
    int combo;
    int kind;
    int preBox;
    int modBox;
    int slot;
    EstiloField field;
};

enum { ESTILO_PARAM_COUNT = 6 };

struct EstiloForm {
    // Font, Estilo, Efecto fondo, Fondo, Letras, Efecto areas: the order in
    // which the dialog fills them.
    EstiloParam params[ESTILO_PARAM_COUNT];
    int gradienteFondo, gradienteAreas, gradienteSinEfecto;
    int usarGradiente;
    int help;
    int preview;
    int modRestricts;  // terminal form: a mod slot of 0 disables combo and Pre. box
};

// PARAM_AREA and PARAM_RCM differ only in their buttons, which are the
// program's accepting and cancelling buttons (profile).
struct ParamForms {
    EstiloForm estilo;
};

extern const ParamForms TERMINAL_FORMS;
extern const ParamForms SERVER_FORMS;
extern const ParamForms STANDALONE_FORMS;

// The seven colour combos of PARAM_AREA, in the order of the areas columns.
extern const int AREA_COLOUR_COMBOS[COLOUR_ROLE_COUNT];
