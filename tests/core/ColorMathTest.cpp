#include "util/ColorMath.h"
#include "util/ConvertError.h"
#include "util/Numbers.h"

#include <gtest/gtest.h>

TEST(ColorMath, BrightnessClampsEachChannel) {
    EXPECT_EQ(ColorBrightness(0x808080, 200), 0xFFFFFF);
    EXPECT_EQ(ColorBrightness(0x102030, -32), 0x000010);
    EXPECT_EQ(ColorBrightness(0x000000, -1), 0x000000);
    EXPECT_EQ(ColorBrightness(0x102030, 0), 0x102030);
    EXPECT_EQ(ColorBrightness(0x01FE80, 1), 0x02FF81);
}

TEST(ColorMath, BrightnessResolvesSystemColoursAndClearsTheTopByte) {
    // Default window colour is white; the result is plain RGB.
    EXPECT_EQ(ColorBrightness(clWindow, -40), 0xD7D7D7);
    EXPECT_EQ(ColorBrightness(0x7F000000, 10), 0x0A0A0A);
    EXPECT_EQ(ColorBrightness(0, 2000000000), 0xFFFFFF); // no overflow
}

TEST(ColorMath, MixRoundsHalvesToEven) {
    EXPECT_EQ(MixColor(clWhite, clBlack, 50), 0x808080);  // 127.5 -> 128
    EXPECT_EQ(MixColor(0x010101, clBlack, 50), 0x000000); // 0.5 -> 0
    EXPECT_EQ(MixColor(0x030303, clBlack, 50), 0x020202); // 1.5 -> 2
    EXPECT_EQ(MixColor(0x123456, 0xABCDEF, 100), 0x123456);
    EXPECT_EQ(MixColor(0x123456, 0xABCDEF, 0), 0xABCDEF);
    EXPECT_EQ(MixColor(clBlack, clWhite, 8), 0xEBEBEB); // 234.6
}

TEST(ColorMath, MixRejectsPercentOutsideRange) {
    try {
        MixColor(clWhite, clBlack, 101);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, L"Color1Percent 101 muss zwischen 0 und 100 liegen!");
    }
    EXPECT_THROW(MixColor(clWhite, clBlack, -1), EConvertError);
}

TEST(ColorMath, InvertFlipsEveryChannel) {
    EXPECT_EQ(InvertColor(0x00FF10), 0xFF00EF);
    EXPECT_EQ(InvertColor(clWindow), 0x000000); // resolved white
    EXPECT_EQ(InvertColorUnique(0x123456), InvertColor(0x123456));
}

TEST(ColorMath, CMYKOf336699RoundTrips) {
    TRGBTriple rgb;
    ColorToRGBTriple(ShortHexRGBToColor(L"336699", clNone), rgb);
    const TCMYK cmyk = RGBtoCMYK(rgb);
    EXPECT_EQ(cmyk, (TCMYK{102, 51, 0, 102}));
    TRGBTriple back;
    CMYKtoRGB(cmyk, back);
    EXPECT_EQ(back, rgb);
}

TEST(ColorMath, CMYKEdgeValues) {
    EXPECT_EQ(RGBtoCMYK(TRGBTriple{255, 255, 255}), (TCMYK{0, 0, 0, 0}));
    EXPECT_EQ(RGBtoCMYK(TRGBTriple{0, 0, 0}), (TCMYK{0, 0, 0, 255}));
    TRGBTriple rgb;
    CMYKtoRGB(TCMYK{200, 100, 255, 100}, rgb); // sums beyond 255 give 0, no byte overflow
    EXPECT_EQ(rgb, (TRGBTriple{0, 55, 0}));
    EXPECT_EQ(TCMYK::FromPacked(0x04030201u), (TCMYK{1, 2, 3, 4}));
    EXPECT_EQ((TCMYK{1, 2, 3, 4}).ToPacked(), 0x04030201u);
}

TEST(ColorMath, CMYKFractions) {
    TRGBTriple rgb;
    CMYKtoRGB(0.0, 0.5, 1.0, 0.0, rgb);
    EXPECT_EQ(rgb.rgbtRed, 255);
    EXPECT_EQ(rgb.rgbtGreen, 128); // 127.5 to even
    EXPECT_EQ(rgb.rgbtBlue, 0);
    CMYKtoRGB(0.2, 0.2, 0.2, 0.9, rgb);
    EXPECT_EQ(rgb, (TRGBTriple{0, 0, 0}));
    CMYKtoRGB(-0.5, 0, 0, 0, rgb); // out-of-range input stays a valid byte
    EXPECT_EQ(rgb.rgbtRed, 255);
}

TEST(ColorMath, RoundHalfEven) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
}
