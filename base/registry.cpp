#include <cstring>
#include <string>

#include "base.h"
#include "regkey.h"

// Values stored without a NUL are accepted when there is room to add one;
// longer values count as missing rather than being cut into another path.
int QueryRegText(HKEY key, const char* name, char* out, size_t size)
{
    std::string value(size + 1, '\0');
    DWORD type = 0;
    DWORD length = static_cast<DWORD>(size);
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value[0]), &length) != ERROR_SUCCESS)
        return 0;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return 0;
    size_t text = strnlen(value.data(), length);
    if (text >= size)
        return 0;
    std::memcpy(out, value.data(), text);
    out[text] = '\0';
    return 1;
}

void WriteUserDirInst(const char* dir)
{
    RegKey key;
    if (!key.OpenForWriting(HKEY_CURRENT_USER, VONDRA_KEY))
        return;
    RegSetValueExA(key.handle, "DirInst", 0, REG_SZ, reinterpret_cast<const BYTE*>(dir),
                   static_cast<DWORD>(std::strlen(dir) + 1));
}

void DeleteMachineDirInst()
{
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, VONDRA_KEY, KEY_ALL_ACCESS))
        RegDeleteValueA(key.handle, "DirInst");
}

int ReadDirInst(char (&out)[PATH_SIZE])
{
    {
        RegKey user;
        if (user.Open(HKEY_CURRENT_USER, VONDRA_KEY, KEY_QUERY_VALUE) &&
            QueryRegText(user.handle, "DirInst", out, sizeof out))
            return 1;
    }
    int found = 0;
    {
        RegKey machine;
        if (machine.Open(HKEY_LOCAL_MACHINE, VONDRA_KEY, KEY_QUERY_VALUE) &&
            QueryRegText(machine.handle, "DirInst", out, sizeof out)) {
            WriteUserDirInst(out);
            found = 1;
        }
    }
    if (found)
        DeleteMachineDirInst();
    return found;
}
