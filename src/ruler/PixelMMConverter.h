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
    // Clamped to what a screen can have (ClampPixelsPerMM).
    void SetPixelsPerMMX(double value) { FPixelsPerMMX = ClampPixelsPerMM(value); }
    void SetPixelsPerMMY(double value) { FPixelsPerMMY = ClampPixelsPerMM(value); }
    friend bool operator==(const TPixelMMConverter&, const TPixelMMConverter&) = default;

  private:
    bool FAutoCalc = true;
    double FPixelsPerMMX = DefaultPixelsPerMM;
    double FPixelsPerMMY = DefaultPixelsPerMM;

  public:
    static constexpr double DefaultPixelsPerMM = 96.0 / 25.4;
    // From a picture thrown on a wall (2.5 DPI) to far beyond the densest
    // displays (5000 DPI). Outside, the scale and the numbers make no sense, and
    // a stored or reported value there (1e-300, infinity) would overflow them.
    static constexpr double MinPixelsPerMM = 0.1;
    static constexpr double MaxPixelsPerMM = 200.0;
    // NaN gives the default.
    static double ClampPixelsPerMM(double value);
};

// The calibration length that stands for MinPixelsPerMM .. MaxPixelsPerMM, and
// the one used when there is none.
constexpr double MinRefCmSize = 0.1;
constexpr double MaxRefCmSize = 200.0;
constexpr double DefaultRefCmSize = 5.48;

// Pixels per millimetre from the calibration: the length in centimetres that
// the user measured on the 200-pixel reference bar, taken within
// MinRefCmSize .. MaxRefCmSize (NaN as DefaultRefCmSize).
double GetUserPixelPerMM(double refCmSize);

// One step of the calibration keys. A result of zero or below is refused: the
// caller beeps and the value becomes the step size. A result outside
// MinRefCmSize .. MaxRefCmSize beeps too and stops at the limit.
struct CalibrationStep {
    double RefCmSize;
    bool Beep;
};
CalibrationStep StepRefCmSize(double refCmSize, double delta, double stepSize);

// The calibration length that matches a given pixels-per-millimetre value, so
// that leaving automatic mode starts from what the screen shows; within
// MinRefCmSize .. MaxRefCmSize, DefaultRefCmSize for no valid value.
double RefCmSizeFromPixelsPerMM(double pixelsPerMM);
