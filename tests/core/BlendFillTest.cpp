#include "RasterCanvas.h"
#include "util/BlendFillProcs.h"

#include <gtest/gtest.h>

namespace {
constexpr TColor Light = 0xEDEDED; // the ruler's face: silver lifted by 45
constexpr TColor Back = 0xC0C0C0;
} // namespace

TEST(BlendFill, FewerThanThreeBandsCountAsThree) {
    EXPECT_EQ(CorrectColBands(0), 3);
    EXPECT_EQ(CorrectColBands(1), 3);
    EXPECT_EQ(CorrectColBands(2), 3);
    EXPECT_EQ(CorrectColBands(3), 3);
    EXPECT_EQ(CorrectColBands(255), 255);
}

TEST(BlendFill, ColourTableRunsFromFirstToSecondColour) {
    TBlendColors colors{};
    PrepareColors(static_cast<TColor>(0xAB000000 | 0x102030), 0x405060, 3, colors);
    EXPECT_EQ(colors[0], 0x102030); // high byte cleared
    EXPECT_EQ(colors[1], 0x203040);
    EXPECT_EQ(colors[2], 0x304050);
    EXPECT_EQ(colors[3], 0x405060);
}

TEST(BlendFill, ColourStepsRoundHalvesToEven) {
    TBlendColors colors{};
    // Red 0 -> 2 in four steps: 0.5, 1, 1.5, 2 round to 0, 1, 2, 2.
    PrepareColors(0x000000, 0x000002, 4, colors);
    EXPECT_EQ(colors[1], 0);
    EXPECT_EQ(colors[2], 1);
    EXPECT_EQ(colors[3], 2);
    EXPECT_EQ(colors[4], 2);
    // Going down: 5 -> 3 gives 4.5 -> 4.
    PrepareColors(0x000005, 0x000003, 4, colors);
    EXPECT_EQ(colors[1], 4);
}

TEST(BlendFill, HundredHighFaceShowsBothColoursAtItsEdges) {
    RasterCanvas c(10, 100);
    LinearBlendFill(c, nullptr, {0, 0, 10, 100}, Light, Back, bfTopToBottom, 255);
    EXPECT_EQ(c.FillCount, 256);
    EXPECT_EQ(c.At(0, 0), Light);
    EXPECT_EQ(c.At(9, 0), Light);
    EXPECT_EQ(c.At(0, 99), Back);
    EXPECT_EQ(c.At(9, 99), Back);
    // Every pixel is painted and each row is one colour, growing darker.
    for (int y = 1; y < 100; ++y) {
        ASSERT_NE(c.At(0, y), RasterCanvas::Unpainted) << y;
        EXPECT_EQ(c.RunRight(0, y, c.At(0, y)), 10) << y;
        EXPECT_LE(RedOf(c.At(0, y)), RedOf(c.At(0, y - 1))) << y;
    }
}

TEST(BlendFill, LeftToRightBandsStayInsideTheRectangle) {
    RasterCanvas c(30, 4);
    // Three bands over 21 pixels: starts 0, 7, 13, 20, each 8 thick; the last
    // one would run 7 pixels past the right edge.
    LinearBlendFill(c, nullptr, {5, 1, 26, 3}, 0x000000, 0x0000FF, bfLeftToRight, 0);
    EXPECT_EQ(c.At(4, 1), RasterCanvas::Unpainted);
    EXPECT_EQ(c.At(26, 1), RasterCanvas::Unpainted);
    EXPECT_EQ(c.At(5, 0), RasterCanvas::Unpainted);
    EXPECT_EQ(c.At(5, 3), RasterCanvas::Unpainted);
    EXPECT_EQ(c.At(5, 1), 0x000000);
    EXPECT_EQ(c.At(12, 2), 0x000055);
    EXPECT_EQ(c.At(18, 1), 0x0000AA);
    EXPECT_EQ(c.At(25, 2), 0x0000FF);
}

TEST(BlendFill, ClipLimitsTheBands) {
    RasterCanvas c(10, 10);
    const Rect clip{0, 0, 10, 5};
    LinearBlendFill(c, &clip, {0, 0, 10, 10}, 0x000000, 0xFFFFFF, bfTopToBottom, 255);
    EXPECT_NE(c.At(3, 4), RasterCanvas::Unpainted);
    EXPECT_EQ(c.At(3, 5), RasterCanvas::Unpainted);
}

TEST(BlendFill, EmptyAxisDrawsNothing) {
    RasterCanvas c(10, 10);
    LinearBlendFill(c, nullptr, {0, 0, 10, 0}, 0x000000, 0xFFFFFF, bfTopToBottom, 255);
    LinearBlendFill(c, nullptr, {0, 0, 0, 10}, 0x000000, 0xFFFFFF, bfLeftToRight, 255);
    LinearBlendFill(c, nullptr, {4, 4, 2, 8}, 0x000000, 0xFFFFFF, bfLeftToRight, 255);
    EXPECT_EQ(c.FillCount, 0);
}

TEST(BlendFill, EqualColoursFillOneColour) {
    RasterCanvas c(7, 50);
    LinearBlendFill(c, nullptr, {0, 0, 7, 50}, 0x336699, 0x336699, bfTopToBottom, 255);
    for (TColor p : c.Pixels)
        ASSERT_EQ(p, 0x336699);
}

TEST(BlendFill, OtherDirectionsLeaveTheSecondColour) {
    RasterCanvas c(6, 6);
    LinearBlendFill(c, nullptr, {0, 0, 6, 6}, 0x000000, 0x00FF00, 2, 10);
    EXPECT_EQ(c.FillCount, 11);
    for (TColor p : c.Pixels)
        ASSERT_EQ(p, 0x00FF00);
}

TEST(BlendFill, SystemColoursAreResolved) {
    RasterCanvas c(2, 2);
    LinearBlendFill(c, nullptr, {0, 0, 2, 2}, clWindow, clWindow, bfTopToBottom, 3);
    EXPECT_EQ(c.At(0, 0), GetRealColor(clWindow) & 0xFFFFFF);
    EXPECT_EQ(c.At(1, 1), GetRealColor(clWindow) & 0xFFFFFF);
}
