// The forms of the parameter editor PARAMETROS, as data: the control
// identifiers of each program's form and what the form does with the Mod.
// flags. The editor's behaviour is one; it reads the form from here.
// No windows.h.
#pragma once

#include "editrules.h"

struct EditorPreControl {
    int control;  // combo or edit
    int preBox;
    int modBox;   // server form: the Mod. box (0: none)
};

struct EditorForm {
    EditorPreControl params[ED_PARAM_COUNT];
    int rcm;              // ">>" beside Tamano
    int printer;          // ">>" beside the printer name
    int nombre, ip, parametros;
    int paginaInicial, imagenesGrandes;
    int directaI, directaF, directaA;
    int enviador, servidor, clave, imagen;
    int seleccionarSi, seleccionarNo;
    int tiempo;
    int preview, changeIcon, estilo, area;
    int accept, cancel, remove, help;
    int modRestricts;  // terminal: a Mod. flag of 0 disables the control
    // Server form: the Mod. boxes of the single flags (0: none), and the name,
    // server address, /P parameters and large images are edited and read back.
    int modEnviador, modServidor, modClave, modImagen, modSeleccionar;
    int editsIdentity;
};

extern const EditorForm TERMINAL_EDITOR;
extern const EditorForm SERVER_EDITOR;
extern const EditorForm STANDALONE_EDITOR;
