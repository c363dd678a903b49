#pragma once
// The hue/saturation/value model of the HSV picker panel, in integer
// arithmetic: H in degrees 0..360, S 0..255, L the value (largest channel)
// 0..255. Also the panel's gradients as pixel buffers and where its markers go.
#include "util/Color.h"
#include "util/ColorText.h"
#include "util/Geometry.h"
#include "util/ImageOps.h"
#include "util/Numbers.h"

#include <string>

struct THSL {
    int H = 0;
    int S = 0;
    int L = 0;
    friend bool operator==(const THSL&, const THSL&) = default;
};

int Clamp(int value, int low, int high);

THSL RGBTripleToHSL(int r, int g, int b);
THSL RGBTripleToHSL(const TRGBTriple& rgb);
// H is clamped to 0..360, S and L to 0..255.
TRGBTriple HSLToRGBTriple(int h, int s, int l);
TRGBTriple HSLToRGBTriple(const THSL& hsl);

// The RGB form of a colour: a system colour is resolved first.
TRGBTriple TColorToRGBTriple(TColor color);
TColor RGBTripleToTColor(const TRGBTriple& rgb);
// Channels clamped to 0..255.
TRGBTriple RGBToRGBTriple(int r, int g, int b);
int RGBMaxValue(const TRGBTriple& rgb);
int RGBMinValue(const TRGBTriple& rgb);

// 0-9 and A-F; anything else (lower case too) gives -1.
int HexCharToInt(wchar_t c);
// Upper-case hex digits; any other character makes the whole text 0, as does
// an empty text. More than eight digits wrap like 32-bit arithmetic.
int HexStringToInt(const std::wstring& text);

enum TGradientType { tSatLum, tHue };

// The panel's picture at size: the hue bar runs through all hues at full
// saturation and value; the square holds saturation along x and value upwards
// for hue. An empty size gives an empty picture.
TRGBImage CreateGradient(TGradientType type, int hue, Size size);

// Where a colour puts the marker (before clamping): the hue bar by H, the
// square by S and L. The hue bar's marker sits on its middle row.
Point MarkerPoint(TGradientType type, const THSL& hsl, Size size);
// DrawPickCircle's clamping: x into the panel, y into it too for the square,
// the middle row for the hue bar. False for an empty panel, which has none.
bool ClampPickPoint(TGradientType type, Point& p, Size size);
// The box of the marker circle round p: radius 4 gives (x-4, y-4, x+5, y+5).
Rect PickCircleBox(Point p, int radius);

// A mouse point on the panel taken into a colour: the hue bar sets H, the square
// S and L; not clamped here, the conversion clamps. Nothing for an empty panel.
bool UpdateHSL(TGradientType type, Point p, Size size, THSL& hsl);
