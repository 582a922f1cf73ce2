// ImpDir.ImpDir_RTF of the built Pluvik.dll, called as the Java client calls
// it, against local printers registered in the prefix whose ports are files
// (LPT1, LPT2) or a device that refuses data (LPT3: /dev/full).
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "caller.h"
#include "drive.h"
#include "fixtures.h"
#include "javaclient.h"

namespace {

using fixture::Exists;

const char PRINTERS_KEY[] = "System\\CurrentControlSet\\Control\\Print\\Printers";
const char WINDOWS_KEY[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const char APP_DEFAULTS_KEY[] = "Software\\Wine\\AppDefaults";
const int CHUNK = 10240;

struct Printer {
    const char* name;
    const char* port;
};
const Printer PRINTERS[] = {
    {"Vondra Matricial", "LPT1:"},
    {"Laser Oficina", "LPT2:"},
    {"Ticket Sin Papel", "LPT3:"},
};

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string PortFile(int n)
{
    return std::string(PORTS_DIR) + "\\lpt" + std::to_string(n) + ".prn";
}

// A report as the client writes it: Spanish text in code page 1252.
std::string Report(size_t size)
{
    std::string text;
    for (int line = 1; text.size() < size; ++line)
        text += "Se\xF1or N\xFA\xF1" "ez, a\xF1o " + std::to_string(line) + ": \xE1rea \xD1" "and\xFA \xBF?\r\n";
    text.resize(size);
    return text;
}

// The same report as an OEM (437) printer must receive it. Written out here,
// not computed by the system's conversion.
std::string Oem437(std::string text)
{
    for (char& c : text) {
        switch (static_cast<unsigned char>(c)) {
        case 0xF1: c = '\xA4'; break;  // ñ
        case 0xD1: c = '\xA5'; break;  // Ñ
        case 0xFA: c = '\xA3'; break;  // ú
        case 0xE1: c = '\xA0'; break;  // á
        case 0xBF: c = '\xA8'; break;  // ¿
        }
    }
    return text;
}

void SetDefaultDevice(const char* device, Caller caller = {})
{
    SCOPED_CALLER(caller);
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, WINDOWS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (device != nullptr)
        RegSetValueExA(key, "Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(device),
                       static_cast<DWORD>(strlen(device) + 1));
    else
        RegDeleteValueA(key, "Device");
    RegCloseKey(key);
}

void RegisterPrinters()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, PRINTERS_KEY);
    for (const Printer& printer : PRINTERS) {
        std::string name = std::string(PRINTERS_KEY) + "\\" + printer.name;
        fixture::SetText(HKEY_LOCAL_MACHINE, name, "Name", printer.name);
        fixture::SetText(HKEY_LOCAL_MACHINE, name, "Port", printer.port);
        fixture::SetText(HKEY_LOCAL_MACHINE, name, "Printer Driver", "Generic / Text Only");
    }
}

// The port of the first local printer in the spooler's own order.
std::string FirstListedPort()
{
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    if (needed == 0 || !EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count) ||
        count == 0)
        return "";
    return reinterpret_cast<PRINTER_INFO_2A*>(buffer.data())[0].pPortName;
}

class Printing : public ::testing::Test {
protected:
    javaclient::Library library;
    std::string dir;

