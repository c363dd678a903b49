#include "ruler/RulerUnit.h"

TRulerUnit RulerUnitFromOrdinal(long long ordinal) {
    if (ordinal < ruMillimeter || ordinal > ruTwip) return DefaultRulerUnit;
    return static_cast<TRulerUnit>(ordinal);
}

std::optional<TRulerUnit> NextUnitInCycle(TRulerUnit unit) {
    switch (unit) {
    case ruPixel20:
        return ruPixel32;
    case ruPixel32:
        return ruPixel50;
    case ruPixel50:
        return ruMillimeter;
    case ruMillimeter:
        return ruPixel20;
    case ruTwip:
        break;
    }
    return std::nullopt;
}

bool IsPixelUnit(TRulerUnit unit) {
    return unit == ruPixel20 || unit == ruPixel32 || unit == ruPixel50;
}
