// The library's registration: HKEY_LOCAL_MACHINE\SOFTWARE\VONDRA\DLLRTF.
#include <cstring>

#include "../base/regkey.h"
#include "../base/rollback.h"
#include "kelmin.h"

namespace {

const char PARENT_KEY[] = "SOFTWARE\\VONDRA";
const char DLL_KEY[] = "SOFTWARE\\VONDRA\\DLLRTF";

}  // namespace

int ReadDllValue(const char* name, char* out, size_t size)
{
    RegKey key;
    return key.Open(HKEY_LOCAL_MACHINE, DLL_KEY, KEY_QUERY_VALUE) && QueryRegText(key.handle, name, out, size);
}

int WriteDllValue(const char* name, const char* text)
{
    RegKey key;
    return KeepValue(HKEY_LOCAL_MACHINE, 0, DLL_KEY, name) && key.OpenForWriting(HKEY_LOCAL_MACHINE, DLL_KEY) &&
           RegSetValueExA(key.handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
}

int RemoveDllKey()
{
    RegKey parent;
    LONG status = ERROR_FILE_NOT_FOUND;
    if (parent.Open(HKEY_LOCAL_MACHINE, PARENT_KEY, KEY_ALL_ACCESS))
        status = KeepKey(HKEY_LOCAL_MACHINE, 0, DLL_KEY) ? RegDeleteKeyA(parent.handle, "DLLRTF") : ERROR_CANTWRITE;
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

int RecordedBits()
{
    char bits[8];
    return ReadDllValue("Bits", bits, sizeof bits) && std::strcmp(bits, "64") == 0 ? 64 : 32;
}
