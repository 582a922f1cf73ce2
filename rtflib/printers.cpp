// From the Java client's printer text to the device to open: a local
// printer's port, or the default printer found the way each Windows family
// offers it.
#include "pluvik.h"

#include <winspool.h>

static_assert(sizeof(OSVERSIONINFOA) == 148, "GetVersionExA record");

namespace {

int CompareLocale(const char* a, const char* b)
{
    return lstrcmpiA(a, b);
}

const char* Text(const char* text)
{
    return text != nullptr ? text : "";
}

int Matches(const char* sought, const PRINTER_INFO_2A& record)
{
    return ContainsNoCase(sought, Text(record.pPortName), CompareLocale) ||
           ContainsNoCase(sought, Text(record.pPrinterName), CompareLocale);
}

// Level-2 records of the spooler in a zero-filled array the caller frees with
// GlobalFree; nullptr unless the first call asked for a buffer.
PRINTER_INFO_2A* EnumerateRecords(DWORD kind, DWORD* count)
{
    DWORD needed = 0;
    *count = 0;
    SetLastError(0);
    EnumPrintersA(kind, nullptr, 2, nullptr, 0, &needed, count);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0)
        return nullptr;
    void* array = GlobalAlloc(GMEM_ZEROINIT, needed);
    if (array == nullptr)
        return nullptr;
    if (!EnumPrintersA(kind, nullptr, 2, static_cast<LPBYTE>(array), needed, &needed, count)) {
        GlobalFree(array);
        return nullptr;
    }
    return static_cast<PRINTER_INFO_2A*>(array);
}

// The device buffer holds the default printer's name: a local printer whose
// port or name holds it gives its device; without one the name itself is
// opened (a network printer's "\\server\printer").
int DeviceOfDefaultName(char* device, DWORD size)
{
    char name[TEXT_SIZE];
    if (!CopyWhole(name, sizeof name, device))
        return 0;
    DWORD count = 0;
    PRINTER_INFO_2A* records = EnumerateRecords(PRINTER_ENUM_LOCAL, &count);
    if (records == nullptr)
        return 0;
    int found = 1;
    for (DWORD i = 0; i < count; ++i) {
        if (Matches(name, records[i])) {
            found = DeviceOfPrinter(device, size, records[i].pServerName, records[i].pPrinterName,
                                    records[i].pPortName);
            break;
        }
    }
    GlobalFree(records);
    return found;
}

// Windows 95/98: the spooler lists the default printer on its own.
int DefaultDeviceOfSpooler(char* device, DWORD size)
{
    DWORD count = 0;
    PRINTER_INFO_2A* records = EnumerateRecords(PRINTER_ENUM_DEFAULT, &count);
    if (records == nullptr)
        return 0;
    int found = count > 0 && DeviceOfPrinter(device, size, records[0].pServerName, records[0].pPrinterName,
                                             records[0].pPortName);
    GlobalFree(records);
    return found;
}

// Windows 2000 and later. Looked up at run time: older systems lack it.
int DefaultDeviceOfName(char* device, DWORD size)
{
    HMODULE spooler = LoadLibraryA("winspool.drv");
    if (spooler == nullptr)
        return 0;
    typedef BOOL(WINAPI * GetDefaultPrinterFunction)(LPSTR, LPDWORD);
    auto getDefault =
        reinterpret_cast<GetDefaultPrinterFunction>(reinterpret_cast<void*>(GetProcAddress(spooler, "GetDefaultPrinterA")));
    if (getDefault == nullptr) {
        FreeLibrary(spooler);
        return 0;
    }
    DWORD length = size;
    BOOL ok = getDefault(device, &length);
    FreeLibrary(spooler);
    if (!ok)
        return 0;
    return DeviceOfDefaultName(device, size);
}

// Windows NT 3.x/4: "name,driver,port" in the profile. Without a default
// printer the name is empty and so matches the first local printer.
int DefaultDeviceOfProfile(char* device, DWORD size)
{
    char entry[PROFILE_SIZE];
    if (GetProfileStringA("windows", "device", ",,,", entry, sizeof entry) == 0)
        return 0;
    CutAtComma(entry);
    if (!CopyWhole(device, size, entry))
        return 0;
    return DeviceOfDefaultName(device, size);
}

}  // namespace

int DefaultPrinterDeviceFor(DWORD platform, DWORD major, char* device, DWORD size)
{
    if (size == 0)
        return 0;
    device[0] = '\0';
    if (platform == VER_PLATFORM_WIN32_WINDOWS)
        return DefaultDeviceOfSpooler(device, size);
    if (platform == VER_PLATFORM_WIN32_NT)
        return major >= 5 ? DefaultDeviceOfName(device, size) : DefaultDeviceOfProfile(device, size);
    return 0;
}

int GetDefaultPrinterDevice(char* device, DWORD size)
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version))
        return 0;
    return DefaultPrinterDeviceFor(version.dwPlatformId, version.dwMajorVersion, device, size);
}

int ResolvePrinterDevice(const char* printerText, char* device)
{
    device[0] = '\0';
    if (IsDefaultPrinterText(printerText))
        return GetDefaultPrinterDevice(device, TEXT_SIZE);
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0)
        return 0;
    void* array = GlobalAlloc(GMEM_ZEROINIT, needed);
    if (array == nullptr)
        return 0;
    int found = 0;
    if (EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, static_cast<LPBYTE>(array), needed, &needed, &count)) {
        auto* records = static_cast<PRINTER_INFO_2A*>(array);
        for (DWORD i = 0; i < count; ++i) {
            if (Matches(printerText, records[i])) {
                found = DeviceOfPrinter(device, TEXT_SIZE, nullptr, nullptr, records[i].pPortName);
                break;
            }
        }
    }
    GlobalFree(array);
    return found;
}
