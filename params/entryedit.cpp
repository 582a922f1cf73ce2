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

const char ICON_NOT_WRITTEN[] = "No se pudo escribir el \xED" "cono de la aplicaci\xF3n !\n";
const char ICON_NOT_DELETED[] = "No se pudo borrar el \xED" "cono de la aplicaci\xF3n !\n";
const char OLD_ENTRY_KEPT[] = "No se pudo borrar el archivo anterior de la aplicaci\xF3n !\n";

void RefusePath(HWND owner, const char* text, const char* name, const char* extension = ".DAI")
{
    char path[MAX_PATH];
    ComposeText(path, entryDir, name, extension);
    Refuse(owner, text, path);
}

}  // namespace

int LoadPickedEntry(HWND owner, const char* name, int isNew, Entry& entry)
{
    if (LoadEntry(name, isNew, entry))
        return 1;
    RefusePath(owner, "No se pudo leer el archivo de la aplicaci\xF3n !\n", name);
    return 0;
}

// A new entry must not replace one that exists: what an administrator saved
// there would be lost without a word.
int EntryNameTaken(const char* name)
{
    return EntryFileExists(name);
}

int SaveEditedEntry(HWND editor, Entry& edited, void*)
{
    const char* name = edited.record.nombre;
    if (!EntryNameUsable(name, entryDir)) {
        Refuse(editor, NAME_UNUSABLE);
        return 0;
    }
    // Renamed onto another entry's name: that entry would be overwritten.
    bool renamed = edited.isNew == 0 && !SameFileName(name, edited.listedName);
    if (renamed && EntryFileExists(name)) {
        Refuse(editor, NAME_TAKEN);
        return 0;
    }
    int saved = SaveEntry(edited);
    if (!(saved & ENTRY_DONE)) {
        RefusePath(editor, "No se pudo guardar la aplicaci\xF3n en el archivo !\n", name);
        return 0;
    }
    // The entry is saved whatever else failed: said, and the editor goes on.
    if (saved & ENTRY_OLD_KEPT)
        RefusePath(editor, OLD_ENTRY_KEPT, edited.listedName);
    if (saved & ENTRY_ICON_FAILED)
        RefusePath(editor, ICON_NOT_WRITTEN, name, ".ICO");
    // Saved: what follows (an installation) acts on the file of its new name.
    CopyText(edited.listedName, name);
    return 1;
}

int DeleteListedEntry(HWND editor, const Entry& edited)
{
    // The entry to delete is the one listed, whatever the name field shows now.
    int deleted = DeleteEntry(edited.listedName);
    if (deleted & ENTRY_ICON_FAILED)
        RefusePath(editor, ICON_NOT_DELETED, edited.listedName, ".ICO");
    if (deleted & ENTRY_DONE)
        return 1;
    RefusePath(editor, "No se pudo borrar el archivo de la aplicaci\xF3n !\n", edited.listedName);
    return 0;
}
