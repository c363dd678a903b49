#include "ruler/PixelMMConverter.h"
#include "ruler/RulerUnit.h"

#include <gtest/gtest.h>

TEST(PixelMMConverter, DisplayOf1920PixelsOn509MmRoundsToWholeMillimetres) {
    TPixelMMConverter c;
    c.AutoPixelsPerMM({1920, 1080, 509, 286});
    EXPECT_NEAR(c.PixelsPerMMX(), 3.772, 0.001);
    EXPECT_EQ(c.Pixel2MM_H(0), 0);
    EXPECT_EQ(c.Pixel2MM_H(1), 0);
    for (int p = 2; p <= 5; ++p)
        EXPECT_EQ(c.Pixel2MM_H(p), 1) << p;
    EXPECT_EQ(c.Pixel2MM_H(6), 2);
    EXPECT_EQ(c.Pixel2MM_H(-6), -2); // negative distances round away from zero
    EXPECT_NEAR(c.PixelsPerMMY(), 1080.0 / 286.0, 1e-12);
}

TEST(PixelMMConverter, DeviceWithoutPhysicalSizeCountsAs96Dpi) {
    TPixelMMConverter c;
    c.AutoPixelsPerMM({1280, 800, 0, 0});
    EXPECT_NEAR(c.PixelsPerMMX(), 96.0 / 25.4, 1e-12);
    EXPECT_NEAR(c.PixelsPerMMY(), 96.0 / 25.4, 1e-12);
    EXPECT_EQ(c.Pixel2MM_V(378), 100);
}

TEST(PixelMMConverter, CalibrationGivesPixelsPerMillimetre) {
    EXPECT_NEAR(GetUserPixelPerMM(5.48), 200.0 / 54.8, 1e-12);
    EXPECT_NEAR(GetUserPixelPerMM(5.48), 3.6496, 1e-4);
    EXPECT_NEAR(RefCmSizeFromPixelsPerMM(GetUserPixelPerMM(4.2)), 4.2, 1e-12);
}

TEST(PixelMMConverter, CalibrationStepRefusesZeroAndNegativeLengths) {
    auto s = StepRefCmSize(0.1, -0.1, 0.1); // would be zero: beep, reset to the step
    EXPECT_TRUE(s.Beep);
    EXPECT_DOUBLE_EQ(s.RefCmSize, 0.1);
    s = StepRefCmSize(0.05, -0.1, 0.1);
    EXPECT_TRUE(s.Beep);
    EXPECT_DOUBLE_EQ(s.RefCmSize, 0.1);
    s = StepRefCmSize(5.48, -0.1, 0.1);
    EXPECT_FALSE(s.Beep);
    EXPECT_NEAR(s.RefCmSize, 5.38, 1e-12);
}

TEST(RulerUnit, StoredOrdinalsOutsideTheEnumerationReadAsTheDefault) {
    EXPECT_EQ(RulerUnitFromOrdinal(0), ruMillimeter);
    EXPECT_EQ(RulerUnitFromOrdinal(4), ruTwip);
    EXPECT_EQ(RulerUnitFromOrdinal(5), ruPixel32);
    EXPECT_EQ(RulerUnitFromOrdinal(-1), ruPixel32);
    EXPECT_EQ(RulerUnitFromOrdinal(1LL << 40), ruPixel32);
}

TEST(RulerUnit, KeyCyclesTheVisibleUnitsAndLeavesTwipAlone) {
    EXPECT_EQ(NextRulerUnit(ruPixel20), ruPixel32);
    EXPECT_EQ(NextRulerUnit(ruPixel32), ruPixel50);
    EXPECT_EQ(NextRulerUnit(ruPixel50), ruMillimeter);
    EXPECT_EQ(NextRulerUnit(ruMillimeter), ruPixel20);
    EXPECT_EQ(NextRulerUnit(ruTwip), ruTwip);
}
