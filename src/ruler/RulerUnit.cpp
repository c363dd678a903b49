#include "ruler/RulerUnit.h"

TRulerUnit RulerUnitFromOrdinal(long long ordinal) {
    if (ordinal < ruMillimeter || ordinal > LastRulerUnit) return DefaultRulerUnit;
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
        return ruCentimeter;
    case ruCentimeter:
        return ruInch;
    case ruInch:
        return ruPoint;
    case ruPoint:
        return ruLogicalPixel;
    case ruLogicalPixel:
        return ruPixel20;
    case ruTwip:
        break;
    }
    return std::nullopt;
}

bool IsPixelUnit(TRulerUnit unit) {
    return unit == ruPixel20 || unit == ruPixel32 || unit == ruPixel50;
}

bool IsLengthUnit(TRulerUnit unit) {
    return unit == ruMillimeter || unit == ruCentimeter || unit == ruInch || unit == ruPoint;
}

const wchar_t* UnitSymbol(TRulerUnit unit) {
    switch (unit) {
    case ruMillimeter:
        return L"mm";
    case ruCentimeter:
        return L"cm";
    case ruInch:
        return L"in";
    case ruPoint:
        return L"pt";
    case ruTwip:
        return L"twip";
    case ruPixel20:
    case ruPixel32:
    case ruPixel50:
    case ruLogicalPixel:
        break;
    }
    return L"px";
}
