#include "forms.h"

#include "../resources/params/resource.h"
#include "kinds.h"

#define ESTILO_FORM(F, MOD_FONT, MOD_ESTILO, MOD_EFECTO_FONDO, MOD_FONDO, MOD_LETRAS, MOD_EFECTO_AREAS, RESTRICTS) \
    {{{IDC_ESTILO_##F##_FONT, KIND_FONT, IDC_ESTILO_##F##_PRE_FONT, MOD_FONT, SLOT_FONT, ESTILO_FONT},              \
      {IDC_ESTILO_##F##_ESTILO, KIND_ESTILO, IDC_ESTILO_##F##_PRE_ESTILO, MOD_ESTILO, SLOT_ESTILO, ESTILO_ESTILO},    \
      {IDC_ESTILO_##F##_EFECTO_FONDO, KIND_EFECTO_FONDO, IDC_ESTILO_##F##_PRE_EFECTO_FONDO, MOD_EFECTO_FONDO,        \
       SLOT_EFECTO_FONDO, ESTILO_EFECTO_FONDO},                                                                    \
      {IDC_ESTILO_##F##_FONDO, KIND_FONDO, IDC_ESTILO_##F##_PRE_FONDO, MOD_FONDO, SLOT_FONDO, ESTILO_FONDO},         \
      {IDC_ESTILO_##F##_LETRAS, KIND_LETRAS, IDC_ESTILO_##F##_PRE_LETRAS, MOD_LETRAS, SLOT_LETRAS, ESTILO_LETRAS},   \
      {IDC_ESTILO_##F##_EFECTO_AREAS, KIND_EFECTO_AREAS, IDC_ESTILO_##F##_PRE_EFECTO_AREAS, MOD_EFECTO_AREAS,        \
       SLOT_EFECTO_AREAS, ESTILO_EFECTO_AREAS}},                                                                   \
     IDC_ESTILO_##F##_GRAD_FONDO,                                                                                  \
     IDC_ESTILO_##F##_GRAD_AREAS,                                                                                  \
     IDC_ESTILO_##F##_GRAD_SIN_EFECTO,                                                                             \
     IDC_ESTILO_##F##_USAR_GRADIENTE,                                                                              \
     IDC_ESTILO_AYUDA,                                                                                             \
     IDC_ESTILO_##F##_PREVIEW,                                                                                     \
     RESTRICTS}

const ParamForms TERMINAL_FORMS = {ESTILO_FORM(T, 0, 0, 0, 0, 0, 0, 1)};

const ParamForms SERVER_FORMS = {
    ESTILO_FORM(S, IDC_ESTILO_S_MOD_FONT, IDC_ESTILO_S_MOD_ESTILO, IDC_ESTILO_S_MOD_EFECTO_FONDO,
                IDC_ESTILO_S_MOD_FONDO, IDC_ESTILO_S_MOD_LETRAS, IDC_ESTILO_S_MOD_EFECTO_AREAS, 0)};

const ParamForms STANDALONE_FORMS = {ESTILO_FORM(G, 0, 0, 0, 0, 0, 0, 0)};

const int AREA_COLOUR_COMBOS[COLOUR_ROLE_COUNT] = {
    IDC_AREA_GENERAL_FONDO, IDC_AREA_LETREROS_FONDO, IDC_AREA_LETREROS_LETRAS, IDC_AREA_LEC_FONDO,
    IDC_AREA_LEC_LETRAS,    IDC_AREA_ESC_FONDO,      IDC_AREA_ESC_LETRAS};
