#include <cstring>
#include <string>

#include "base.h"
#include "regkey.h"
#include "rollback.h"

// Values stored without a NUL are accepted when there is room to add one;
// longer values count as missing rather than being cut into another path.
// REG_EXPAND_SZ is read expanded, as the system reads it.
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
    if (type == REG_EXPAND_SZ) {
        value[text] = '\0';
        std::string expanded(size, '\0');
        DWORD got = ExpandEnvironmentStringsA(value.data(), &expanded[0], static_cast<DWORD>(size));
        if (got == 0 || got > size)
            return 0;
        value = expanded;
        text = strnlen(value.data(), size);
    }
    std::memcpy(out, value.data(), text);
    out[text] = '\0';
    return 1;
}

void WriteUserDirInst(const char* dir)
{
    RegKey key;
    if (!KeepValue(HKEY_CURRENT_USER, 0, VONDRA_KEY, "DirInst") || !key.OpenForWriting(HKEY_CURRENT_USER, VONDRA_KEY))
        return;
    RegSetValueExA(key.handle, "DirInst", 0, REG_SZ, reinterpret_cast<const BYTE*>(dir),
                   static_cast<DWORD>(std::strlen(dir) + 1));
}

int UserHasDirInst()
{
    RegKey key;
    DWORD size = 0;
    return key.Open(HKEY_CURRENT_USER, VONDRA_KEY, KEY_QUERY_VALUE) &&
           RegQueryValueExA(key.handle, "DirInst", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 1;
}

void DeleteMachineDirInst()
{
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, VONDRA_KEY, KEY_ALL_ACCESS))
        RegDeleteValueA(key.handle, "DirInst");
}

namespace {

// An empty value names no directory: it counts as missing.
int QueryDirInst(HKEY root, char (&out)[PATH_SIZE])
{
    RegKey key;
    char dir[PATH_SIZE];
    if (!key.Open(root, VONDRA_KEY, KEY_QUERY_VALUE) || !QueryRegText(key.handle, "DirInst", dir, sizeof dir) ||
        dir[0] == '\0')
        return 0;
    std::memcpy(out, dir, sizeof dir);
    return 1;
}

}  // namespace

int ReadDirInst(char (&out)[PATH_SIZE])
{
    if (QueryDirInst(HKEY_CURRENT_USER, out))
        return 1;
    if (!QueryDirInst(HKEY_LOCAL_MACHINE, out))
        return 0;
    // A user value this could not read (too long) stays, and so does the
    // machine's then: it is moved, never copied over the user's own.
    if (!UserHasDirInst()) {
        WriteUserDirInst(out);
        DeleteMachineDirInst();
    }
    return 1;
}
