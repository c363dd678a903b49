#pragma once
// A colour as CSS writes it: "#1e50b4", "rgb(30 80 180)", "hsl(220 71.4%
// 41.2%)", "hwb(…)", "lab(…)", "lch(…)", "oklab(…)", "oklch(…)" in the modern
// space-separated syntax with decimal points, and the nearest CSS name.
#include "colour/CssColorSpaces.h"
#include "util/Language.h"

#include <array>
#include <string>

enum class TCssNotation { Hex, Rgb, Hsl, Hwb, Lab, Lch, Oklab, Oklch };
constexpr int CssNotationCount = 8;

// The three values a notation shows, rounded as shown: channels 0..255 for
// Hex and Rgb; hue, per cent and Lab/LCh values to one decimal; Oklab and
// OKLCh lightness, a, b and chroma to three.
TTriple ShownCssValues(TColor color, TCssNotation notation);

// One notation's text. Hex digits are lower case unless upperHex.
std::wstring CssNotationText(TColor color, TCssNotation notation, bool upperHex = false);

// "royalblue (ΔE 0,021)" with the language's decimal separator, as the
// distance is no CSS ("royalblue (ΔE 0.021)" in English); an exact match is
// just the name.
std::wstring CssNameText(TColor color, Language language = UiLanguage());

// Every notation and the name at once, for one colour update.
struct TCssTexts {
    std::array<std::wstring, CssNotationCount> Notations;
    std::wstring Name;
};
TCssTexts CssTextsOf(TColor color, bool upperHex);

// A number as CSS writes it: rounded half away from zero to the decimals,
// trailing zeros and a lone minus of zero dropped ("41.2", "220", "-59").
std::wstring CssNumber(double value, int decimals);
