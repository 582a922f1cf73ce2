// Installing an application on a workstation: parameter file, icon and
// archive copies, the installed marker and the desktop shortcut, and their
// removal. Files are named after the application's name as listed; the
// archives and the entry's icon come from entryDir.
#pragma once

#include "../base/base.h"
#include "../params/params.h"
#include "launch.h"

// Where an application is (or is to be) installed on this workstation,
// whether the installation copies the Java archives there too, and the Java
// runtime its shortcut starts.
struct Installation {
    char dir[PATH_SIZE];
    int copyJars;
    Runtime runtime;
};

// Result codes of CreateShortcut.
enum {
    SHORTCUT_SAVED = 0,
    SHORTCUT_NO_DESKTOP = 1,
    SHORTCUT_BAD_TARGET = 2,
    SHORTCUT_BAD_DESCRIPTION = 3,
    SHORTCUT_BAD_WORKING_DIR = 4,
    SHORTCUT_BAD_ARGUMENTS = 5,
    SHORTCUT_BAD_ICON = 6,
    SHORTCUT_NOT_SAVED = 7,  // no persistence interface, or the file could not be written
    SHORTCUT_NOT_OURS = 8,   // a link of that file name starts something else: left as it is
    SHORTCUT_NO_LINK_OBJECT = 20,
    SHORTCUT_NO_COM = 21,
    // InstallApplication only: refused before anything was written.
    INSTALL_REFUSED = -1
};

// Results of JarStatus.
enum { JARS_CURRENT = 0, JARS_MISSING = 1, JARS_OUT_OF_DATE = 2, JARS_NONE = 3 };

// The whole installation of record (named by its nombre) into the
// installation's directory. Paths or a command line too long for the
// platform, or a parameter file that cannot be written, are reported to the
// user (boxes owned by owner) and nothing further is done (INSTALL_REFUSED);
// so is copyJars with no archive in entryDir to copy. Otherwise returns
// CreateShortcut's code; with windows, a failed step is also told. A runtime of Java 9 or later
// finds the archives only in the installation's directory: they are copied
// there whenever they are not current, whatever copyJars says.
int InstallApplication(HWND owner, const AppParams& record, const Installation& installation);

// What an installation writes, composed and checked before anything is:
// the refusals of InstallApplication (said, boxes owned by owner) give 0.
struct InstallTexts {
    char lines[PARAM_LINES_SIZE];
    char paramFile[PATH_SIZE], icon[PATH_SIZE], targetDir[PATH_SIZE];
    char command[COMMAND_LINE_SIZE];
};
int ComposeInstallation(HWND owner, const AppParams& record, const Installation& installation,
                        InstallTexts& texts);

// Writes the lines to dir\name.PAR (the path is left in path), creating the
// directory first. 1, or 0 with any earlier file left as it was.
int WriteParamFile(const char* dir, const char* name, const char* lines, char (&path)[PATH_SIZE]);

// Replaces path by its short form, component by component; components that
// have none stay as they are. work receives the same text.
void ToShortPath(char (&path)[PATH_SIZE], char (&work)[PATH_SIZE]);

// Copies source over destination through the one whole-file replacement, so
// a failed copy leaves the earlier destination (or none). 1 when every byte
// was copied and the destination replaced, else 0.
int CopyFileRaw(const char* destination, const char* source);

// Every *.JAR of entryDir into dir, each copy logged (an unattended run):
// 1 when every archive was copied.
int CopyJars(const char* dir);

// 0 when every *.JAR of entryDir is in dir and current, 1 when one is
// missing there, 2 when one is older or of another size, 3 when entryDir has none.
int JarStatus(const char* dir);

// Where an installation goes when nothing else is known.
constexpr char DEFAULT_INSTALL_DIR[] = "C:\\VONDRA\\Java";

// "Instalado !" as the user-key value named after name, with dir recorded
// beside it; and the removal of both, with the application's entry in the
// system's list of installed programs.
void MarkInstalled(const char* name, const char* dir);
void UnmarkInstalled(const char* name);

// The Dalvo.EXE that the system's list of programs runs to uninstall: Dalvo
// sets it to itself at start-up; left empty, the one in entryDir.
extern char uninstaller[PATH_SIZE];
// HKCU\...\Uninstall\VONDRA - name: shown as "VONDRA - name" with the
// installed icon, dir as its location and uninstalled by uninstaller's
// /desinstalar. Failures are logged, not reported.
void ListInstalledProgram(const char* name, const char* dir, const char* icon);

// Sets installation.dir (DirInst, or the default; for an installed
// application the directory it was installed to, when recorded) and returns
// 1 when name is marked installed. A marker found only in the machine key is
// moved to the user's key, with DirInst when the user has none. Only full
// directories count. copyJars and runtime are left as they are.
int FindInstallation(const char* name, Installation& installation);

// The desktop shortcut of name. ShortcutPath returns 0 when the desktop
// directory is unknown or the path would not fit. A link of the same file
// name is replaced or deleted only when it starts name (its arguments end
// with name's parameter file); DeleteShortcut logs one it leaves, and an
// unknown desktop, as failed steps.
int ShortcutPath(const char* name, char (&path)[PATH_SIZE]);
int ShortcutExists(const char* name);
void DeleteShortcut(const char* name);
int CreateShortcut(const char* targetDir, const char* targetFile, const char* name, const char* workingDir,
                   const char* arguments, const char* iconPath);

// dir\name.ICO, unless dir is the entries directory (the entry's own icon).
void DeleteInstalledIcon(const char* name, const char* dir);

// The entries directory would take installed files beside the entries and
// lose the entry's icon at the uninstall: 1 when dir is it (the same folder,
// however written). RefuseEntryDirectory says so too, in a box owned by owner.
int IsEntryDirectory(const char* dir);
int RefuseEntryDirectory(HWND owner, const char* dir);

// Marker, installed icon and shortcut of name go; parameter file, archives
// and the directory stay. Needs no entry: the marker and the installation
// found for name are enough.
void UninstallApplication(const char* name, const Installation& installation);
