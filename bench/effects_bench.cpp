// Each background effect painted over 1024 x 768 into a memory bitmap,
// against a plain FillRect of the same area in the same run.
//   effects_bench [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "params/appearance.h"
#include "bench.h"

namespace {

enum { WIDTH = 1024, HEIGHT = 768 };

// Median seconds of one paint, over rounds of repeats.
template <typename Paint>
double Time(HDC dc, int rounds, int repeats, Paint paint)
{
    std::vector<double> samples;
    for (int round = 0; round < rounds; ++round) {
        double start = Now();
        for (int i = 0; i < repeats; ++i)
            paint();
        GdiFlush();
        samples.push_back((Now() - start) / repeats);
    }
    (void)dc;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const int repeats = 20;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, WIDTH, HEIGHT);
    ReleaseDC(nullptr, screen);
    if (dc == nullptr || bitmap == nullptr) {
        std::fprintf(stderr, "effects_bench: no memory bitmap\n");
        return 1;
    }
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, WIDTH, HEIGHT};
    const COLORREF first = RGB(0, 0, 128), second = RGB(0, 0, 255);

    // Warm up the paths once.
    for (int effect = 0; effect < EFFECT_COUNT; ++effect)
        PaintEffect(dc, all, effect, first, second, 60, 1);

    double fill = Time(dc, rounds, repeats, [&] {
        HBRUSH brush = CreateSolidBrush(first);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    });
    std::printf("memory bitmap %d x %d, median of %d rounds of %d paints\n", WIDTH, HEIGHT, rounds, repeats);
    std::printf("%-12s %10.1f us  (baseline: FillRect with a solid brush)\n", "FillRect", fill * 1e6);
    double worstPattern = 0;
    for (int effect = 0; effect < EFFECT_COUNT; ++effect) {
        double t = Time(dc, rounds, repeats, [&] { PaintEffect(dc, all, effect, first, second, 60, 1); });
        double ratio = t / fill;
        if (IsPatternEffect(static_cast<unsigned>(effect)))
            worstPattern = std::max(worstPattern, ratio);
        std::printf("%-12s %10.1f us  ratio %.2f\n", EFFECT_NAMES[effect], t * 1e6, ratio);
    }
    std::printf("worst pattern effect / FillRect: %.2f (goal: at most 4)\n", worstPattern);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return 0;
}
