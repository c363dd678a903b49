#include "ruler/StartPointDelta.h"

#include <cmath>
#include <numbers>

namespace {

long double InUnitAcross(const CursorRuler& r, int pixels, bool horizontal) {
    const TPixelMMConverter& c = r.Converter();
    return InUnitOn(r.Unit(), pixels, horizontal ? c.PixelsPerMMX() : c.PixelsPerMMY(),
                    r.Model.Scale.Dpi);
}

} // namespace

StartPointDelta DeltaFromStart(const CursorRuler& ruler, Point start, Point cursor) {
    const int decimals = UnitDecimals(ruler.Unit());
    const long double dx = InUnitAcross(ruler, cursor.X - start.X, true);
    const long double dy = InUnitAcross(ruler, cursor.Y - start.Y, false);
    StartPointDelta delta;
    delta.Dx = {dx, decimals};
    delta.Dy = {dy, decimals};
    delta.Distance = {std::hypot(dx, dy), decimals};
    delta.AngleDegrees =
        dx == 0 && dy == 0 ? 0 : std::atan2(dy, dx) * 180 / std::numbers::pi_v<long double>;
    return delta;
}

Point StartTipPlace(const Rect& ruler, bool horizontal, Point pointer, Size tip,
                    const Rect& monitor, int gap) {
    // Across the ruler: after it, or before it where the monitor ends.
    auto across = [&](int before, int after, int extent, int end) {
        return after + gap + extent <= end ? after + gap : before - gap - extent;
    };
    // Along it: after the pointer, or before it where the monitor ends.
    auto along = [&](int at, int extent, int end) {
        return at + gap + extent <= end ? at + gap : at - gap - extent;
    };
    if (horizontal)
        return {along(pointer.X, tip.Width, monitor.Right),
                across(ruler.Top, ruler.Bottom, tip.Height, monitor.Bottom)};
    return {across(ruler.Left, ruler.Right, tip.Width, monitor.Right),
            along(pointer.Y, tip.Height, monitor.Bottom)};
}

std::wstring StartPointDeltaText(const StartPointDelta& delta, Language language) {
    const auto text = [language](const Reading& reading) { return ReadingText(reading, language); };
    return L"\u0394x " + text(delta.Dx) + L"  \u0394y " + text(delta.Dy) + L"  " +
           text(delta.Distance) + L"  " + text({delta.AngleDegrees, 1}) + L"\u00B0";
}
