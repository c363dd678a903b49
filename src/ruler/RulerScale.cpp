#include "ruler/RulerScale.h"

namespace {
constexpr double MMPerInch = 25.4;
constexpr double SixteenthsPerInch = 16;
constexpr double PointsPerInch = 72;
} // namespace

double PixelsPerScaleValue(const RulerScale& scale, bool vertical) {
    const TPixelMMConverter& c = scale.Converter;
    const double perMM = vertical ? c.PixelsPerMMY() : c.PixelsPerMMX();
    switch (scale.fRulerUnit) {
    case ruMillimeter:
    case ruCentimeter:
        return perMM;
    case ruInch:
        return perMM * MMPerInch / SixteenthsPerInch;
    case ruPoint:
        return perMM * MMPerInch / PointsPerInch;
    case ruLogicalPixel:
        return (scale.Dpi > 0 ? scale.Dpi : 96) / 96.0;
    case ruTwip:
        return scale.TwipsPerPixelY > 0 ? static_cast<double>(1 / scale.TwipsPerPixelY) : 1;
    case ruPixel20:
    case ruPixel32:
    case ruPixel50:
        break;
    }
    return 1;
}
