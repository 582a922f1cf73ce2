// What the editors that keep entries do on their buttons: the name checks,
// and the save and delete with their error boxes.
#include "editor.h"

namespace {

const char NAME_TAKEN[] = "El nombre de la aplicaci\xF3n ya existe !";
const char NAME_UNUSABLE[] = "El nombre de la aplicaci\xF3n no es v\xE1lido como nombre de archivo !";

int EntryFileExists(const char* name)
{
    char path[MAX_PATH];
    return ComposeText(path, entryDir, name, ".DAI") && FileExists(path);
}

void Refuse(HWND editor, const char* text, const char* detail = "")
{
    char message[512];
    ComposeText(message, text, detail);
    ShowError(editor, message, "Error");
}

}  // namespace

// A new entry must not replace one that exists: what an administrator saved
// there would be lost without a word.
int EntryNameTaken()
{
    return EntryFileExists(appParams.nombre);
}

int SaveEditedEntry(HWND editor)
{
    if (!EntryNameUsable(appParams.nombre, entryDir)) {
        Refuse(editor, NAME_UNUSABLE);
        return 0;
    }
    // Renamed onto another entry's name: that entry would be overwritten.
    bool renamed = isNew == 0 && lstrcmpiA(appParams.nombre, loadedName) != 0;
    if (renamed && EntryFileExists(appParams.nombre)) {
        Refuse(editor, NAME_TAKEN);
        return 0;
    }
    if (!SaveEntry()) {
        char path[MAX_PATH];
        ComposeText(path, entryDir, appParams.nombre, ".DAI");
        Refuse(editor, "No se pudo guardar la aplicaci\xF3n en el archivo !\n", path);
        return 0;
    }
    return 1;
}

int DeleteLoadedEntry(HWND editor)
{
    // The entry to delete is the one loaded, whatever the name field shows now.
    char shown[sizeof appParams.nombre];
    CopyText(shown, appParams.nombre);
    CopyText(appParams.nombre, loadedName);
    if (!DeleteEntry()) {
        char path[MAX_PATH];
        ComposeText(path, entryDir, loadedName, ".DAI");
        CopyText(appParams.nombre, shown);
        Refuse(editor, "No se pudo borrar el archivo de la aplicaci\xF3n !\n", path);
        return 0;
    }
    return 1;
}
