#include "util/BlendFillProcs.h"

#include "util/Numbers.h"

#include <cmath>

namespace {

// The gradient's positions and steps round halves to even, not away from zero.
int Step(int from, int to, int count, int k) {
    return static_cast<int>(RoundHalfEven(from + static_cast<long double>(to - from) / count * k));
}

} // namespace

std::uint8_t CorrectColBands(std::uint8_t bands) {
    return bands > 2 ? bands : 3;
}

void PrepareColors(TColor color1, TColor color2, int count, TBlendColors& colors) {
    colors[0] = color1 & 0x00FFFFFF;
    for (int k = 1; k <= count; ++k) {
        colors[k] = RGBColor(Step(RedOf(color1), RedOf(color2), count, k),
                             Step(GreenOf(color1), GreenOf(color2), count, k),
                             Step(BlueOf(color1), BlueOf(color2), count, k));
    }
}

void LinearBlendFill(Canvas& canvas, const Rect* clip, const Rect& rect, TColor color1,
                     TColor color2, std::uint8_t direction, std::uint8_t bands) {
    const int size = (direction == bfTopToBottom ? rect.Height() : rect.Width()) - 1;
    if (size < 0) return;

    const Rect area = clip ? rect.Intersect(*clip) : rect;
    const int count = CorrectColBands(bands);
    TBlendColors colors{};
    PrepareColors(CanvasColor(color1), CanvasColor(color2), count, colors);

    const long double step = static_cast<long double>(size) / count;
    const int thickness = static_cast<int>(RoundHalfEven(step)) + 1;
    for (int k = 0; k <= count; ++k) {
        const int start = static_cast<int>(RoundHalfEven(step * k));
        Rect band = rect;
        if (direction == bfLeftToRight) {
            band.Left = rect.Left + start;
            band.Right = band.Left + thickness;
        } else if (direction == bfTopToBottom) {
            band.Top = rect.Top + start;
            band.Bottom = band.Top + thickness;
        }
        band = band.Intersect(area);
        if (!band.IsEmpty()) canvas.FillRect(band, colors[k]);
    }
}
