// EditAndInstall: an entry kept and installed on this one machine, and what
// the general installer's form of the editor does on its buttons.
#include "../params/editor.h"
#include "brenko.h"

namespace {

// Taken when its entry exists (it would be overwritten) or when its
// shortcut does (the installation would replace another application's).
int NameTaken(const char* name)
{
    return EntryNameTaken(name) || ShortcutExists(name);
}

// The installation that follows uses what was saved: when the save fails
// the editor stays open with what was typed, and nothing is installed that
// the entry does not hold.
int Accepted(HWND editor, Entry& edited, void* context)
{
    return SaveEditedEntry(editor, edited, context) && AskArchives(editor, edited, context);
}

int Remove(HWND editor, const Entry& edited, void* context)
{
    if (DialogBoxParamA(hInstance, IDD_CONF_BORRAR, editor, PlainDialogProc, 0) != 1)
        return 0;
    if (!DeleteListedEntry(editor, edited))
        return 0;
    UninstallApplication(edited.listedName, *static_cast<const Installation*>(context));
    return 1;
}

}  // namespace

const EditorActions STANDALONE_EDITOR_ACTIONS = {NameTaken, Accepted, Remove};

int EditAndInstall(HWND inicio, const char* listedName, int isNewEntry)
{
    Runtime runtime{};
    if (!FindJreOrSay(inicio, runtime))
        return 1;
    Entry entry{};
    if (!LoadPickedEntry(inicio, listedName, isNewEntry, entry))
        return 0;
    ShowWindow(inicio, SW_HIDE);
    // Where this machine installed it (as Dalvo records it), else DirInst.
    Installation installation{};
    installation.runtime = runtime;
    FindInstallation(listedName, installation);
    if (entry.isNew == 1 && OpenInstalar(inicio, entry, installation) <= 0) {
        ShowWindow(inicio, SW_SHOW);
        return 1;
    }
    if (OpenParametros(nullptr, entry, &installation) > 0)
        InstallApplication(inicio, entry.record, installation);
    ShowWindow(inicio, SW_SHOW);
    return 1;
}
