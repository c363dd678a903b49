#pragma once
// Colour arithmetic: brightness, mixing, inversion and the CMYK model.
#include "util/Color.h"
#include "util/ColorText.h"

#include <cstdint>

// Adds delta to red, green and blue (each clamped to 0..255) of the resolved colour.
TColor ColorBrightness(TColor color, int delta);

// Per channel of the resolved colours color1 * p% + color2 * (100 - p)%, rounded to
// nearest with ties to even.
// Throws EConvertError when color1Percent lies outside 0..100.
TColor MixColor(TColor color1, TColor color2, int color1Percent);

// Each channel of the resolved colour becomes 255 - channel.
TColor InvertColor(TColor color);
TColor InvertColorUnique(TColor color);

// Four bytes C, M, Y, K in memory order; as an integer C is the low byte.
struct TCMYK {
    std::uint8_t C = 0;
    std::uint8_t M = 0;
    std::uint8_t Y = 0;
    std::uint8_t K = 0;
    friend bool operator==(const TCMYK&, const TCMYK&) = default;

    std::uint32_t ToPacked() const;
    static TCMYK FromPacked(std::uint32_t packed);
};

TCMYK RGBtoCMYK(const TRGBTriple& rgb);
void CMYKtoRGB(const TCMYK& cmyk, TRGBTriple& rgb);
// Fractions 0..1; a channel becomes round((1 - (x + k)) * 255), or 0 when x + k >= 1.
void CMYKtoRGB(double c, double m, double y, double k, TRGBTriple& rgb);
