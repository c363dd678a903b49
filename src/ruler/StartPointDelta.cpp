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

std::wstring StartPointDeltaText(const StartPointDelta& delta) {
    return L"\u0394x " + ReadingText(delta.Dx) + L"  \u0394y " + ReadingText(delta.Dy) + L"  " +
           ReadingText(delta.Distance) + L"  " + ReadingText({delta.AngleDegrees, 1}) + L"\u00B0";
}
