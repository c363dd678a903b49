#include "magnifier/MagnifierRules.h"

#include <algorithm>
#include <cmath>

namespace {
// Halves to the even neighbour, as the screen arithmetic has always rounded.
int RoundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}
} // namespace

int ClampZoom(int zoom) {
    return std::clamp(zoom, MinZoom, MaxZoom);
}

Point ShownPosition(Point pointer, bool screenCoordinates, const RulerFrame& ruler) {
    if (screenCoordinates) return pointer;
    const Rect& r = ruler.Bounds;
    if (ruler.Horizontal) return {pointer.X - r.Left, pointer.Y - r.Top - r.Height()};
    return {pointer.X - r.Left - r.Width(), pointer.Y - r.Top};
}

std::wstring MagnifierCaption(Point shown, int zoom, const std::wstring& fromStart) {
    const std::wstring position =
        L" X: " + std::to_wstring(shown.X + 1) + L", Y: " + std::to_wstring(shown.Y + 1);
    const std::wstring zoomText = L"Zoom: " + std::to_wstring(zoom) + L"x";
    if (fromStart.empty()) return position + L"    " + zoomText;
    return position + L"   " + fromStart + L"   " + zoomText;
}

MagnifierFrame PlanMagnifierFrame(Point pointer, Size picture, int zoom, Rect screen) {
    const int z = ClampZoom(zoom);
    const int w = picture.Width, h = picture.Height;
    const int sx = pointer.X - RoundEven(w / static_cast<double>(z) / 2);
    const int sy = pointer.Y - RoundEven(h / static_cast<double>(z) / 2);
    const int sw = w / z, sh = h / z;
    MagnifierFrame frame;
    frame.Source = Rect::FromSize(sx, sy, sw, sh);
    if (sx < screen.Left) frame.BlackStrips.push_back({0, 0, (screen.Left - sx) * z + 1, h});
    if (sy < screen.Top) frame.BlackStrips.push_back({0, 0, w, (screen.Top - sy) * z + 1});
    if (sx + sw >= screen.Right)
        frame.BlackStrips.push_back({w - (sx + sw - screen.Right) * z - 1, 0, w, h});
    if (sy + sh >= screen.Bottom)
        frame.BlackStrips.push_back({0, h - (sy + sh - screen.Bottom) * z - 1, w, h});
    const int left = RoundEven(w / 2.0 - z / 2.0 + z);
    const int top = RoundEven(h / 2.0 - z / 2.0 + z);
    frame.Marker = Rect::FromSize(left, top, z, z);
    return frame;
}
