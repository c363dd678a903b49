#pragma once
// The unit and how pixels become millimetres, twips and logical pixels.
#include "ruler/PixelMMConverter.h"
#include "ruler/RulerUnit.h"

struct RulerScale {
    TRulerUnit fRulerUnit = DefaultRulerUnit;
    TPixelMMConverter Converter;
    long double TwipsPerPixelY = 15; // 1440 / the window's DPI
    int Dpi = 96;                    // the monitor's, for logical pixels
    friend bool operator==(const RulerScale&, const RulerScale&) = default;
};

// Pixels one scale value spans along the ruler: a millimetre (also for
// centimetres, whose ticks are millimetres), a sixteenth of an inch, a
// point, a logical pixel, or one pixel.
double PixelsPerScaleValue(const RulerScale& scale, bool vertical);
