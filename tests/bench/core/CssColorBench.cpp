// What the colour window computes for its CSS and contrast groups on one
// colour update: every notation, the nearest named colour, the contrast with
// the background and its verdicts. And reading a pasted notation, with the
// gamut mapping of a colour beyond sRGB as the costly case.
#include "colour/ColorContrast.h"
#include "colour/CssColorParse.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

void BM_CssColourUpdate(benchmark::State& state) {
    std::uint32_t colour = 0x1e50b4;
    for (auto _ : state) {
        colour = colour * 1664525 + 1013904223; // a new colour each time
        const TColor c = static_cast<TColor>(colour & 0xFFFFFF);
        benchmark::DoNotOptimize(CssTextsOf(c, false));
        const double ratio = ContrastRatio(c, clWhite);
        benchmark::DoNotOptimize(ContrastRatioText(ratio));
        benchmark::DoNotOptimize(ContrastVerdicts(ratio));
    }
}
BENCHMARK(BM_CssColourUpdate)->Unit(benchmark::kMicrosecond);

void BM_CssInputRead(benchmark::State& state) {
    const wchar_t* text = state.range(0) ? L"oklch(0.9 0.4 30)" : L"oklch(0.461 0.168 262.1)";
    for (auto _ : state) {
        const TCssReading reading = ReadCssColor(text);
        benchmark::DoNotOptimize(TakeCssColor(*reading.Value));
    }
}
BENCHMARK(BM_CssInputRead)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
