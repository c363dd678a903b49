#pragma once
// What a person types or pastes as a CSS colour: "#rgb", "#rrggbb" (with or
// without an alpha digit pair), a named colour, rgb() and rgba(), hsl() and
// hsla() in the modern and the legacy comma syntax, hwb(), lab(), lch(),
// oklab() and oklch(); and how such a value becomes one of our colours.
#include "colour/CssColorText.h"

#include <optional>
#include <span>
#include <string>

// A value as read, in the units its notation shows (see ShownCssValues):
// channels 0..255, hue in degrees, per cent, Lab, Oklab. Out-of-range
// lightness, chroma and channels are already clamped as CSS clamps them.
struct TCssColorValue {
    TCssNotation Notation = TCssNotation::Rgb;
    TTriple Values{};
    double Alpha = 1;
};

// The value, or the message (in the current language) that says what was
// understood and why the text is no colour.
struct TCssReading {
    std::optional<TCssColorValue> Value;
    std::wstring Error;
};
TCssReading ReadCssColor(const std::wstring& text);

// The colour of a value. A value that is exactly what one of the preferred
// colours shows in that notation is that colour: a shown notation rounds,
// and pasted back it must give the colour it came from, even where the
// rounded numbers lie nearer to a neighbour. Values beyond sRGB are brought
// into it by the CSS gamut mapping.
struct TCssTaken {
    TColor Color = clBlack;
    bool Mapped = false;       // it lay outside sRGB
    bool AlphaIgnored = false; // it was not fully opaque
};
TCssTaken TakeCssColor(const TCssColorValue& value, std::span<const TColor> preferred = {});

// What the window says about a taken colour ("" when there is nothing to say).
std::wstring CssTakenNote(const TCssTaken& taken);
