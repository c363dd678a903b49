#include "ruler/RulerModel.h"

#include <gtest/gtest.h>

TEST(RulerModel, TurningSetsTheEdgesAndTheClientSizeFollowsTheLengths) {
    RulerModel m;
    m.Geometry.HWidth = 640;
    m.Geometry.VHeight = 300;
    SetOrientation(m, false);
    EXPECT_EQ(m.Look.fTickPosition, VerticalTickPosition);
    EXPECT_EQ(m.Look.FTickMarkerPosition, VerticalTickMarkerPosition);
    EXPECT_EQ(RulerClientSize(m.Geometry), (Size{57, 300}));
    EXPECT_EQ(RulerLength(m.Geometry), 300);
    SetOrientation(m, true);
    EXPECT_EQ(m.Look.fTickPosition, HorizontalTickPosition);
    EXPECT_EQ(RulerClientSize(m.Geometry), (Size{640, 49}));
}

TEST(RulerModel, ACalibrationStepLeavesAutomaticModeFromTheSpacingShownNow) {
    RulerModel m;
    ApplyCalibration(m, PixelsPerMM{1920.0 / 508, 1080.0 / 286}); // 3.78 px/mm
    ASSERT_TRUE(m.Scale.Converter.AutoCalc());
    const double shown = m.Scale.Converter.PixelsPerMMX();
    EXPECT_FALSE(StepCalibration(m, 0.0));
    EXPECT_FALSE(m.Calibration.FCmAuto);
    ApplyCalibration(m, PixelsPerMM{1920.0 / 508, 1080.0 / 286});
    EXPECT_NEAR(m.Scale.Converter.PixelsPerMMX(), shown, 1e-9) << "no jump when leaving";
    EXPECT_FALSE(m.Scale.Converter.AutoCalc());

    // A step to zero or below beeps and takes the step size instead.
    m.Calibration.FRefCmSize = 0.05;
    EXPECT_TRUE(StepCalibration(m, -0.1));
    EXPECT_DOUBLE_EQ(m.Calibration.FRefCmSize, 0.1);
    ApplyCalibration(m, PixelsPerMM{});
    EXPECT_DOUBLE_EQ(m.Scale.Converter.PixelsPerMMX(), GetUserPixelPerMM(0.1));
}

TEST(RulerModel, TwipsFollowTheWindowsDpi) {
    EXPECT_EQ(TwipsPerPixelAt(96), 15.0L);
    EXPECT_EQ(TwipsPerPixelAt(192), 7.5L);
    EXPECT_EQ(TwipsPerPixelAt(0), 15.0L);
}
