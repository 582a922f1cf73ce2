// Time from starting a program to its INICIO (Dalvo's caption unless CAPTION
// is given) showing its filled list, against a minimal dialog program that
// lists the same directory, in the same run.
//   startup_bench PROGRAM.EXE MINILIST.EXE ENTRY_DIR COUNT [ROUNDS [CAPTION]]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "drive.h"
#include "bench.h"

namespace {

// Dalvo's; Fostra's INICIO differs in its last word, so it comes as CAPTION.
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
        std::fprintf(stderr, "usage: startup_bench PROGRAM.EXE MINILIST.EXE ENTRY_DIR COUNT [ROUNDS [CAPTION]]\n");
        return 2;
    }
    LRESULT count = std::atol(argv[4]);
    int rounds = argc > 5 ? std::atoi(argv[5]) : 5;
    const char* caption = argc > 6 ? argv[6] : INICIO;
    // "Z:\...\Fostra.EXE" -> "Fostra.EXE" and "Fostra", for the report.
    std::string file = argv[1];
    file = file.substr(file.find_last_of("\\/:") + 1);
    std::string name = file.substr(0, file.rfind('.'));
    std::vector<double> program, baseline;
    // One untimed round each warms the file cache and Wine's libraries.
    for (int round = -1; round < rounds; ++round) {
        double a = TimeToList(argv[2], argv[3], "Lista minima", count);
        double b = TimeToList(argv[1], "", caption, count);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "startup_bench: a program did not show %ld entries\n", static_cast<long>(count));
            return 1;
        }
        if (round >= 0) {
            baseline.push_back(a);
            program.push_back(b);
        }
    }
    double d = Median(program), m = Median(baseline);
    std::printf("entries: %ld, rounds: %d (medians)\n", static_cast<long>(count), rounds);
    std::printf("%-35s%.3f s\n", (file + " to filled INICIO:").c_str(), d);
    std::printf("minimal FindFirstFileA dialog:     %.3f s\n", m);
    std::printf("%-35s%.2f (goal: at most 1.3)\n", ("ratio " + name + " / baseline:").c_str(), d / m);
    return 0;
}