    void SetUp() override
    {
        ASSERT_TRUE(javaclient::Load(library, PLUVIK_DIR)) << PLUVIK_DLL " or its natives not found in " PLUVIK_DIR;
        ASSERT_EQ(GetOEMCP(), 437u);
        dir = fixture::NewDirectory("print");
        ASSERT_FALSE(dir.empty());
        RegisterPrinters();
        SetDefaultDevice("Laser Oficina,winspool,LPT2:");
        ClearPorts();
    }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, PRINTERS_KEY);
        SetDefaultDevice(nullptr);
    }
    void ClearPorts(Caller caller = {})
    {
        SCOPED_CALLER(caller);
        for (int n = 1; n <= 2; ++n) {
            ASSERT_TRUE(Exists(PortFile(n))) << "port files are made by pluvik_ports.sh";
            fixture::WriteBytes(PortFile(n), "", 0);
        }
    }
    std::string NewReport(const std::string& bytes, const char* name = "reporte.txt")
    {
        std::string path = dir + name;
        fixture::WriteBytes(path, bytes.data(), bytes.size());
        return path;
    }
    // One call as the Java client makes it; every element given back.
    jint Print(const std::string& file, const std::string& printer, bool failElements = false, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        javaclient::Vm vm;
        vm.failElements = failElements;
        jint result = library.print(&vm.env, nullptr, vm.Array(file), vm.Array(printer));
        EXPECT_TRUE(vm.AllReleased()) << printer;
        EXPECT_EQ(vm.isCopyAsked, 0);
        return result;
    }
    // The report sent to printer text arrives at port n, converted, and is gone.
    void ExpectPrinted(const std::string& printer, int port, const std::string& report, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        ClearPorts();
        std::string path = NewReport(report);
        EXPECT_EQ(Print(path, printer), 0) << printer;
        EXPECT_TRUE(Slurp(PortFile(port)) == Oem437(report)) << printer << ": " << Slurp(PortFile(port)).size()
                                                             << " bytes at LPT" << port;
        EXPECT_EQ(Slurp(PortFile(3 - port)), "") << printer;
        EXPECT_FALSE(Exists(path)) << printer;
    }
    // Not printed: the given code, the report still there and unchanged.
    void ExpectKept(const std::string& printer, jint code, const std::string& report = "Se\xF1or\r\n",
                    Caller caller = {})
    {
        SCOPED_CALLER(caller);
        ClearPorts();
        std::string path = NewReport(report);
        EXPECT_EQ(Print(path, printer), code) << printer;
        EXPECT_EQ(Slurp(path), report) << printer;
        EXPECT_EQ(Slurp(PortFile(1)) + Slurp(PortFile(2)), "") << printer;
    }
    // The printing call from a program that Wine tells it runs on version.
    DWORD PrintAs(const char* version, const std::string& file, const std::string& printer, const char* option = "")
    {
        std::string exe = std::string("pluvik_") + version + ".exe";
        std::string copy = dir + exe;
        if (!CopyFileA(JAVACLIENT_EXE, copy.c_str(), FALSE))
            return 1002;
        fixture::SetText(HKEY_CURRENT_USER, std::string(APP_DEFAULTS_KEY) + "\\" + exe, "Version", version);
        DWORD code = drive::Run("\"" + copy + "\" print \"" + file + "\" \"" + printer + "\" " + option, 30000);
        RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(APP_DEFAULTS_KEY) + "\\" + exe).c_str());
        return code;
    }
};

}  // namespace

TEST_F(Printing, PortNameSendsReportInOemCodePageAndDeletesIt)
{
    std::string report = Report(3000);
    ExpectPrinted("LPT1", 1, report);
    ExpectPrinted("lpt1:", 1, report);
    ExpectPrinted("Lpt2", 2, report);
    // Every byte outside ASCII of code page 1252 arrives as the OEM printer's.
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    ClearPorts();
    std::string path = NewReport(all);
    ASSERT_EQ(Print(path, "LPT1"), 0);
    std::string arrived = Slurp(PortFile(1));
    ASSERT_EQ(arrived.size(), all.size());
    EXPECT_EQ(arrived.substr(0, 127), all.substr(0, 127));
    EXPECT_EQ(arrived[0xF1 - 1], '\xA4');
    EXPECT_EQ(arrived[0xE1 - 1], '\xA0');  // á
    EXPECT_EQ(arrived[0xE9 - 1], '\x82');  // é
    // Byte for byte what the system's own conversion makes of the block.
    std::string system = all;
    CharToOemBuffA(&system[0], &system[0], static_cast<DWORD>(system.size()));
    EXPECT_TRUE(arrived == system);
}

TEST_F(Printing, PartOfPrinterNameInAnyCase)
{
    std::string report = Report(500);
    ExpectPrinted("laser", 2, report);
    ExpectPrinted("OFICINA", 2, report);
    ExpectPrinted("matricial", 1, report);
    ExpectPrinted("VONDRA MATRICIAL", 1, report);
    ExpectPrinted("r ofi", 2, report);
}

