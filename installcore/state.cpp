#include "installcore.h"

HINSTANCE hInstance;
HICON appIcon;
HWND mainWindow;
HBRUSH staticBrush;
char jreVersion[PATH_SIZE];
char javaHome[PATH_SIZE];
char installDir[PATH_SIZE];
