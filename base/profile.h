// What sets one program of the suite apart in the shared code: its forms of
// the shared dialogs and what the parameter editor does on its buttons. Each
// program fills profile once at start-up, before any dialog opens; the
// shared code reads it and never asks which program it runs in.
#pragma once

#include <windows.h>

// The forms, defined beside their dialogs in the layers above.
struct DirDialogIds;     // SELEC_DIRECTORIO, CREAR_DIRECTORIO (base)
struct ParamForms;       // PARAM_ESTILO (params)
struct EditorForm;       // PARAMETROS (params)
struct PrinterControls;  // IMPRESORAS, CONFIRMADSP (params)
struct InstalarForm;     // INSTALAR (installcore)
struct Entry;            // the entry the editor works on (params)

// The parameter editor's buttons that do the program's own work. context is
// what the caller handed to the editor (the installers: the installation).
struct EditorActions {
    // A new entry's name is taken already (the terminal: its desktop
    // shortcut exists). Null: never.
    int (*nameTaken)(const char* name);
    // The accepted, confirmed working copy is about to be handed back: the
    // installers ask about the archives here, the configurator saves. 0
    // keeps the editor open with what was typed. Null: nothing to do.
    int (*accepted)(HWND editor, Entry& edited, void* context);
    // The delete or uninstall button, confirmation included, on the entry
    // as it was listed. 1 when it was done (the editor then ends with 0).
    int (*remove)(HWND editor, const Entry& edited, void* context);
};

struct ProgramProfile {
    // PlainDialogProc, PARAM_AREA and PARAM_RCM: the accepting and
    // cancelling buttons (1024/1002 in the terminal installer).
    int accept, cancel;
    const DirDialogIds* dirDialogs;
    const ParamForms* paramForms;
    const EditorForm* editor;
    const PrinterControls* printer;
    const InstalarForm* instalar;
    EditorActions editorActions;
    // A new entry starts with the server address of the first entry listed
    // (the programs that keep entries).
    int newEntryTakesFirstServer;
    // The kind of the program's run journals (its name); null: it keeps none.
    const char* journal;
};

// The terminal installer's numbering until the program's start-up sets its
// own; forms a program has no dialog for stay null.
extern ProgramProfile profile;