TEST_F(Printing, EmptyPrinterTextMeansFirstListedPrinter)
{
    std::string first = FirstListedPort();
    ASSERT_TRUE(first == "LPT1:" || first == "LPT2:") << "first listed: " << first;
    ExpectPrinted("", first == "LPT1:" ? 1 : 2, Report(100));
}

TEST_F(Printing, ChunkBoundaries)
{
    for (size_t size : {size_t(1), size_t(CHUNK - 1), size_t(CHUNK), size_t(CHUNK + 1), size_t(3 * CHUNK),
                        size_t(5 * CHUNK + 17)})
        ExpectPrinted("LPT1", 1, Report(size));
}

TEST_F(Printing, EmptyFileOpensDeviceWritesNothing)
{
    ExpectPrinted("LPT2", 2, "");
    // The device is opened all the same: a held one still gives code 3.
    HANDLE held = CreateFileA("LPT2:", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ExpectKept("LPT2", 3, "");
    CloseHandle(held);
}

TEST_F(Printing, PrnMeansDefaultPrinter)
{
    std::string report = Report(CHUNK + 99);
    for (const char* text : {"PRN", "prn", "PRN:", "prnx"})
        ExpectPrinted(text, 2, report);
    SetDefaultDevice("Vondra Matricial,winspool,LPT1:");
    ExpectPrinted("Prn", 1, report);

    // A default printer that is no local printer: its name is the device.
    ClearPorts();
    std::string direct = dir + "directa.prn";
    fixture::WriteBytes(direct, "", 0);
    SetDefaultDevice((direct + ",winspool,Ne00:").c_str());
    std::string path = NewReport(report);
    EXPECT_EQ(Print(path, "PRN"), 0);
    EXPECT_TRUE(Slurp(direct) == Oem437(report));
    EXPECT_FALSE(Exists(path));

    // No default printer at all.
    SetDefaultDevice(nullptr);
    ExpectKept("PRN", 1);
}

TEST_F(Printing, NoDeviceNoFileHeldDevice)
{
    ExpectKept("HP DESKJET", 1);
    ExpectKept("LPT9", 1);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, PRINTERS_KEY);
    ExpectKept("LPT1", 1);
    ExpectKept("", 1);
    RegisterPrinters();

    EXPECT_EQ(Print(dir + "no-existe.txt", "LPT1"), 2);
    EXPECT_EQ(Slurp(PortFile(1)), "");

    // While another job holds the device: code 3, and the report waits.
    HANDLE held = CreateFileA("LPT1:", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ExpectKept("LPT1", 3);
    ExpectKept("MATRICIAL", 3);
    CloseHandle(held);
    ExpectPrinted("LPT1", 1, Report(200));
}

// A device that refuses the data: the report was not printed, so it is kept
// and the client hears code 3 (the device could not take it), not 0.
TEST_F(Printing, WriteErrorKeepsReport)
{
    ExpectKept("LPT3", 3, Report(2 * CHUNK + 5));
    ExpectKept("SIN PAPEL", 3, Report(10));
}

// A report that cannot be read to its end was not printed whole: kept, and
// the client hears code 2 (the file could not be read), not 0. The report is
// served through a pipe that breaks after the first block.
TEST_F(Printing, ReadErrorInTheMiddleIsNotSuccess)
{
    char pipeName[64];
    std::snprintf(pipeName, sizeof pipeName, "\\\\.\\pipe\\pluvik-report-%lu", GetCurrentProcessId());
    HANDLE pipe = CreateNamedPipeA(pipeName, PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0,
                                   nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    std::string first = Report(CHUNK);
    std::thread server([&] {
        if (ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) {
            DWORD written = 0;
            WriteFile(pipe, first.data(), CHUNK, &written, nullptr);
            // Broken once the first block reached the printer.
            drive::WaitUntil([&] { return Slurp(PortFile(1)).size() >= static_cast<size_t>(CHUNK); });
            DisconnectNamedPipe(pipe);
        }
    });
    EXPECT_EQ(Print(pipeName, "LPT1"), 2);
    server.join();
    CloseHandle(pipe);
    EXPECT_TRUE(Slurp(PortFile(1)) == Oem437(first));
}

// Names past the 512-byte buffers are refused, never copied past them.
TEST_F(Printing, OverlongInputsRefused)
{
    std::string report = Report(300);
    std::string kept = NewReport(report);
    EXPECT_EQ(Print(kept + std::string(600, 'x'), "LPT1"), 2);
    EXPECT_EQ(Print(std::string(5000, 'C'), "LPT1"), 2);

    // A printer text past the buffer names no device, even one it starts with.
    EXPECT_EQ(Print(kept, "LPT1" + std::string(508, ' ')), 1);
    EXPECT_EQ(Print(kept, "PRN" + std::string(600, 'x')), 1);
    EXPECT_EQ(Print(kept, std::string(70000, 'L')), 1);
    EXPECT_EQ(Print(kept, "LPT1", true), 1);  // the VM gave no elements
    EXPECT_EQ(Slurp(kept), report);
    EXPECT_EQ(Slurp(PortFile(1)), "");

    // 511 bytes are still a printer text: it finds a printer whose port is
    // that long (a device that cannot be opened: code 3, not 1).
    std::string port(511, 'Q');
    std::string key = std::string(PRINTERS_KEY) + "\\Puerto Largo";
    fixture::SetText(HKEY_LOCAL_MACHINE, key, "Name", "Puerto Largo");
    fixture::SetText(HKEY_LOCAL_MACHINE, key, "Port", port);
    EXPECT_EQ(Print(kept, std::string(511, 'q')), 3);
    EXPECT_EQ(Print(kept, std::string(512, 'q')), 1);
    EXPECT_EQ(Slurp(kept), report);
}

// Older Windows families, as Wine reports them to a program of that name.
TEST_F(Printing, DefaultPrinterOnWindowsNt4)
{
    std::string report = Report(CHUNK + 1);
    std::string path = NewReport(report);
    EXPECT_EQ(PrintAs("nt40", path, "PRN"), 0u);
    EXPECT_TRUE(Slurp(PortFile(2)) == Oem437(report));
    EXPECT_FALSE(Exists(path));

    // No default printer: the profile gives ",,,", the empty name matches the
    // first local printer.
    SetDefaultDevice(nullptr);
    ClearPorts();
    std::string first = FirstListedPort();
    path = NewReport(report);
    EXPECT_EQ(PrintAs("nt40", path, "prn"), 0u);
    EXPECT_TRUE(Slurp(PortFile(first == "LPT1:" ? 1 : 2)) == Oem437(report));

    // A default printer no local printer matches: opened by its name, as on
    // later systems.
    std::string direct = dir + "directa.prn";
    fixture::WriteBytes(direct, "", 0);
    SetDefaultDevice((direct + ",winspool,Ne00:").c_str());
    path = NewReport(report);
    EXPECT_EQ(PrintAs("nt40", path, "PRN"), 0u);
    EXPECT_TRUE(Slurp(direct) == Oem437(report));

    // Ports and names are found the same way on every family.
    ClearPorts();
    path = NewReport(report);
    EXPECT_EQ(PrintAs("nt40", path, "matricial"), 0u);
    EXPECT_TRUE(Slurp(PortFile(1)) == Oem437(report));
}

TEST_F(Printing, DefaultPrinterOnWindows98)
{
    std::string report = Report(700);
    std::string path = NewReport(report);
    EXPECT_EQ(PrintAs("win98", path, "PRN", "--spooler98"), 0u);
    EXPECT_TRUE(Slurp(PortFile(2)) == Oem437(report));
    EXPECT_FALSE(Exists(path));

    // A spooler that lists no default printer: no device, the report stays.
    path = NewReport(report);
    EXPECT_EQ(PrintAs("win98", path, "PRN"), 1u);
    EXPECT_EQ(Slurp(path), report);
    SetDefaultDevice(nullptr);
    EXPECT_EQ(PrintAs("win98", path, "PRN", "--spooler98"), 1u);
    EXPECT_EQ(Slurp(path), report);
}
