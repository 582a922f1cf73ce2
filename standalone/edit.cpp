// EditAndInstall: an entry kept and installed on this one machine, and what
// the general installer's form of the editor does on its buttons.
#include "../params/editor.h"
#include "brenko.h"

namespace {

// Taken when its entry exists (it would be overwritten) or when its
// shortcut does (the installation would replace another application's).
int NameTaken()
{
    return EntryNameTaken() || ShortcutExists();
}

// The installation that follows uses what was saved: when the save fails
// the editor stays open with what was typed, and nothing is installed that
// the entry does not hold.
int Accepted(HWND editor)
{
    return SaveEditedEntry(editor) && AskArchives(editor);
}

int Remove(HWND editor)
{
    if (DialogBoxParamA(hInstance, "Conf_Borrar", editor, PlainDialogProc, 0) != 1)
        return 0;
    if (!DeleteLoadedEntry(editor))
        return 0;
    UninstallApplication();
    return 1;
}

}  // namespace

const EditorActions STANDALONE_EDITOR_ACTIONS = {NameTaken, Accepted, Remove};

void EditAndInstall(HWND inicio, int isNewEntry)
{
    if (!FindJreOrSay(inicio))
        return;
    ShowWindow(inicio, SW_HIDE);
    isNew = isNewEntry;
    if (isNew == 0) {
        // Where this machine installed it (as Dalvo records it), else DirInst.
        FindInstallation();
    } else {
        // A new entry starts with an empty name rather than the last one loaded.
        appParams.nombre[0] = '\0';
        if (DialogBoxParamA(hInstance, "INSTALAR", inicio, InstalarDialogProc, 0) <= 0) {
            ShowWindow(inicio, SW_SHOW);
            return;
        }
    }
    if (OpenParametros(nullptr) > 0)
        InstallApplication();
    ShowWindow(inicio, SW_SHOW);
}
