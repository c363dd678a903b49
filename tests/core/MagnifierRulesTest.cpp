#include "magnifier/MagnifierRules.h"

#include <gtest/gtest.h>

TEST(MagnifierRules, CaptionCountsFromOneInScreenOrRulerCoordinates) {
    const RulerFrame horizontal{Rect::FromSize(340, 200, 600, 49), true};
    const RulerFrame vertical{Rect::FromSize(340, 200, 57, 400), false};
    // On the ruler's left edge, on the line just below it: 1, 1.
    EXPECT_EQ(MagnifierCaption(ShownPosition({340, 249}, false, horizontal), 4),
              L" X: 1, Y: 1    Zoom: 4x");
    EXPECT_EQ(MagnifierCaption(ShownPosition({397, 200}, false, vertical), 20),
              L" X: 1, Y: 1    Zoom: 20x");
    EXPECT_EQ(MagnifierCaption(ShownPosition({0, 0}, true, horizontal), 4),
              L" X: 1, Y: 1    Zoom: 4x");
    // With a start point its figures stand between the position and the zoom.
    EXPECT_EQ(MagnifierCaption({620, 590}, 4, L"\u0394x 120  \u0394y 90  150  36,9\u00B0"),
              L" X: 621, Y: 591   \u0394x 120  \u0394y 90  150  36,9\u00B0   Zoom: 4x");
    // Left of and above the zero point: 0 or below.
    EXPECT_EQ(ShownPosition({300, 100}, false, horizontal), (Point{-40, -149}));
}

TEST(MagnifierRules, FrameAtTheScreensCornersPaintsBlackStripsAndTheMarker) {
    const Rect screen{0, 0, 1280, 800};
    // Top-left corner at zoom 4 with the design picture: 121 and 69 pixels.
    MagnifierFrame f = PlanMagnifierFrame({0, 0}, {242, 138}, 4, screen);
    EXPECT_EQ(f.Source, Rect::FromSize(-30, -17, 60, 34));
    ASSERT_EQ(f.BlackStrips.size(), 2u);
    EXPECT_EQ(f.BlackStrips[0], (Rect{0, 0, 121, 138}));
    EXPECT_EQ(f.BlackStrips[1], (Rect{0, 0, 242, 69}));
    EXPECT_EQ(f.Marker, Rect::FromSize(123, 71, 4, 4));

    // Bottom-right corner at zoom 20.
    f = PlanMagnifierFrame({1279, 799}, {242, 145}, 20, screen);
    EXPECT_EQ(f.Source, Rect::FromSize(1273, 795, 12, 7));
    ASSERT_EQ(f.BlackStrips.size(), 2u);
    EXPECT_EQ(f.BlackStrips[0], (Rect{242 - 5 * 20 - 1, 0, 242, 145}));
    EXPECT_EQ(f.BlackStrips[1], (Rect{0, 145 - 2 * 20 - 1, 242, 145}));

    // Mid-screen: no strips. A zoom of 0 from a damaged file is zoom 1.
    EXPECT_TRUE(PlanMagnifierFrame({640, 400}, {242, 138}, 4, screen).BlackStrips.empty());
    EXPECT_EQ(PlanMagnifierFrame({640, 400}, {242, 138}, 0, screen).Source.Width(), 242);
    // A monitor left of and above the primary: its pixels are screen too.
    EXPECT_TRUE(
        PlanMagnifierFrame({0, 0}, {242, 138}, 4, {-1024, -768, 1280, 800}).BlackStrips.empty());
}

TEST(MagnifierRules, ChangeOfSideAlternatesBetweenTheEdges) {
    EXPECT_EQ(OtherSideLeft(515, 250, 1280), 0);
    EXPECT_EQ(OtherSideLeft(0, 250, 1280), 1030);
    EXPECT_EQ(OtherSideLeft(1030, 250, 1280), 0);
    EXPECT_EQ(OtherSideLeft(-3, 250, 1280), 0);
}
