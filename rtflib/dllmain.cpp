#include <windows.h>

// Nothing to set up or tear down: every call stands alone.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
