#include "util/HSLUtils.h"

#include <gtest/gtest.h>

namespace {

struct HSL {
    double h, s, l;
};

HSL ToHSL(TColor c) {
    HSL v{};
    RGBtoHSL(c, v.h, v.s, v.l);
    return v;
}

} // namespace

TEST(HSL, PrimaryAndGreyColours) {
    const HSL red = ToHSL(0x0000FF);
    EXPECT_DOUBLE_EQ(red.h, 0);
    EXPECT_DOUBLE_EQ(red.s, 1);
    EXPECT_DOUBLE_EQ(red.l, 0.5);
    EXPECT_DOUBLE_EQ(ToHSL(0xFF0000).h, 2.0 / 3.0); // blue
    EXPECT_DOUBLE_EQ(ToHSL(0x00FF00).h, 1.0 / 3.0); // green
    const HSL grey = ToHSL(0x808080);
    EXPECT_DOUBLE_EQ(grey.h, 0);
    EXPECT_DOUBLE_EQ(grey.s, 0);
    EXPECT_DOUBLE_EQ(grey.l, 128.0 / 255.0);
}

TEST(HSL, NegativeHueWrapsIntoRange) {
    const HSL magentaish = ToHSL(0x8000FF); // red max, blue above green
    EXPECT_GT(magentaish.h, 0.9);
    EXPECT_LT(magentaish.h, 1.0);
}

TEST(HSL, ColourOverloadDoesNotResolveSystemColours) {
    // clBtnFace's low bytes are 0F 00 00: red 15, no green or blue.
    HSL a{}, b{};
    RGBtoHSL(clBtnFace, a.h, a.s, a.l);
    RGBtoHSL(15, 0, 0, b.h, b.s, b.l);
    EXPECT_DOUBLE_EQ(a.l, b.l);
    EXPECT_DOUBLE_EQ(a.s, b.s);
}

TEST(HSL, GreyRoundsHalvesToEven) {
    EXPECT_EQ(HSLtoRGB(0, 0, 0.5), 0x808080);
    EXPECT_EQ(HSLtoRGB(0.3, 0, 2.0), 0xFFFFFF); // lightness clamped
    EXPECT_EQ(HSLtoRGB(0.3, 0, -1.0), 0x000000);
}

TEST(HSL, RoundTripOverAGridOfColours) {
    for (int r = 0; r < 256; r += 51)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 85) {
                const TColor c = RGBColor(r, g, b);
                const HSL v = ToHSL(c);
                EXPECT_EQ(HSLtoRGB(v.h, v.s, v.l), c) << std::hex << c;
            }
}

TEST(HSL, OversaturatedInputStaysWithinByteRange) {
    // Saturation above 1 drives channels beyond 255 or below 0; they clamp
    // instead of wrapping round.
    const TColor c = HSLtoRGB(0, 3.0, 0.6);
    EXPECT_EQ(RedOf(c), 255);
    EXPECT_EQ(GreenOf(c), 0);
}
