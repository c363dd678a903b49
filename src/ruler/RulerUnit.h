#pragma once
// The ruler's scale units, stored as their ordinals in the setting "Unit".
#include <cstdint>
#include <optional>

enum TRulerUnit : std::uint8_t {
    ruMillimeter = 0,
    ruPixel20 = 1,
    ruPixel32 = 2,
    ruPixel50 = 3,
    ruTwip = 4, // hidden: no menu item, kept for stored files
    ruCentimeter = 5,
    ruInch = 6,
    ruPoint = 7,
    ruLogicalPixel = 8, // device pixels at 96 DPI, as a browser's CSS pixels
};

constexpr TRulerUnit DefaultRulerUnit = ruPixel32;
constexpr TRulerUnit LastRulerUnit = ruLogicalPixel;

// A stored ordinal outside the units (a damaged or foreign settings file)
// would leave the ruler without ticks and without a checked unit; it reads
// as the default unit instead.
TRulerUnit RulerUnitFromOrdinal(long long ordinal);

// The "e" key's unit cycle: Pixel 20, 32, 50, Milimeter, Zentimeter, Zoll,
// Punkt, Logische Pixel and round again; nothing while the hidden twip unit
// is active.
std::optional<TRulerUnit> NextUnitInCycle(TRulerUnit unit);

// Pixel 20, 32 and 50: device pixels counted from 1.
bool IsPixelUnit(TRulerUnit unit);
// Millimetres, centimetres, inches and points: lengths from the millimetre
// conversion (automatic or calibrated).
bool IsLengthUnit(TRulerUnit unit);

// The symbol after a copied reading: "px" for every pixel unit, logical
// pixels too, "mm", "cm", "in", "pt", "twip".
const wchar_t* UnitSymbol(TRulerUnit unit);
