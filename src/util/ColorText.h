#pragma once
// Colour values as texts and as other plain forms (RGB triple, integer).
#include "util/Color.h"

#include <cstdint>
#include <string>

// The bytes of a 24-bit scan-line pixel: blue first in memory.
struct TRGBTriple {
    std::uint8_t rgbtBlue = 0;
    std::uint8_t rgbtGreen = 0;
    std::uint8_t rgbtRed = 0;
    friend bool operator==(const TRGBTriple&, const TRGBTriple&) = default;
};

// Six upper-case hex digits "BBGGRR" of the resolved colour, the stored form of colours.
std::wstring ColorToShortHexBGR(TColor color);
// Parses "BBGGRR" (later characters ignored); any failure gives defaultColor.
TColor ShortHexBGRToColor(const std::wstring& text, TColor defaultColor);
// Raising form: a bad hex digit or a short text throws EConvertError.
TColor ShortHexBGRToColorEx(const std::wstring& text);

// "RRGGBB", the HTML order without "#".
std::wstring ColorToShortHexRGB(TColor color);
TColor ShortHexRGBToColor(const std::wstring& text, TColor defaultColor);

// Non-empty and only hex digits (and "#" when allowed).
bool IsHex(const std::wstring& text, bool allowHash);

// Clamped to 0..0xFFFFFF.
TColor IntToColor(int value);
// Resolved value with the top byte cleared.
int ColorToInt(TColor color);

void ColorToRGBTriple(TColor color, TRGBTriple& triple);
TColor RGBTripleToColor(const TRGBTriple& triple);

// Background of an edit: window colour when enabled, button face when disabled.
TColor EnabledColor(bool enabled);
