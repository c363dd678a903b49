// Cost of the scale's rendering rules and of planning one cursor update,
// measured through a canvas that only counts calls.
#include "ruler/MousePosRules.h"
#include "ruler/RulerRenderer.h"

#include <benchmark/benchmark.h>

namespace {

class CountingCanvas : public Canvas {
  public:
    void FillRect(const Rect&, TColor) override { ++Calls; }
    void MoveTo(Point) override { ++Calls; }
    void LineTo(Point, TColor) override { ++Calls; }
    Size TextExtent(const std::wstring& text, bool bold) const override {
        return {static_cast<int>(text.size()) * (bold ? 7 : 6), 13};
    }
    void TextAt(int, int, const std::wstring&, TColor, bool) override { ++Calls; }
    long Calls = 0;
};

constexpr TRulerUnit Units[] = {ruMillimeter, ruPixel20, ruPixel32, ruPixel50, ruTwip};

RulerFace Face(bool vertical, TRulerUnit unit) {
    RulerModel model;
    model.Scale.fRulerUnit = unit;
    SetOrientation(model, !vertical);
    return FaceOf(model, vertical ? Size{57, 2160} : Size{3840, 49});
}

void RenderFace(benchmark::State& state, bool vertical) {
    const RulerFace face = Face(vertical, Units[state.range(0)]);
    CountingCanvas canvas;
    for (auto _ : state) {
        RenderRulerFace(canvas, face);
        benchmark::DoNotOptimize(canvas.Calls);
    }
    state.SetLabel(vertical ? "2160 px vertical" : "3840 px horizontal");
    state.counters["calls/render"] =
        benchmark::Counter(static_cast<double>(canvas.Calls), benchmark::Counter::kAvgIterations);
}

void BM_RenderHorizontal(benchmark::State& state) {
    RenderFace(state, false);
}
void BM_RenderVertical(benchmark::State& state) {
    RenderFace(state, true);
}
// Argument: the unit's ordinal (0 millimetres .. 4 twips).
BENCHMARK(BM_RenderHorizontal)->DenseRange(0, 4);
BENCHMARK(BM_RenderVertical)->DenseRange(0, 4);

void BM_PlanCursorUpdate(benchmark::State& state) {
    RulerModel model;
    model.Scale.fRulerUnit = ruMillimeter;
    model.Geometry.HWidth = 3840;
    const CursorRuler ruler{model, {{3840, 49}, {}, 0, 0, {3840, 2160}}};
    CursorState cursor;
    cursor.HasStartPos = state.range(0) != 0;
    cursor.StartPos = 200;
    CountingCanvas canvas;
    int x = 0;
    for (auto _ : state) {
        const CursorUpdatePlan plan = PlanCursorUpdate(ruler, cursor, {x, 10}, canvas);
        DrawCursorMarks(canvas, plan.Marks);
        cursor = plan.State;
        x = (x + 7) % 3840;
        benchmark::DoNotOptimize(plan.Marks.Box);
    }
}
// Argument: 1 while measuring from a start point.
BENCHMARK(BM_PlanCursorUpdate)->Arg(0)->Arg(1);

} // namespace
