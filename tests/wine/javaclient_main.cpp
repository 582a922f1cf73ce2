// The Java client's printing call from a program of its own, so that it can
// run under another reported Windows version (Wine's per-program setting):
//   javaclient print FILE PRINTER [--spooler98]
// Exit code: the call's result; 100 when the library or its natives are
// missing, 101 when array elements were not released.
#include <windows.h>
#include <winspool.h>

#include <cstring>

#include "javaclient.h"

namespace {

// Windows 98's spooler lists the default printer for PRINTER_ENUM_DEFAULT;
// Wine's lists none. This stand-in answers as Windows 98 would, from the
// local printers and the default printer's name.
BOOL WINAPI Spooler98(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                      LPDWORD returned)
{
    if (!(flags & PRINTER_ENUM_DEFAULT) || level != 2)
        return EnumPrintersA(flags, name, level, buffer, size, needed, returned);
    char defaultName[512];
    DWORD length = sizeof defaultName;
    *returned = 0;
    if (!GetDefaultPrinterA(defaultName, &length)) {
        *needed = 0;
        return TRUE;
    }
    DWORD count = 0;
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL, name, level, buffer, size, needed, &count))
        return FALSE;
    auto* records = reinterpret_cast<PRINTER_INFO_2A*>(buffer);
    for (DWORD i = 0; i < count; ++i) {
        if (lstrcmpiA(records[i].pPrinterName, defaultName) == 0) {
            records[0] = records[i];
            *returned = 1;
            break;
        }
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || std::strcmp(argv[1], "print") != 0)
        return 99;
    javaclient::Library library;
    if (!javaclient::Load(library, PLUVIK_DIR))
        return 100;
    if (argc > 4 && std::strcmp(argv[4], "--spooler98") == 0)
        javaclient::PatchImport(library.module, "WINSPOOL.DRV", "EnumPrintersA", reinterpret_cast<void*>(Spooler98));
    javaclient::Vm vm;
    jint result = library.print(&vm.env, nullptr, vm.Array(argv[2]), vm.Array(argv[3]));
    return vm.AllReleased() ? result : 101;
}
