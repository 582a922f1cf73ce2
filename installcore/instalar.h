// INSTALAR, the installation dialog of the installers, and the parameter
// editor's actions when it edits an installation.
#pragma once

#include "install.h"

// Control identifiers of a program's form of INSTALAR.
struct InstalarForm {
    int nombre;      // the application's name (read-only in the terminal form)
    int directory;   // installation directory
    int jars;        // copy or update the archives
    int browse;      // "&Buscar  >>"
    int accept, cancel, help;
    int jreVersion, jreDir;  // the runtime found (0: the form shows none)
};

// INSTALAR over the entry's name and the installation found for it. 1 once
// the directory exists and the name is free: the name typed (the general
// installer's form) goes into the entry, the directory and the archive
// choice into installation. 0 when cancelled or closed: both stay as they were.
INT_PTR OpenInstalar(HWND owner, Entry& entry, Installation& installation);

// The parameter editor over an installation: the name is taken when its
// desktop shortcut exists, an accepted update asks about the archives,
// "&Desinstalar" uninstalls after CONF_BORRAR.
extern const EditorActions INSTALL_EDITOR_ACTIONS;

// What the installers' editors do on accepting: a new installation copies
// the archives, an update asks CONF_COPIAR_JAR when they are not current.
// context is the Installation, whose copyJars is set. Always 1.
int AskArchives(HWND editor, Entry& edited, void* context);

// The Java runtime to install with (FindRuntime, pinned by the machine's
// JavaHome or the newest): 1, or 0 after the "ERROR en JRE" message.
int FindJreOrSay(HWND owner, Runtime& runtime, const char* pinnedHome = nullptr);
