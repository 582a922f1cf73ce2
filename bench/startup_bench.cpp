// Time from starting Dalvo.EXE to INICIO showing its filled list, against a
// minimal dialog program that lists the same directory, in the same run.
//   startup_bench DALVO.EXE MINILIST.EXE ENTRY_DIR COUNT [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "drive.h"

namespace {

const char INICIO[] = "Instalaci\xF3n y mantenimiento de aplicaciones - TERMINAL";

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Seconds until the dialog is visible with count items; negative on failure.
double TimeToList(const std::string& exe, const std::string& args, const char* caption, LRESULT count)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = "\"" + exe + "\" " + args;
    double start = Now();
    if (!CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    double elapsed = -1;
    HWND dialog = drive::WaitForWindow(caption, 60000, info.dwProcessId);
    if (dialog != nullptr) {
        HWND list = GetDlgItem(dialog, 1000);
        if (drive::WaitUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == count; }, 60000))
            elapsed = Now() - start;
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return elapsed;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: startup_bench DALVO.EXE MINILIST.EXE ENTRY_DIR COUNT [ROUNDS]\n");
        return 2;
    }
    LRESULT count = std::atol(argv[4]);
    int rounds = argc > 5 ? std::atoi(argv[5]) : 5;
    std::vector<double> dalvo, baseline;
    // One untimed round each warms the file cache and Wine's libraries.
    for (int round = -1; round < rounds; ++round) {
        double a = TimeToList(argv[2], argv[3], "Lista minima", count);
        double b = TimeToList(argv[1], "", INICIO, count);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "startup_bench: a program did not show %ld entries\n", static_cast<long>(count));
            return 1;
        }
        if (round >= 0) {
            baseline.push_back(a);
            dalvo.push_back(b);
        }
    }
    double d = Median(dalvo), m = Median(baseline);
    std::printf("entries: %ld, rounds: %d (medians)\n", static_cast<long>(count), rounds);
    std::printf("Dalvo.EXE to filled INICIO:        %.3f s\n", d);
    std::printf("minimal FindFirstFileA dialog:     %.3f s\n", m);
    std::printf("ratio Dalvo / baseline:            %.2f (goal: at most 1.3)\n", d / m);
    return 0;
}
