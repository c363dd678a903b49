#pragma once
// The ruler's scale units, stored as their ordinals in the setting "Unit".
#include <cstdint>

enum TRulerUnit : std::uint8_t {
    ruMillimeter = 0,
    ruPixel20 = 1,
    ruPixel32 = 2,
    ruPixel50 = 3,
    ruTwip = 4,
};

constexpr TRulerUnit DefaultRulerUnit = ruPixel32;

// A stored ordinal outside 0..4 (a damaged or foreign settings file) would
// leave the ruler without ticks and without a checked unit; it reads as the
// default unit instead.
TRulerUnit RulerUnitFromOrdinal(long long ordinal);

// The "e" key cycles Pixel 20 -> Pixel 32 -> Pixel 50 -> Millimetre -> Pixel 20;
// the hidden twip unit stays as it is.
TRulerUnit NextRulerUnit(TRulerUnit unit);

bool IsPixelUnit(TRulerUnit unit);
