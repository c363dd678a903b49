#include "ruler/RulerWindowRules.h"

#include <algorithm>

namespace {
// A ruler needs more than this along its axis to be grabbed and grown back.
constexpr int MinLength = 100;
// A window this close to an edge counts as off the screen.
constexpr int EdgeMargin = 50;
constexpr int MaxTransparency = 60;
} // namespace

Rect PullOntoScreen(Rect window, Rect monitor, int vHeight) {
    const Size screen{monitor.Width(), monitor.Height()};
    int left = window.Left - monitor.Left, top = window.Top - monitor.Top;
    int w = window.Width(), h = window.Height();
    if (screen.Width < w) w = screen.Width;
    if (left + w <= EdgeMargin) left = 0;
    if (left > screen.Width - EdgeMargin) left = screen.Width - w;
    if (top + h <= EdgeMargin) top = 0;
    // The stored vertical length serves for either orientation here.
    if (top > screen.Height - EdgeMargin) top = screen.Height - vHeight;
    if (screen.Height < h) h = screen.Height;
    // A vertical length above the screen's height would put the ruler above
    // the screen, out of reach.
    top = std::max(top, 0);
    return Rect::FromSize(monitor.Left + left, monitor.Top + top, w, h);
}

std::optional<std::uint8_t> LayeredOpacity(int percent) {
    if (percent <= 0) return std::nullopt;
    percent = std::min(percent, MaxTransparency);
    // (100 - percent) / 100 * 255, halves to even, in integers.
    const int n = (100 - percent) * 255;
    int q = n / 100;
    const int r = n % 100;
    if (r > 50 || (r == 50 && q % 2 == 1)) ++q;
    return static_cast<std::uint8_t>(q);
}

std::optional<KeyMoveResult> ArrowKeyMove(const RulerGeometry& geometry, Point position,
                                          ArrowKey key, bool shift, bool ctrl) {
    const int step = ctrl ? 5 : 1;
    const bool horizontalKey = key == ArrowKey::Left || key == ArrowKey::Right;
    const int sign = (key == ArrowKey::Left || key == ArrowKey::Up) ? -1 : 1;
    if (!shift) {
        if (horizontalKey)
            position.X += sign * step;
        else
            position.Y += sign * step;
        return KeyMoveResult{position, std::nullopt};
    }
    if (horizontalKey != geometry.FHorizontal) return std::nullopt;
    const int length = RulerLength(geometry) + sign * step;
    if (length <= MinLength) return std::nullopt;
    return KeyMoveResult{position, length};
}

Placement OptimalSize(const RulerGeometry& geometry, Placement current, Rect screen) {
    if (geometry.FHorizontal) {
        current.Position.X = screen.Left;
        current.WindowSize.Width = screen.Width();
    } else {
        current.Position.Y = screen.Top;
        current.WindowSize.Height = screen.Height();
    }
    return current;
}

Point CenteredOnScreen(Size window, Rect screen) {
    return {screen.Left + (screen.Width() - window.Width) / 2,
            screen.Top + (screen.Height() - window.Height) / 2};
}

std::span<const RulerHotkey> RulerHotkeyRows() {
    static constexpr RulerHotkey hotkeys[] = {
        {1, &RulerOptions::MoveHotKeyUp, {0, -1}},
        {2, &RulerOptions::MoveHotKeyDown, {0, 1}},
        {3, &RulerOptions::MoveHotKeyLeft, {-1, 0}},
        {4, &RulerOptions::MoveHotKeyRight, {1, 0}},
        {5, &RulerOptions::HotKeyMeasureStart, {0, 0}, HotkeyAction::MeasureStart},
        {6, &RulerOptions::HotKeyEdgeSpan, {0, 0}, HotkeyAction::EdgeSpan},
        {7, &RulerOptions::HotKeyPinMark, {0, 0}, HotkeyAction::PinMark},
    };
    return hotkeys;
}

const RulerHotkey* RulerHotkeyById(int id) {
    for (const RulerHotkey& h : RulerHotkeyRows())
        if (h.Id == id) return &h;
    return nullptr;
}
