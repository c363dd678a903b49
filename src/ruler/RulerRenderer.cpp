#include "ruler/RulerRenderer.h"

#include "util/BlendFillProcs.h"
#include "util/ColorMath.h"

#include <string>

namespace {
constexpr std::uint8_t FaceGradientBands = 255;
}

TRulerRenderer::TRulerRenderer(Canvas& canvas, const RulerFace& face)
    : FCanvas(canvas), FFace(face), FTickColor(CanvasColor(face.ColorTicks)) {}

void TRulerRenderer::Render() {
    const Rect client{0, 0, FFace.Width, FFace.Height};
    const TColor light = ColorBrightness(FFace.ColorBack, FaceGradientLift);
    if (FFace.TickPosition.Contains(tpTop) || FFace.TickPosition.Contains(tpBottom)) {
        LinearBlendFill(FCanvas, nullptr, client, light, FFace.ColorBack, bfTopToBottom,
                        FaceGradientBands);
        DrawHorizontalTicker();
    }
    if (FFace.TickPosition.Contains(tpLeft) || FFace.TickPosition.Contains(tpRight)) {
        LinearBlendFill(FCanvas, nullptr, client, light, FFace.ColorBack, bfLeftToRight,
                        FaceGradientBands);
        DrawVerticalTicker();
    }
    DrawFrame();
}

void TRulerRenderer::DrawHorizontalTicker() {
    if (FFace.TickPosition.Contains(tpTop)) DoDraw(tpTop, false);
    if (FFace.TickPosition.Contains(tpBottom)) DoDraw(tpBottom, false);
}

void TRulerRenderer::DrawVerticalTicker() {
    if (FFace.TickPosition.Contains(tpLeft)) DoDraw(tpLeft, true);
    if (FFace.TickPosition.Contains(tpRight)) DoDraw(tpRight, true);
}

void TRulerRenderer::DoDraw(TTickPositionOption edge, bool vertical) {
    const int length = vertical ? FFace.Height : FFace.Width;
    if (length <= 0) return;
    const TTickSize size = TickSizeFor(edge, FFace.Width, FFace.Height);
    const int base = TickBaseFor(edge, FFace.Width, FFace.Height);
    const bool labels = FFace.TickMarkerPosition.Contains(edge);
    const bool skipRepeats = ScaleSkipsRepeatedValues(FFace.Unit, vertical);
    std::int64_t last = 0;
    // Client position 0 carries no tick; the loop runs one past the last pixel.
    for (int pos = 1; pos <= length; ++pos) {
        const std::int64_t value =
            ScaleValue(FFace.Unit, vertical, pos, FFace.Converter, FFace.TwipsPerPixelY);
        if (skipRepeats) {
            if (value == last) continue;
            last = value;
        }
        DrawScale(value, pos, base, size, labels, vertical);
    }
}

void TRulerRenderer::DrawScale(std::int64_t value, int pos, int base, const TTickSize& size,
                               bool labels, bool vertical) {
    const ScaleMark mark = ScaleMarkFor(FFace.Unit, value, FFace.Converter.PixelsPerMMX());
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
    const int textPos = mark.UseSmallText ? size.SmallText : size.LargeText;
    const bool bold = mark.Label == LabelKind::Bold;
    if (vertical)
        DrawMarkerV(pos, textPos, value, bold);
    else
        DrawMarkerH(pos, textPos, value, bold);
}

void TRulerRenderer::DrawMarkerH(int x, int textY, std::int64_t value, bool bold) {
    const std::wstring text = std::to_wstring(value);
    const Size extent = FCanvas.TextExtent(text, bold);
    if (FFace.CenterMarker) textY = (FFace.Height - extent.Height) / 2;
    FCanvas.TextAt(x - extent.Width / 2, textY, text, FTickColor, bold);
}

void TRulerRenderer::DrawMarkerV(int y, int textX, std::int64_t value, bool bold) {
    const std::wstring text = std::to_wstring(value);
    const Size extent = FCanvas.TextExtent(text, bold);
    if (FFace.CenterMarker) textX = (FFace.Width - extent.Width) / 2;
    FCanvas.TextAt(textX, y - extent.Height / 2, text, FTickColor, bold);
}

void TRulerRenderer::DrawFrame() {
    const TColor color = CanvasColor(ColorBrightness(FFace.ColorBack, FaceFrameShade));
    const int right = FFace.Width - 1;
    const int bottom = FFace.Height - 1;
    FCanvas.MoveTo({0, 0});
    FCanvas.LineTo({right, 0}, color);
    FCanvas.LineTo({right, bottom}, color);
    FCanvas.LineTo({0, bottom}, color);
    FCanvas.LineTo({0, 0}, color);
}
