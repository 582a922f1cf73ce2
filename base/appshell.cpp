// The least start-up layer: take the module handle and hand control to the
// program's own start-up, which runs its message loop and returns the code.
#include "base.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    hInstance = instance;
    return InitInstance();
}
