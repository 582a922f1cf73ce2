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

// Text, check state and enabled state of the archive check box, from
// JarStatus of installDir.
void UpdateJarCheckBox(HWND dialog);

// Ends with 1 once the directory exists and the name is free, with
// installDir and copyJars set; 0 when cancelled.
INT_PTR CALLBACK InstalarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The parameter editor over an installation: the name is taken when its
// desktop shortcut exists, an accepted update asks about the archives,
// "&Desinstalar" uninstalls after CONF_BORRAR.
extern const EditorActions INSTALL_EDITOR_ACTIONS;

// What the installers' editors do on accepting: a new installation copies
// the archives, an update asks CONF_COPIAR_JAR when they are not current
// (copyJars). Always 1.
int AskArchives(HWND editor);

// The newest Java runtime into jreVersion and javaHome: 1, or 0 after the
// "ERROR en JRE" message when none is registered.
int FindJreOrSay(HWND owner);
