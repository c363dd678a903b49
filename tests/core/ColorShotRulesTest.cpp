#include "colour/ColorShotRules.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TRGBTriple Triple(TColor c) {
    TRGBTriple t;
    ColorToRGBTriple(c, t);
    return t;
}

// 20 x 20 black, with two marked pixels inside columns 10-12, rows 10-11.
TRGBImage Frozen() {
    TRGBImage img(20, 20, Triple(clBlack));
    img.At(12, 11) = Triple(0x0000FF);
    img.At(10, 10) = Triple(0x060000);
    img.At(13, 11) = Triple(clWhite); // just outside that rectangle
    return img;
}

} // namespace

TEST(ColorShotRules, ClickPicksThePixelAndDragAveragesTheSpannedRectangle) {
    const TRGBImage img = Frozen();
    struct Case {
        bool pressed;
        Point start, release;
        TColor expected;
    } const cases[] = {
        {true, {12, 11}, {12, 11}, 0x0000FF}, // click without moving
        {true, {10, 10}, {12, 11}, 0x01002A}, // six pixels: 255/6 = 42, 6/6 = 1
        {true, {12, 11}, {10, 10}, 0x01002A}, // dragged the other way round
        {true, {12, 10}, {10, 11}, 0x01002A}, // and across
        {true, {13, 11}, {13, 11}, clWhite},  // back on the start: the start pixel
        {true, {18, 18}, {40, 40}, clBlack},  // clipped to the image
        {true, {-9, -9}, {-1, -3}, clBlack},  // wholly outside
        {false, {0, 0}, {13, 11}, clWhite},   // released without a press here
        {false, {0, 0}, {25, 3}, clBlack},    // ... outside the image
    };
    for (const Case& c : cases) {
        TShotDrag drag;
        if (c.pressed) ShotMouseDown(drag, c.start);
        EXPECT_EQ(GetSelColor(img, drag, c.release), c.expected)
            << c.start.X << "," << c.start.Y << " -> " << c.release.X << "," << c.release.Y;
    }
    // A second button while dragging keeps the first start point.
    TShotDrag drag;
    ShotMouseDown(drag, {10, 10});
    ShotMouseDown(drag, {13, 11});
    EXPECT_EQ(GetSelColor(img, drag, {12, 11}), 0x01002A);
}

TEST(ColorShotRules, PreviewLayoutJumpAndMagnifierSource) {
    const TShotPreviewLayout at96 = PlanShotPreview(96);
    EXPECT_EQ(at96.Mini, (Size{96, 49}));
    EXPECT_EQ(at96.Lupe, Rect::FromSize(47, 0, 49, 49));
    EXPECT_EQ(at96.Box, Rect::FromSize(49, 2, 45, 45));
    EXPECT_EQ(at96.Centre, Rect::FromSize(47 + 23, 23, 3, 3));
    const TShotPreviewLayout at144 = PlanShotPreview(144);
    EXPECT_EQ(at144.Lupe.Right, at144.Mini.Width);
    EXPECT_LE(
        std::abs((at144.Centre.Left - at144.Box.Left) - (at144.Box.Right - at144.Centre.Right)), 1);

    // From the top-left corner to the top-right one and back.
    EXPECT_EQ(PreviewJumpLeft(0, 96, 1280), 1184);
    EXPECT_EQ(PreviewJumpLeft(1184, 96, 1280), 0);

    const Size image{1280, 800};
    struct Case {
        Point mouse;
        Size box;
        Rect source, dest;
    } const cases[] = {
        {{640, 400}, {45, 45}, Rect::FromSize(635, 395, 11, 11), {0, 0, 45, 45}},
        {{640, 400}, {68, 45}, Rect::FromSize(632, 395, 17, 11), {0, 0, 68, 45}},
        // At the top-left corner only the lower right part is in the image.
        {{0, 0}, {45, 45}, {0, 0, 6, 6}, {20, 20, 45, 45}},
        {{1279, 799}, {45, 45}, {1274, 794, 1280, 800}, {0, 0, 24, 24}},
    };
    for (const Case& c : cases) {
        const TLupeStretch s = PlanLupeStretch(c.mouse, c.box, image);
        EXPECT_EQ(s.Source, c.source) << c.mouse.X << "," << c.mouse.Y;
        EXPECT_EQ(s.Dest, c.dest) << c.mouse.X << "," << c.mouse.Y;
    }
    EXPECT_TRUE(PlanLupeStretch({-50, 10}, {45, 45}, image).Source.IsEmpty());
}
