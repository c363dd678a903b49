#pragma once
// The colour spaces of CSS Color 4 for one sRGB colour: gamma-encoded and
// linear sRGB, CIE XYZ (D65, and D50 by the Bradford adaptation), CIELAB and
// LCh (D50), Oklab and OKLCh, HSL and HWB; and the way back into sRGB, with
// colours outside it mapped onto its gamut as CSS does.
#include "util/Color.h"

#include <array>

// Three coordinates of one colour: R, G, B (0..1 inside sRGB), X, Y, Z,
// L, a, b or L, C, h (hue in degrees, 0 <= h < 360).
using TTriple = std::array<double, 3>;

// Gamma-encoded sRGB 0..1 of the colour's 24 bits (system colours resolved).
TTriple SrgbOf(TColor color);
// Each channel rounded to 0..255, clamped.
TColor ColorOfSrgb(const TTriple& srgb);

TTriple LinearFromSrgb(const TTriple& srgb);
TTriple SrgbFromLinear(const TTriple& linear);
TTriple XyzD65FromLinear(const TTriple& linear);
TTriple LinearFromXyzD65(const TTriple& xyz);
TTriple XyzD50FromD65(const TTriple& xyz);
TTriple XyzD65FromD50(const TTriple& xyz);
TTriple LabFromXyzD50(const TTriple& xyz);
TTriple XyzD50FromLab(const TTriple& lab);
TTriple OklabFromXyzD65(const TTriple& xyz);
TTriple XyzD65FromOklab(const TTriple& oklab);
// Rectangular a, b to chroma and hue and back. A chroma of 0 has hue 0.
TTriple PolarFromRect(const TTriple& rect);
TTriple RectFromPolar(const TTriple& polar);

// The colour in each model. Greys (R = G = B) have a and b, chroma and hue
// exactly 0, where the matrices would leave a trace of rounding.
TTriple LabOf(TColor color);
TTriple LchOf(TColor color);
TTriple OklabOf(TColor color);
TTriple OklchOf(TColor color);
// Hue in degrees, saturation and lightness (or whiteness and blackness) in
// per cent, computed as CSS Color 4 computes them.
TTriple HslOf(TColor color);
TTriple HwbOf(TColor color);

// Back to gamma-encoded sRGB, possibly outside 0..1.
TTriple SrgbFromHsl(const TTriple& hsl); // per cent, as HslOf gives
TTriple SrgbFromHwb(const TTriple& hwb);
TTriple SrgbFromLab(const TTriple& lab);
TTriple SrgbFromOklab(const TTriple& oklab);

// Inside sRGB once rounded to 8 bits: a channel a hair outside 0..1 still
// rounds to 0 or 255 and changes nothing a person could see.
bool InSrgbGamut(const TTriple& srgb);
// A colour given in OKLCh brought into sRGB by the CSS gamut mapping: the
// chroma is reduced, keeping lightness and hue, until clipping what remains
// changes the colour by less than a just noticeable difference (ΔE OK 0.02).
// Lightness at or beyond white or black gives white or black.
TTriple GamutMapOklchToSrgb(const TTriple& oklch);

// Euclidean distance in Oklab.
double DeltaEOK(const TTriple& oklab1, const TTriple& oklab2);
