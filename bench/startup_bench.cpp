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
#include "bench.h"

namespace {

const char INICIO[] = "Instalaci\xF3n y mantenimiento de aplicaciones - TERMINAL";

// Seconds until the dialog is visible with count items; negative on failure.
double TimeToList(const std::string& exe, const std::string& args, const char* caption, LRESULT count)
{
    drive::Program program;
    double start = Now();
    if (!program.Start(exe, args))
        return -1;
    double elapsed = -1;
    HWND dialog = program.Appears(caption, 60000);
    if (dialog != nullptr) {
        HWND list = GetDlgItem(dialog, 1000);
        if (drive::WaitUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == count; }, 60000))
            elapsed = Now() - start;
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    program.WaitExit(10000);
    return elapsed;
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
