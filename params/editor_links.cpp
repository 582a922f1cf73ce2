// The editor's calls into the icon, printer and installation operations.
#include "../installcore/install.h"
#include "editor.h"
#include "icons.h"
#include "printers.h"

int EditorLoadIcon(const char* path)
{
    return LoadCurrentIcon(path);
}

bool EditorPaintIcon(HWND dialog, int x, int y)
{
    int width = 0, height = 0;
    HICON icon = CurrentIconHandle(&width, &height);
    if (icon == nullptr)
        return false;
    DrawIconAt(dialog, icon, x, y, width, height);
    DestroyIcon(icon);
    return true;
}

void EditorReleaseIcon()
{
    ReleaseIcon();
}

INT_PTR EditorChoosePrinter(HWND dialog, int nameEdit)
{
    return ChoosePrinter(dialog, nameEdit);
}

int EditorShortcutExists()
{
    return ShortcutExists();
}

int EditorJarStatus()
{
    return JarStatus(installDir);
}

void EditorSetCopyJars(int copy)
{
    copyJars = copy;
}

void EditorUninstall()
{
    UninstallApplication();
}
