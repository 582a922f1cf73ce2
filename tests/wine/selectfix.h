// Printers in the prefix's registry and file helpers of the selection tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace selectfix {

extern const char PRINTERS_KEY[];

// Removes every printer (the Printers key stays).
void ClearPrinters();
// A printer key; a null name or port leaves that value out.
void AddPrinter(const std::string& subkey, const char* name, const char* port);
// Removes the Printers key itself / puts it back as a new prefix has it.
void RemovePrintersKey();
void RestorePrintersKey();

std::vector<uint8_t> ReadBytes(const std::string& path);

}  // namespace selectfix
