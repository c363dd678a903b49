#pragma once
// The ruler's scale units, stored as their ordinals in the setting "Unit".
#include <cstdint>
#include <optional>

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

// The "e" key's unit cycle: Pixel 20, 32, 50, Milimeter and round again;
// nothing while the hidden twip unit is active.
std::optional<TRulerUnit> NextUnitInCycle(TRulerUnit unit);

bool IsPixelUnit(TRulerUnit unit);
