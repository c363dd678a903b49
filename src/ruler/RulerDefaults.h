#pragma once
// What a ruler looks like before anything was stored.
#include "util/Color.h"

namespace RulerDefaults {
constexpr int HWidth = 600;
constexpr int VHeight = 400;
constexpr int HorizontalClientHeight = 49;
constexpr int VerticalClientWidth = 57;
constexpr TColor ColorMouseLine = 0x0000FF;
constexpr TColor ColorMousePosBack = 0x20CDA2;
constexpr TColor ColorMousePosText = 0x041F9A;
constexpr TColor ColorTicks = 0x000000;
constexpr TColor ColorBack = 0xC0C0C0;
constexpr TColor ColorStartLine = 0xFF0000;
constexpr double RefCmSize = 5.48;
constexpr double RefCmSizeChangeBy = 0.1;
constexpr int Zoom = 4;
constexpr int MoveHotKeyMoveBy = 1;
constexpr int HotKeyMeasureStart = 0x6041; // Ctrl+Shift+A
constexpr int HotKeyEdgeSpan = 0x604B;     // Ctrl+Shift+K
constexpr int HotKeyPinMark = 0x604D;      // Ctrl+Shift+M
constexpr int EdgeTolerance = 30;          // per colour channel, 0..255
constexpr TColor ColorPinMark = 0x008000;  // dark green

// Centred on the primary screen, as if 600 wide and 400 high ("div" truncates).
constexpr int Left(int primaryScreenWidth) {
    return (primaryScreenWidth - HWidth) / 2;
}
constexpr int Top(int primaryScreenHeight) {
    return (primaryScreenHeight - VHeight) / 2;
}
} // namespace RulerDefaults
