// Direct printing of a 20 MB report through Pluvik.dll, as the Java client
// calls it, in the same run against CopyFileA of the same report to the same
// file-backed port, a plain copy in the contract's 10,240-byte blocks, and
// the floor: the calls the contract can't do without (the printer looked up,
// the blocks copied, the report deleted), with no conversion.
//   print_bench WORK_DIR [ROUNDS]
// The port LPT1 of the prefix must lead to a file (./vondra bench links it).
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "javaclient.h"
#include "bench.h"

namespace {

const char PRINTER_KEY[] = "System\\CurrentControlSet\\Control\\Print\\Printers\\Bench Matricial";
const DWORD REPORT_SIZE = 20u * 1024 * 1024;

void SetText(HKEY key, const char* name, const char* text)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
}

bool RegisterPrinter()
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, PRINTER_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    SetText(key, "Name", "Bench Matricial");
    SetText(key, "Port", "LPT1:");
    SetText(key, "Printer Driver", "Generic / Text Only");
    RegCloseKey(key);
    return true;
}

bool WriteReport(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    std::string text;
    for (int line = 1; text.size() < REPORT_SIZE; ++line) {
        char row[128];
        std::snprintf(row, sizeof row, "%08d  Se\xF1or N\xFA\xF1" "ez      Cr\xE9" "dito a\xF1o 2024   %12.2f\r\n", line,
                      line * 1.25);
        text += row;
    }
    text.resize(REPORT_SIZE);
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && ok;
}

// Empties the port's file, so both ways write into a new one.
bool EmptyPort()
{
    HANDLE port = CreateFileA("LPT1:", GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(port);
    return true;
}

DWORD PortSize()
{
    HANDLE port = CreateFileA("LPT1:", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return 0;
    DWORD size = GetFileSize(port, nullptr);
    CloseHandle(port);
    return size;
}

// The printer's port, looked up among the local printers as the contract
// does it: the size asked, then the records, the text sought in each.
bool FindPort(const char* sought, std::string& port)
{
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> records(needed);
    if (needed == 0 || !EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, records.data(), needed, &needed, &count))
        return false;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(records.data());
    for (DWORD i = 0; i < count; ++i) {
        std::string name = printers[i].pPrinterName != nullptr ? printers[i].pPrinterName : "";
        CharUpperA(&name[0]);
        if (name.find(sought) != std::string::npos) {
            port = printers[i].pPortName;
            return true;
        }
    }
    return false;
}

// The source copied in 10,240-byte blocks, nothing converted; with floor the
// port is first looked up and the source deleted after. Seconds, negative on
// failure.
double BlockCopy(const std::string& source, bool floor)
{
    double start = Now();
    std::string port = "LPT1:";
    if (floor && !FindPort("MATRICIAL", port))
        return -1;
    HANDLE file = CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE device = CreateFileA(port.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    static char block[10240];
    DWORD got = 0;
    bool ok = file != INVALID_HANDLE_VALUE && device != INVALID_HANDLE_VALUE;
    while (ok && ReadFile(file, block, sizeof block, &got, nullptr) && got > 0) {
        DWORD written = 0;
        ok = WriteFile(device, block, got, &written, nullptr) && written == got;
        if (got < sizeof block)
            break;
    }
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (device != INVALID_HANDLE_VALUE)
        CloseHandle(device);
    ok = ok && (!floor || DeleteFileA(source.c_str()));
    return ok ? Now() - start : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: print_bench WORK_DIR [ROUNDS]\n");
        return 2;
    }
    std::string dir = std::string(argv[1]) + "\\";
    int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
    std::string master = dir + "reporte.master";
    std::string report = dir + "reporte.txt";
    javaclient::Library library;
    if (!javaclient::Load(library, PLUVIK_DIR) || !RegisterPrinter() || !WriteReport(master) || !EmptyPort()) {
        std::fprintf(stderr, "print_bench: no Pluvik.dll, printer, report or port LPT1\n");
        return 1;
    }
    // [0] ImpDir_RTF, [1] CopyFileA, [2] the block copy, [3] the floor.
    const char* const WAYS[4] = {"ImpDir_RTF", "CopyFileA", "the block copy", "the floor"};
    std::vector<double> times[4];
    // One untimed round warms the file cache and the spooler; the four take
    // turns at going first.
    for (int round = -1; round < rounds; ++round) {
        for (int turn = 0; turn < 4; ++turn) {
            int way = (turn + round + 4) % 4;
            if (!EmptyPort() || ((way == 0 || way == 3) && !CopyFileA(master.c_str(), report.c_str(), FALSE)))
                return 1;
            double start = Now(), took = -1;
            if (way == 0) {
                javaclient::Vm vm;
                start = Now();
                if (library.print(&vm.env, nullptr, vm.Array(report), vm.Array("MATRICIAL")) == 0)
                    took = Now() - start;
            } else if (way == 1) {
                if (CopyFileA(master.c_str(), "LPT1:", FALSE))
                    took = Now() - start;
            } else {
                took = BlockCopy(way == 2 ? master : report, way == 3);
            }
            bool deleted = GetFileAttributesA(report.c_str()) == INVALID_FILE_ATTRIBUTES;
            if (took < 0 || PortSize() != REPORT_SIZE || ((way == 0 || way == 3) && !deleted)) {
                std::fprintf(stderr, "print_bench: %s failed (%lu bytes at LPT1)\n", WAYS[way], PortSize());
                return 1;
            }
            if (round >= 0)
                times[way].push_back(took);
        }
    }
    DeleteFileA(master.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, PRINTER_KEY);
    double d = Median(times[0]), c = Median(times[1]), b = Median(times[2]), f = Median(times[3]);
    std::printf("report: %lu bytes, rounds: %d (medians)\n", REPORT_SIZE, rounds);
    std::printf("ImpDir_RTF to LPT1 (file-backed):          %.3f s\n", d);
    std::printf("CopyFileA to LPT1:                         %.3f s\n", c);
    // CopyFileA moves 64 KB a call; the client's contract is 10,240 bytes.
    std::printf("plain copy in 10,240-byte blocks:          %.3f s (%.2f of CopyFileA)\n", b, b / c);
    std::printf("floor: printer found, blocks, file deleted: %.3f s (%.2f of the block copy)\n", f, f / b);
    std::printf("ratio ImpDir_RTF / CopyFileA:              %.2f\n", d / c);
    std::printf("ratio ImpDir_RTF / block copy:             %.2f (goal: at most 1.3)\n", d / b);
    std::printf("ratio ImpDir_RTF / floor:                  %.2f\n", d / f);
    return 0;
}
