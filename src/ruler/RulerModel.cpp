#include "ruler/RulerModel.h"

int RulerLength(const RulerGeometry& g) {
    return g.FHorizontal ? g.HWidth : g.VHeight;
}

Size RulerClientSize(const RulerGeometry& g) {
    if (g.FHorizontal) return {g.HWidth, RulerDefaults::HorizontalClientHeight};
    return {RulerDefaults::VerticalClientWidth, g.VHeight};
}

void SetOrientation(RulerModel& model, bool horizontal) {
    model.Geometry.FHorizontal = horizontal;
    model.Look.fTickPosition = horizontal ? HorizontalTickPosition : VerticalTickPosition;
    model.Look.FTickMarkerPosition =
        horizontal ? HorizontalTickMarkerPosition : VerticalTickMarkerPosition;
}

void ApplyCalibration(RulerModel& model, PixelsPerMM automatic) {
    TPixelMMConverter& converter = model.Scale.Converter;
    const RulerCalibration& c = model.Calibration;
    converter.SetAutoCalc(c.FCmAuto);
    if (!c.FCmAuto) automatic.X = automatic.Y = GetUserPixelPerMM(c.FRefCmSize);
    converter.SetPixelsPerMMX(automatic.X);
    converter.SetPixelsPerMMY(automatic.Y);
}

bool StepCalibration(RulerModel& model, double delta) {
    RulerCalibration& c = model.Calibration;
    model.Scale.Converter.SetAutoCalc(false);
    if (c.FCmAuto) {
        c.FCmAuto = false;
        c.FRefCmSize = RefCmSizeFromPixelsPerMM(model.Scale.Converter.PixelsPerMMX());
    }
    const CalibrationStep step = StepRefCmSize(c.FRefCmSize, delta, c.FRefCmSizeChangeBy);
    c.FRefCmSize = step.RefCmSize;
    return step.Beep;
}

long double TwipsPerPixelAt(int dpi) {
    return 1440.0L / (dpi > 0 ? dpi : 96);
}
