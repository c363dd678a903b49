#pragma once
// What the ruler's commands, keys and hotkeys do to its place and size,
// stated without a window: the shell applies the results.
#include "ruler/RulerModel.h"
#include "ruler/RulerUnit.h"
#include "util/Geometry.h"

#include <cstdint>
#include <optional>
#include <span>

// A stored place pulled back onto a monitor (the one it mostly lies on, or the
// nearest): a window wider than the monitor is cut to it, one almost or
// wholly off an edge goes back to it. A window above the monitor's top edge
// is put back at the top, so it can always be reached.
Rect PullOntoScreen(Rect window, Rect screen, int vHeight);

// The layered opacity (0..255) of a transparency in percent; nothing for 0
// and below (layering off). Above 60 % the ruler would all but vanish: such a
// value shows as 60 %.
std::optional<std::uint8_t> LayeredOpacity(int percent);

enum class ArrowKey : std::uint8_t { Left, Right, Up, Down };

// An arrow key on the ruler: moves the window by the step (5 with Ctrl, else
// 1), or with Shift changes the length along the ruler while it stays above
// 100. Nothing happens with Shift across the ruler or at the length limit.
struct KeyMoveResult {
    Point Position;
    std::optional<int> Length;
};
std::optional<KeyMoveResult> ArrowKeyMove(const RulerGeometry& geometry, Point position,
                                          ArrowKey key, bool shift, bool ctrl);

// "Optimale Größe": the whole of the ruler's monitor along the ruler, from
// its left or top.
struct Placement {
    Point Position;
    Size WindowSize;
};
Placement OptimalSize(const RulerGeometry& geometry, Placement current, Rect screen);
Point CenteredOnScreen(Size window, Rect screen);

// The system-wide hotkeys: id, the shortcut field, and what they do.
enum class HotkeyAction : std::uint8_t {
    Move,         // by Direction in units of MoveHotKeyMoveBy
    MeasureStart, // sets or ends the measuring start point
    EdgeSpan,     // measures the span between the edges around the cursor
    PinMark,      // pins a mark at the cursor
};
struct RulerHotkey {
    int Id;
    std::uint16_t RulerOptions::*Shortcut;
    Point Direction;
    HotkeyAction Action = HotkeyAction::Move;
};
std::span<const RulerHotkey> RulerHotkeyRows();
const RulerHotkey* RulerHotkeyById(int id);
