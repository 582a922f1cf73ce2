// EditEntry and what the server form of the editor does on its buttons.
#include "../params/editor.h"
#include "fostra.h"

namespace {

int Delete(HWND editor)
{
    if (DialogBoxParamA(hInstance, "Conf_Borrar", editor, PlainDialogProc, 0) != 1)
        return 0;
    return DeleteLoadedEntry(editor);
}

}  // namespace

const EditorActions SERVER_EDITOR_ACTIONS = {EntryNameTaken, SaveEditedEntry, Delete};

void EditEntry(HWND inicio, int isNewEntry)
{
    ShowWindow(inicio, SW_HIDE);
    isNew = isNewEntry;
    // A new entry starts with an empty name rather than the last one loaded.
    if (isNew == 1)
        appParams.nombre[0] = '\0';
    OpenParametros(nullptr);
    ShowWindow(inicio, SW_SHOW);
}
