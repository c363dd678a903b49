// What the colour shot does per mouse move while dragging: the average colour
// of the dragged rectangle of the frozen screen, for a whole screen of 1280 x
// 800 and one of 1920 x 1080 (the worst case: the rectangle spans it all).
#include "colour/ColorShotRules.h"

#include <benchmark/benchmark.h>

namespace {

TRGBImage Screen(int width, int height) {
    TRGBImage img(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.At(x, y) = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                            static_cast<std::uint8_t>(x ^ y)};
    return img;
}

void BM_ShotDragAverage(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const TRGBImage img = Screen(width, height);
    TShotDrag drag;
    ShotMouseDown(drag, {0, 0});
    for (auto _ : state)
        benchmark::DoNotOptimize(GetSelColor(img, drag, {width - 1, height - 1}));
    state.SetItemsProcessed(state.iterations() * width * height);
}
BENCHMARK(BM_ShotDragAverage)->Args({1280, 800})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

} // namespace
