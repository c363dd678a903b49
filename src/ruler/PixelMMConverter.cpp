#include "ruler/PixelMMConverter.h"

#include "util/Numbers.h"

#include <algorithm>
#include <cmath>

namespace {
double Ratio(int pixels, int millimetres) {
    if (millimetres <= 0 || pixels <= 0) return TPixelMMConverter::DefaultPixelsPerMM;
    return TPixelMMConverter::ClampPixelsPerMM(static_cast<double>(pixels) /
                                               static_cast<double>(millimetres));
}

double ClampRefCmSize(double refCmSize) {
    if (std::isnan(refCmSize)) return DefaultRefCmSize;
    return std::clamp(refCmSize, MinRefCmSize, MaxRefCmSize);
}
} // namespace

double TPixelMMConverter::ClampPixelsPerMM(double value) {
    if (std::isnan(value)) return DefaultPixelsPerMM;
    return std::clamp(value, MinPixelsPerMM, MaxPixelsPerMM);
}

void TPixelMMConverter::AutoPixelsPerMM(const DeviceMetrics& device) {
    FPixelsPerMMX = Ratio(device.HorzRes, device.HorzSize);
    FPixelsPerMMY = Ratio(device.VertRes, device.VertSize);
}

std::int64_t TPixelMMConverter::Pixel2MM_H(int pixels) const {
    return MVRound(static_cast<long double>(pixels) / FPixelsPerMMX);
}

std::int64_t TPixelMMConverter::Pixel2MM_V(int pixels) const {
    return MVRound(static_cast<long double>(pixels) / FPixelsPerMMY);
}

double GetUserPixelPerMM(double refCmSize) {
    return 200.0 / (ClampRefCmSize(refCmSize) * 10.0);
}

CalibrationStep StepRefCmSize(double refCmSize, double delta, double stepSize) {
    const double x = refCmSize + delta;
    if (std::isnan(x) || std::fabs(x) <= 1e-12 || x < 0) return {ClampRefCmSize(stepSize), true};
    // A little below the limit is the limit reached in steps of 0.1.
    constexpr double slack = 1e-9;
    if (x < MinRefCmSize - slack || x > MaxRefCmSize + slack) return {ClampRefCmSize(x), true};
    return {ClampRefCmSize(x), false};
}

double RefCmSizeFromPixelsPerMM(double pixelsPerMM) {
    if (!(pixelsPerMM > 0)) return DefaultRefCmSize;
    return 200.0 / (TPixelMMConverter::ClampPixelsPerMM(pixelsPerMM) * 10.0);
}
