// Pluvik.dll: the native methods of the Java client's classes ClipRTF and
// ImpDir. The exports and their result codes are a contract with the client;
// Pluvik.def names them (the decorated 32-bit names the Java VM looks up).
#pragma once

#include <windows.h>

#include "devtext.h"

// Result codes of ImpDir_RTF, as the Java client knows them.
enum PrintResult {
    PRINT_SENT = 0,         // sent, file deleted
    PRINT_NO_DEVICE = 1,    // the printer text names no device (or is too long)
    PRINT_NO_FILE = 2,      // the file cannot be opened (or read, or its name is too long)
    PRINT_NO_PORT = 3,      // the device cannot be opened (or refuses the data)
    PRINT_NO_MEMORY = 4     // no transfer block
};

// Printer text (upper-cased, at most TEXT_SIZE - 1 bytes) to the name of the
// device to open, into device[TEXT_SIZE]. 1 on success.
int ResolvePrinterDevice(const char* printerText, char* device);

// Device of the default printer into device[size], by the way the running
// Windows family offers. 1 on success.
int GetDefaultPrinterDevice(char* device, DWORD size);

// The same for a given platform (VER_PLATFORM_WIN32_*) and major version.
int DefaultPrinterDeviceFor(DWORD platform, DWORD major, char* device, DWORD size);
