#include "selectfix.h"

#include <cstdio>

#include "fixtures.h"

namespace selectfix {

const char PRINTERS_KEY[] = "System\\CurrentControlSet\\Control\\Print\\Printers";

void ClearPrinters()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, PRINTERS_KEY, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char name[1024];
    DWORD length = sizeof name;
    while (RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        if (RegDeleteTreeA(key, name) != ERROR_SUCCESS)
            break;
        length = sizeof name;
    }
    RegCloseKey(key);
}

void AddPrinter(const std::string& subkey, const char* name, const char* port)
{
    std::string key = std::string(PRINTERS_KEY) + "\\" + subkey;
    HKEY handle;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegCloseKey(handle);
    if (name != nullptr)
        fixture::SetText(HKEY_LOCAL_MACHINE, key, "Name", name);
    if (port != nullptr)
        fixture::SetText(HKEY_LOCAL_MACHINE, key, "Port", port);
}

void RemovePrintersKey()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, PRINTERS_KEY);
}

void RestorePrintersKey()
{
    fixture::SetText(HKEY_LOCAL_MACHINE, PRINTERS_KEY, "DefaultSpoolDirectory", "C:\\windows\\system32\\spool\\printers");
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return bytes;
    int c;
    while ((c = std::fgetc(file)) != EOF)
        bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(file);
    return bytes;
}

}  // namespace selectfix
