#include "ruler/PixelMMConverter.h"
#include "ruler/RulerUnit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

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
    EXPECT_EQ(RulerUnitFromOrdinal(8), ruLogicalPixel);
    EXPECT_EQ(RulerUnitFromOrdinal(9), ruPixel32);
    EXPECT_EQ(RulerUnitFromOrdinal(-1), ruPixel32);
    EXPECT_EQ(RulerUnitFromOrdinal(1LL << 40), ruPixel32);
}

TEST(PixelMMConverter, CalibrationOutsideWhatAScreenCanHaveIsClamped) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double pixelsPerMM, expected;
    };
    const Case cases[] = {
        {1e-300, 0.1},
        {0, 0.1},
        {-5, 0.1},
        {-inf, 0.1},
        {1e300, 200},
        {inf, 200},
        {nan, TPixelMMConverter::DefaultPixelsPerMM},
        {3.78, 3.78},
    };
    for (const Case& c : cases) {
        TPixelMMConverter conv;
        conv.SetPixelsPerMMX(c.pixelsPerMM);
        conv.SetPixelsPerMMY(c.pixelsPerMM);
        EXPECT_DOUBLE_EQ(conv.PixelsPerMMX(), c.expected) << c.pixelsPerMM;
        EXPECT_DOUBLE_EQ(conv.PixelsPerMMY(), c.expected) << c.pixelsPerMM;
        // The position box shows a plain number, not "-9223372036854775808".
        EXPECT_LE(std::abs(conv.Pixel2MM_H(-2147483647 - 1)), 21474836480) << c.pixelsPerMM;
        EXPECT_LE(std::abs(conv.Pixel2MM_V(2147483647)), 21474836480) << c.pixelsPerMM;
        EXPECT_DOUBLE_EQ(RefCmSizeFromPixelsPerMM(c.pixelsPerMM),
                         c.pixelsPerMM > 0 ? 20.0 / c.expected : 5.48);
    }
    TPixelMMConverter device;
    device.AutoPixelsPerMM({1920, 1, 1, 2000000000}); // a driver's nonsense
    EXPECT_DOUBLE_EQ(device.PixelsPerMMX(), 200);
    EXPECT_DOUBLE_EQ(device.PixelsPerMMY(), 0.1);

    for (const double ref : {0.0, -1.0, 1e-300, nan, -inf})
        EXPECT_LE(GetUserPixelPerMM(ref), 200.0) << ref;
    for (const double ref : {1e300, inf})
        EXPECT_DOUBLE_EQ(GetUserPixelPerMM(ref), 0.1) << ref;
    EXPECT_DOUBLE_EQ(GetUserPixelPerMM(nan), GetUserPixelPerMM(5.48));
}

TEST(PixelMMConverter, CalibrationStepStopsAtTheLimits) {
    auto s = StepRefCmSize(199.95, 0.1, 0.1);
    EXPECT_TRUE(s.Beep);
    EXPECT_DOUBLE_EQ(s.RefCmSize, 200);
    s = StepRefCmSize(0.15, -0.1, 0.1);
    EXPECT_TRUE(s.Beep);
    EXPECT_DOUBLE_EQ(s.RefCmSize, 0.1);
    s = StepRefCmSize(0.3 - 0.1, -0.1, 0.1); // 0.09999999999999998 is the limit reached
    EXPECT_FALSE(s.Beep);
    EXPECT_DOUBLE_EQ(s.RefCmSize, 0.1);
    s = StepRefCmSize(std::numeric_limits<double>::quiet_NaN(), 0.1, 0.1);
    EXPECT_TRUE(s.Beep);
    EXPECT_DOUBLE_EQ(s.RefCmSize, 0.1);
}
