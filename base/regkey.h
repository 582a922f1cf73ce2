// An open registry key, closed when it goes out of scope.
#pragma once

#include <windows.h>

// The suite's own key, under the user (and, for older installations, the machine).
constexpr char VONDRA_KEY[] = "SOFTWARE\\Vondra\\Java";

struct RegKey {
    HKEY handle = nullptr;
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey()
    {
        if (handle != nullptr)
            RegCloseKey(handle);
    }
    int Open(HKEY root, const char* path, REGSAM access)
    {
        return RegOpenKeyExA(root, path, 0, access, &handle) == ERROR_SUCCESS;
    }
    // Opens the key for writing, creating it when missing.
    int OpenForWriting(HKEY root, const char* path)
    {
        return Open(root, path, KEY_ALL_ACCESS) ||
               RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &handle,
                               nullptr) == ERROR_SUCCESS;
    }
};
