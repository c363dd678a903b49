#pragma once
// Turns pixel distances into whole millimetres, from the display's reported
// physical size or from the user's calibration.
#include <cstdint>

// What a display device reports about itself (GetDeviceCaps).
struct DeviceMetrics {
    int HorzRes = 0;  // pixels
    int VertRes = 0;  // pixels
    int HorzSize = 0; // millimetres
    int VertSize = 0; // millimetres
};

class TPixelMMConverter {
  public:
    // Reads both values from the device. A device that reports no physical
    // size (0 mm, as remote sessions and some drivers do) counts as 96 DPI.
    void AutoPixelsPerMM(const DeviceMetrics& device);

    std::int64_t Pixel2MM_H(int pixels) const;
    std::int64_t Pixel2MM_V(int pixels) const;

    bool AutoCalc() const { return FAutoCalc; }
    void SetAutoCalc(bool value) { FAutoCalc = value; }
    double PixelsPerMMX() const { return FPixelsPerMMX; }
    double PixelsPerMMY() const { return FPixelsPerMMY; }
    void SetPixelsPerMMX(double value) { FPixelsPerMMX = value; }
    void SetPixelsPerMMY(double value) { FPixelsPerMMY = value; }
    friend bool operator==(const TPixelMMConverter&, const TPixelMMConverter&) = default;

  private:
    bool FAutoCalc = true;
    double FPixelsPerMMX = DefaultPixelsPerMM;
    double FPixelsPerMMY = DefaultPixelsPerMM;

  public:
    static constexpr double DefaultPixelsPerMM = 96.0 / 25.4;
};

// Pixels per millimetre from the calibration: the length in centimetres that
// the user measured on the 200-pixel reference bar.
double GetUserPixelPerMM(double refCmSize);

// One step of the calibration keys. A result of zero or below is refused: the
// caller beeps and the value becomes the step size.
struct CalibrationStep {
    double RefCmSize;
    bool Beep;
};
CalibrationStep StepRefCmSize(double refCmSize, double delta, double stepSize);

// The calibration length that matches a given pixels-per-millimetre value, so
// that leaving automatic mode starts from what the screen shows.
double RefCmSizeFromPixelsPerMM(double pixelsPerMM);
