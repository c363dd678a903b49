#include "util/ImageOps.h"

#include "util/HSLUtils.h"

#include <gtest/gtest.h>

namespace {

TRGBTriple Triple(TColor c) {
    TRGBTriple t;
    ColorToRGBTriple(c, t);
    return t;
}

} // namespace

TEST(ImageAvgColor, AveragesTheInclusiveRectangleWithIntegerDivision) {
    TRGBImage img(20, 20, Triple(0x000000));
    // Columns 10-12, rows 10-11: six pixels, one of them differs.
    img.At(12, 11) = Triple(0x0000FF);
    img.At(10, 10) = Triple(0x060000);
    EXPECT_EQ(ImageAvgColor(img, Rect{10, 10, 12, 11}), 0x01002A); // 255/6 = 42, 6/6 = 1
    // A pixel outside the area does not count.
    img.At(13, 11) = Triple(0xFFFFFF);
    EXPECT_EQ(ImageAvgColor(img, Rect{10, 10, 12, 11}), 0x01002A);
}

TEST(ImageAvgColor, ClipsToTheImageAndGivesBlackWhenNothingIsLeft) {
    TRGBImage img(4, 3, Triple(0x102030));
    EXPECT_EQ(ImageAvgColor(img, Rect{-5, -5, 100, 100}), 0x102030);
    EXPECT_EQ(ImageAvgColor(img, Rect{3, 2, 3, 2}), 0x102030); // single corner pixel
    EXPECT_EQ(ImageAvgColor(img, Rect{4, 0, 9, 2}), clBlack);
    EXPECT_EQ(ImageAvgColor(img, Rect{-9, -9, -1, -1}), clBlack);
    EXPECT_EQ(ImageAvgColor(TRGBImage{}, Rect{0, 0, 0, 0}), clBlack);
}

TEST(ImageToColorscale, TakesBaseHueAndSaturationAndKeepsLightness) {
    TRGBImage img(2, 1);
    img.At(0, 0) = Triple(0x808080);
    img.At(1, 0) = Triple(0xFFFFFF);
    ImageToColorscale(img, 0x0000FF, clNone, clNone);
    // Grey of lightness 128/255 with pure red's hue and saturation.
    EXPECT_EQ(RGBTripleToColor(img.At(0, 0)), HSLtoRGB(0, 1, 128.0 / 255.0));
    EXPECT_EQ(RGBTripleToColor(img.At(1, 0)), 0xFFFFFF); // full lightness stays white
}

TEST(ImageToColorscale, SkipsTheSkipColourAndMixesHalfWithTheMixColour) {
    TRGBImage img(2, 1);
    img.At(0, 0) = Triple(0x00FF00);
    img.At(1, 0) = Triple(0x000000);
    ImageToColorscale(img, 0x808080, clWhite, 0x00FF00);
    EXPECT_EQ(RGBTripleToColor(img.At(0, 0)), 0x00FF00);
    EXPECT_EQ(RGBTripleToColor(img.At(1, 0)), 0x808080); // black mixed 50:50 with white
}

TEST(ImageToColorscale, ResolvesSystemColours) {
    // The default button face is not grey, so its hue shows in the result.
    TRGBImage a(1, 1, Triple(0x606060)), b(1, 1, Triple(0x606060));
    ImageToColorscale(a, clBtnFace, clNone, clNone);
    ImageToColorscale(b, GetRealColor(clBtnFace), clNone, clNone);
    EXPECT_EQ(a.At(0, 0), b.At(0, 0));
}
