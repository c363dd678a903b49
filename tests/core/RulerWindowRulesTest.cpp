#include "ruler/RulerWindowRules.h"

#include <gtest/gtest.h>

namespace {
constexpr Rect Screen{0, 0, 1280, 800};
// A 1024 x 768 monitor right of it.
constexpr Rect Second{1280, 0, 2304, 768};
} // namespace

TEST(RulerWindowRules, PullOntoScreenBringsEveryStoredPlaceBack) {
    struct Case {
        Rect Stored;
        int VHeight;
        Rect Expected;
        Rect Monitor = Screen;
    } cases[] = {
        {Rect::FromSize(340, 200, 600, 49), 400, Rect::FromSize(340, 200, 600, 49)}, // stays
        {Rect::FromSize(-700, 200, 600, 49), 400, Rect::FromSize(0, 200, 600, 49)},
        {Rect::FromSize(1270, 200, 600, 49), 400, Rect::FromSize(680, 200, 600, 49)},
        // Wider than the screen: cut to it, and off the right edge: flush left.
        {Rect::FromSize(1270, 200, 5000, 49), 400, Rect::FromSize(0, 200, 1280, 49)},
        {Rect::FromSize(100, -30, 600, 49), 400, Rect::FromSize(100, 0, 600, 49)},
        // Near the bottom: up by the vertical length, whatever the orientation.
        {Rect::FromSize(100, 780, 600, 49), 400, Rect::FromSize(100, 400, 600, 49)},
        {Rect::FromSize(100, 780, 57, 400), 400, Rect::FromSize(100, 400, 57, 400)},
        // A vertical length above the screen's height never lifts the ruler
        // above the top edge.
        {Rect::FromSize(100, 780, 57, 5000), 5000, Rect::FromSize(100, 0, 57, 800)},
        // On the second monitor: its own edges count.
        {Rect::FromSize(1500, 200, 600, 49), 400, Rect::FromSize(1500, 200, 600, 49), Second},
        {Rect::FromSize(2290, 200, 600, 49), 400, Rect::FromSize(1704, 200, 600, 49), Second},
        {Rect::FromSize(1300, 760, 57, 400), 400, Rect::FromSize(1300, 368, 57, 400), Second},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PullOntoScreen(c.Stored, c.Monitor, c.VHeight), c.Expected)
            << c.Stored.Left << "," << c.Stored.Top << " " << c.Stored.Width();
}

TEST(RulerWindowRules, OpacityFollowsTheTransparencyTable) {
    const std::pair<int, int> table[] = {{10, 230}, {20, 204}, {25, 191},  {30, 178},  {40, 153},
                                         {50, 128}, {60, 102}, {100, 102}, {1000, 102}};
    for (auto [percent, opacity] : table)
        EXPECT_EQ(LayeredOpacity(percent), opacity) << percent;
    EXPECT_FALSE(LayeredOpacity(0));
    EXPECT_FALSE(LayeredOpacity(-5));
}

TEST(RulerWindowRules, ArrowKeysMoveOrChangeTheLengthAlongTheRuler) {
    const RulerGeometry horizontal{true, 600, 400, {}};
    const RulerGeometry vertical{false, 600, 101, {}};
    const Point at{100, 100};
    struct Case {
        const RulerGeometry& Geometry;
        ArrowKey Key;
        bool Shift, Ctrl;
        std::optional<Point> Position;
        std::optional<int> Length;
    } cases[] = {
        {horizontal, ArrowKey::Left, false, false, Point{99, 100}, {}},
        {horizontal, ArrowKey::Down, false, true, Point{100, 105}, {}},
        {vertical, ArrowKey::Right, false, false, Point{101, 100}, {}},
        {horizontal, ArrowKey::Right, true, true, at, 605},
        {horizontal, ArrowKey::Left, true, false, at, 599},
        {vertical, ArrowKey::Down, true, false, at, 102},
        // Across the ruler, or down to 100: nothing.
        {vertical, ArrowKey::Left, true, false, {}, {}},
        {horizontal, ArrowKey::Up, true, false, {}, {}},
        {vertical, ArrowKey::Up, true, false, {}, {}},
    };
    for (const Case& c : cases) {
        const auto result = ArrowKeyMove(c.Geometry, at, c.Key, c.Shift, c.Ctrl);
        ASSERT_EQ(result.has_value(), c.Position.has_value()) << static_cast<int>(c.Key);
        if (!result) continue;
        EXPECT_EQ(result->Position, *c.Position);
        EXPECT_EQ(result->Length, c.Length);
    }
}

TEST(RulerWindowRules, UnitCycleSkipsTheHiddenTwips) {
    TRulerUnit unit = ruPixel32;
    const TRulerUnit expected[] = {ruPixel50, ruMillimeter,   ruCentimeter, ruInch,
                                   ruPoint,   ruLogicalPixel, ruPixel20,    ruPixel32};
    for (TRulerUnit next : expected) {
        unit = *NextUnitInCycle(unit);
        EXPECT_EQ(unit, next);
    }
    EXPECT_FALSE(NextUnitInCycle(ruTwip));
}

TEST(RulerWindowRules, OptimalSizeAndCentring) {
    const Placement at{{100, 120}, {600, 49}};
    const Placement h = OptimalSize({true, 600, 400, {}}, at, Screen);
    EXPECT_EQ(h.Position, (Point{0, 120}));
    EXPECT_EQ(h.WindowSize, (Size{1280, 49}));
    const Placement v = OptimalSize({false, 600, 400, {}}, {{100, 120}, {57, 400}}, Screen);
    EXPECT_EQ(v.Position, (Point{100, 0}));
    EXPECT_EQ(v.WindowSize, (Size{57, 800}));
    EXPECT_EQ(CenteredOnScreen({601, 49}, Screen), (Point{339, 375}));
    // On the second monitor: its length, its middle.
    const Placement h2 = OptimalSize({true, 600, 400, {}}, {{1500, 120}, {600, 49}}, Second);
    EXPECT_EQ(h2.Position, (Point{1280, 120}));
    EXPECT_EQ(h2.WindowSize, (Size{1024, 49}));
    EXPECT_EQ(CenteredOnScreen({601, 49}, Second), (Point{1491, 359}));
}
