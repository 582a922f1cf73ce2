// EditEntry and what the server form of the editor does on its buttons.
#include "../installcore/install.h"
#include "../params/editor.h"
#include "fostra.h"

namespace {

// A new entry's name is taken by an entry file (it would be overwritten) or,
// on this machine, by a desktop shortcut of that name.
int NameTaken(const char* name)
{
    return EntryNameTaken(name) || ShortcutExists(name);
}

int Delete(HWND editor, const Entry& edited, void*)
{
    if (DialogBoxParamA(hInstance, IDD_CONF_BORRAR, editor, PlainDialogProc, 0) != 1)
        return 0;
    return DeleteListedEntry(editor, edited);
}

}  // namespace

const EditorActions SERVER_EDITOR_ACTIONS = {NameTaken, SaveEditedEntry, Delete};

int EditEntry(HWND inicio, const char* listedName, int isNewEntry)
{
    Entry entry{};
    if (!LoadPickedEntry(inicio, listedName, isNewEntry, entry))
        return 0;
    ShowWindow(inicio, SW_HIDE);
    OpenParametros(nullptr, entry);
    ShowWindow(inicio, SW_SHOW);
    return 1;
}
