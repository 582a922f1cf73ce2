// The editor's calls into the icon, printer and installation operations.
#include "../installcore/installcore.h"
#include "editor.h"

int EditorLoadIcon(const char*)
{
    return 0;
}

bool EditorPaintIcon(HWND, int, int)
{
    return false;
}

void EditorReleaseIcon() {}

INT_PTR EditorChoosePrinter(HWND, int)
{
    return 0;
}

int EditorShortcutExists()
{
    return 0;
}

int EditorJarStatus()
{
    return 0;
}

void EditorSetCopyJars(int) {}

void EditorUninstall() {}
