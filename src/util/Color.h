#pragma once
// Colour values: 0x00BBGGRR (red in the lowest byte). A top byte of 0xFF marks
// a system colour whose index is in the low byte; 0x1FFFFFFF means "no colour".
#include <cstdint>

using TColor = std::int32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clWindow = static_cast<TColor>(0xFF000005);
constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000F);

constexpr int RedOf(TColor c) {
    return c & 0xFF;
}
constexpr int GreenOf(TColor c) {
    return (c >> 8) & 0xFF;
}
constexpr int BlueOf(TColor c) {
    return (c >> 16) & 0xFF;
}
constexpr TColor RGBColor(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

// The platform answers what a system colour index looks like right now. The
// shell installs GetSysColor; without it the classic Windows defaults serve.
using SysColorProvider = std::uint32_t (*)(int index);
void SetSysColorProvider(SysColorProvider provider);

// A system colour becomes its current RGB value; any other value is unchanged.
TColor GetRealColor(TColor color);
