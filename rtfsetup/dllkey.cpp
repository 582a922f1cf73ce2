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
    // One byte more than the caller's room, so a value stored without its
    // NUL still fits and can be terminated here.
    char value[DIR_SIZE + 1];
    DWORD length = static_cast<DWORD>(size < sizeof value - 1 ? size : sizeof value - 1);
    DWORD type = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &length);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return 0;
    value[length] = '\0';
    size_t text = strnlen(value, length);
    if (text >= size)
        return 0;
    std::memcpy(out, value, text + 1);
    return 1;
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
