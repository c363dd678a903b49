#include "ruler/RulerRenderer.h"

#include "util/BlendFillProcs.h"
#include "util/ColorMath.h"

#include <algorithm>
#include <string>

namespace {
constexpr std::uint8_t FaceGradientBands = 255;
}

TRulerRenderer::TRulerRenderer(Canvas& canvas, const RulerFace& face)
    : FCanvas(canvas), FFace(face), FTickColor(CanvasColor(face.Look.FColorTicks)) {}

void TRulerRenderer::Render() {
    const Rect client{0, 0, Width(), Height()};
    const TColor back = FFace.Look.FColorBack;
    const TColor light = ColorBrightness(back, FaceGradientLift);
    const TTickPosition edges = FFace.Look.fTickPosition;
    if (edges.Contains(tpTop) || edges.Contains(tpBottom)) {
        LinearBlendFill(FCanvas, nullptr, client, light, back, bfTopToBottom, FaceGradientBands);
        DrawHorizontalTicker();
    }
    if (edges.Contains(tpLeft) || edges.Contains(tpRight)) {
        LinearBlendFill(FCanvas, nullptr, client, light, back, bfLeftToRight, FaceGradientBands);
        DrawVerticalTicker();
    }
    DrawMarksLayout(FCanvas, LayoutMarks(FFace.Marks, FFace.Client, FCanvas), back);
    DrawFrame();
}

void TRulerRenderer::DrawHorizontalTicker() {
    if (FFace.Look.fTickPosition.Contains(tpTop)) DoDraw(tpTop, false);
    if (FFace.Look.fTickPosition.Contains(tpBottom)) DoDraw(tpBottom, false);
}

void TRulerRenderer::DrawVerticalTicker() {
    if (FFace.Look.fTickPosition.Contains(tpLeft)) DoDraw(tpLeft, true);
    if (FFace.Look.fTickPosition.Contains(tpRight)) DoDraw(tpRight, true);
}

void TRulerRenderer::DoDraw(TTickPositionOption edge, bool vertical) {
    const int length = vertical ? Height() : Width();
    if (length <= 0) return;
    const TTickSize size = TickSizeFor(edge, Width(), Height());
    const int base = TickBaseFor(edge, Width(), Height());
    const bool labels = FFace.Look.FTickMarkerPosition.Contains(edge);
    if (labels) FLabelStride = LabelStrideFor(vertical, length);
    const RulerScale& scale = FFace.Scale;
    const bool skipRepeats = ScaleSkipsRepeatedValues(scale.fRulerUnit, vertical);
    std::int64_t last = 0;
    // Client position 0 carries no tick; the loop runs one past the last pixel.
    for (int pos = 1; pos <= length; ++pos) {
        const std::int64_t value = ScaleValue(scale, vertical, pos);
        if (skipRepeats) {
            if (value == last) continue;
            last = value;
        }
        DrawScale(value, pos, base, size, labels, vertical);
    }
}

int TRulerRenderer::LabelStrideFor(bool vertical, int length) {
    const RulerScale& scale = FFace.Scale;
    const double perMMX = scale.Converter.PixelsPerMMX();
    const std::int64_t step = LabelStepValue(scale.fRulerUnit, perMMX);
    if (step <= 0) return 1;
    const double stepPixels = static_cast<double>(step) * PixelsPerScaleValue(scale, vertical);
    // The widest label is the largest number in bold.
    const std::int64_t largest = LabelNumber(scale.fRulerUnit, ScaleValue(scale, vertical, length));
    const Size extent = FCanvas.TextExtent(std::to_wstring(largest), true);
    const int gap = std::max(2, extent.Height / 4);
    return LabelStride(stepPixels, vertical ? extent.Height : extent.Width, gap);
}

void TRulerRenderer::DrawScale(std::int64_t value, int pos, int base, const TTickSize& size,
                               bool labels, bool vertical) {
    const RulerScale& scale = FFace.Scale;
    const double perMMX = scale.Converter.PixelsPerMMX();
    const ScaleMark mark = ScaleMarkFor(scale.fRulerUnit, value, perMMX);
    int end = base;
    switch (mark.Tick) {
    case TickKind::Small:
        end = size.SmallTick;
        break;
    case TickKind::Medium:
        end = size.MediumTick;
        break;
    case TickKind::Large:
        end = size.LargeTick;
        break;
    case TickKind::None:
        break;
    }
    if (mark.Tick != TickKind::None) {
        // A vertical ruler swaps the coordinates: ticks run across x.
        FCanvas.MoveTo(vertical ? Point{base, pos} : Point{pos, base});
        FCanvas.LineTo(vertical ? Point{end, pos} : Point{pos, end}, FTickColor);
    }
    if (!labels || mark.Label == LabelKind::None) return;
    if (!LabelKept(value, LabelStepValue(scale.fRulerUnit, perMMX), FLabelStride)) return;
    const int textPos = mark.UseSmallText ? size.SmallText : size.LargeText;
    const bool bold = mark.Label == LabelKind::Bold;
    if (vertical)
        DrawMarkerV(pos, textPos, value, bold);
    else
        DrawMarkerH(pos, textPos, value, bold);
}

void TRulerRenderer::DrawMarkerH(int x, int textY, std::int64_t value, bool bold) {
    const std::wstring text = std::to_wstring(LabelNumber(FFace.Scale.fRulerUnit, value));
    const Size extent = FCanvas.TextExtent(text, bold);
    if (FFace.Look.FCenterMarker) textY = (Height() - extent.Height) / 2;
    FCanvas.TextAt(x - extent.Width / 2, textY, text, FTickColor, bold);
}

void TRulerRenderer::DrawMarkerV(int y, int textX, std::int64_t value, bool bold) {
    const std::wstring text = std::to_wstring(LabelNumber(FFace.Scale.fRulerUnit, value));
    const Size extent = FCanvas.TextExtent(text, bold);
    if (FFace.Look.FCenterMarker) textX = (Width() - extent.Width) / 2;
    FCanvas.TextAt(textX, y - extent.Height / 2, text, FTickColor, bold);
}

void TRulerRenderer::DrawFrame() {
    const TColor color = CanvasColor(ColorBrightness(FFace.Look.FColorBack, FaceFrameShade));
    const int right = Width() - 1;
    const int bottom = Height() - 1;
    FCanvas.MoveTo({0, 0});
    FCanvas.LineTo({right, 0}, color);
    FCanvas.LineTo({right, bottom}, color);
    FCanvas.LineTo({0, bottom}, color);
    FCanvas.LineTo({0, 0}, color);
}
