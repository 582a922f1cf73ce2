// What sets one program of the suite apart in the shared code: its forms of
// the shared dialogs and what the parameter editor does on its buttons. Each
// program fills profile once at start-up, before any dialog opens; the
// shared code reads it and never asks which program it runs in.
#pragma once

#include <windows.h>

enum ProgramKind { PROGRAM_TERMINAL, PROGRAM_SERVER, PROGRAM_STANDALONE, PROGRAM_SETUP, PROGRAM_RTFSETUP };

// The forms, defined beside their dialogs in the layers above.
struct DirDialogIds;     // SELEC_DIRECTORIO, CREAR_DIRECTORIO (base)
struct ParamForms;       // PARAM_ESTILO (params)
struct EditorForm;       // PARAMETROS (params)
struct PrinterControls;  // IMPRESORAS, CONFIRMADSP (params)
struct InstalarForm;     // INSTALAR (installcore)

// The parameter editor's buttons that do the program's own work.
struct EditorActions {
    // A new entry's name is taken already (the terminal: its desktop
    // shortcut exists). Null: never.
    int (*nameTaken)();
    // The accepted, confirmed record is about to be handed back: the
    // installers ask about the archives here, the configurator saves. 0
    // keeps the editor open with what was typed. Null: nothing to do.
    int (*accepted)(HWND editor);
    // The delete or uninstall button, confirmation included. 1 when it was
    // done (the editor then ends with 0).
    int (*remove)(HWND editor);
};

struct ProgramProfile {
    ProgramKind kind;
    // PlainDialogProc, PARAM_AREA and PARAM_RCM: the accepting and
    // cancelling buttons (1024/1002 in the terminal installer).
    int accept, cancel;
    const DirDialogIds* dirDialogs;
    const ParamForms* paramForms;
    const EditorForm* editor;
    const PrinterControls* printer;
    const InstalarForm* instalar;
    EditorActions editorActions;
};

// The terminal installer's numbering until the program's start-up sets its
// own; forms a program has no dialog for stay null.
extern ProgramProfile profile;
