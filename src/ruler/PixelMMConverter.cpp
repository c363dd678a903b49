#include "ruler/PixelMMConverter.h"

#include "util/Numbers.h"

#include <cmath>

namespace {
double Ratio(int pixels, int millimetres) {
    if (millimetres <= 0 || pixels <= 0) return TPixelMMConverter::DefaultPixelsPerMM;
    return static_cast<double>(pixels) / static_cast<double>(millimetres);
}
} // namespace

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
    return 200.0 / (refCmSize * 10.0);
}

CalibrationStep StepRefCmSize(double refCmSize, double delta, double stepSize) {
    const double x = refCmSize + delta;
    if (std::fabs(x) <= 1e-12 || x < 0) return {stepSize, true};
    return {x, false};
}

double RefCmSizeFromPixelsPerMM(double pixelsPerMM) {
    if (!(pixelsPerMM > 0)) return 5.48;
    return 200.0 / (pixelsPerMM * 10.0);
}
