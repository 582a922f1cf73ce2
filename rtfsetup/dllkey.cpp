// The library's registration: HKEY_LOCAL_MACHINE\SOFTWARE\VONDRA\DLLRTF.
#include <cstring>

#include "kelmin.h"

namespace {

const char PARENT_KEY[] = "SOFTWARE\\VONDRA";
const char DLL_KEY[] = "SOFTWARE\\VONDRA\\DLLRTF";

}  // namespace

int ReadDllValue(const char* name, char* out, size_t size)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, DLL_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    int found = QueryRegText(key, name, out, size);
    RegCloseKey(key);
    return found;
}

int WriteDllValue(const char* name, const char* text)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, DLL_KEY, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return 0;
    LONG status = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                 static_cast<DWORD>(std::strlen(text) + 1));
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? 1 : 0;
}

void RemoveDllKey()
{
    HKEY parent;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, PARENT_KEY, 0, KEY_ALL_ACCESS, &parent) != ERROR_SUCCESS)
        return;
    RegDeleteKeyA(parent, "DLLRTF");
    RegCloseKey(parent);
}
