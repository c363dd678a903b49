#include "ruler/MousePosRules.h"
#include "RasterCanvas.h"

#include <gtest/gtest.h>

namespace {

// Measures every text as 28 x 13, so that boxes are 40 x 17.
class FixedExtent : public RasterCanvas {
  public:
    FixedExtent() : RasterCanvas(0, 0) {}
    Size TextExtent(const std::wstring&, bool) const override { return {28, 13}; }
};

// A model and a placement; converts to the view the rules take.
struct TestRuler {
    RulerModel Model;
    RulerPlacement Placement;
    operator CursorRuler() const { return {Model, Placement}; }
};

TestRuler HorizontalRuler(TRulerUnit unit = ruPixel32) {
    TestRuler r;
    r.Placement.Client = {600, 49};
    r.Placement.WindowOrigin = {100, 300};
    r.Placement.Screen = {0, 0, 1920, 1080};
    r.Model.Scale.fRulerUnit = unit;
    r.Model.Scale.Converter.SetPixelsPerMMX(3.78);
    r.Model.Scale.Converter.SetPixelsPerMMY(2.0);
    r.Model.Geometry.HWidth = 600;
    return r;
}

TestRuler VerticalRuler(TRulerUnit unit = ruPixel32) {
    TestRuler r = HorizontalRuler(unit);
    SetOrientation(r.Model, false);
    r.Placement.Client = {57, 400};
    r.Model.Geometry.VHeight = 400;
    return r;
}

CursorState MeasuringFrom(int start, int pos) {
    CursorState s;
    s.StartPos = start;
    s.HasStartPos = true;
    s.MousePos = pos;
    return s;
}

const FixedExtent Measure;

} // namespace

TEST(MousePosText, PixelUnitsCountBothEndPixels) {
    const auto r = HorizontalRuler(ruPixel32);
    EXPECT_EQ(MousePosText(r, CursorState{}, 160), L"161");
    EXPECT_EQ(MousePosText(r, MeasuringFrom(100, 160), 160), L"161  (61)");
    EXPECT_EQ(MousePosText(r, MeasuringFrom(160, 100), 100), L"101  (61)");
    EXPECT_EQ(MousePosText(HorizontalRuler(ruPixel20), MeasuringFrom(5, 5), 5), L"6  (1)");
}

TEST(MousePosText, MillimetresByOrientation) {
    EXPECT_EQ(MousePosText(HorizontalRuler(ruMillimeter), MeasuringFrom(0, 378), 378),
              L"100  (100)");
    // The vertical ruler converts with the vertical density (2 px/mm here).
    EXPECT_EQ(MousePosText(VerticalRuler(ruMillimeter), MeasuringFrom(0, 378), 378), L"189  (189)");
    EXPECT_EQ(MousePosText(HorizontalRuler(ruMillimeter), CursorState{}, 0), L"0");
}

TEST(MousePosText, TwipsCountPositionFromOneButDistanceAsIs) {
    EXPECT_EQ(MousePosText(HorizontalRuler(ruTwip), MeasuringFrom(100, 160), 160), L"161  (60)");
}

TEST(MousePosText, NewUnitsReadFromThePixelDistanceWithTheirDecimalsAndCopyWithTheirSymbol) {
    struct Case {
        TRulerUnit Unit;
        double PixelsPerMM;
        int Dpi;
        CursorState State;
        const wchar_t* Box;
        const wchar_t* Copy;
    };
    CursorState at200;
    at200.MousePos = 200;
    const Case cases[] = {
        // 200 pixels at 2.844 px/mm are 70.32 mm: never rounded millimetres
        // first (7.0 cm from 70.32, not 7 from 70).
        {ruMillimeter, 2.844, 96, at200, L"70", L"70 mm"},
        {ruCentimeter, 2.844, 96, at200, L"7,0", L"7,0 cm"},
        {ruInch, 2.844, 96, at200, L"2,77", L"2,77 in"},
        {ruPoint, 2.844, 96, at200, L"199", L"199 pt"},
        {ruCentimeter, 3.78, 96, MeasuringFrom(100, 259), L"6,9  (4,2)", L"4,2 cm"},
        {ruInch, 3.78, 96, MeasuringFrom(0, 96), L"1,00  (1,00)", L"1,00 in"},
        // Halves away from zero: 0.25 in is 23.99 px at 3.78 px/mm.
        {ruInch, 3.78, 96, MeasuringFrom(0, 24), L"0,25  (0,25)", L"0,25 in"},
        // Logical pixels: at 144 DPI 150 device pixels read 100; positions
        // count from 1 as the pixel units do.
        {ruLogicalPixel, 3.78, 144, MeasuringFrom(0, 150), L"101  (100)", L"100 px"},
        {ruLogicalPixel, 3.78, 96, at200, L"201", L"201 px"},
        {ruPixel32, 3.78, 96, MeasuringFrom(100, 160), L"161  (61)", L"61 px"},
        {ruTwip, 3.78, 96, MeasuringFrom(100, 160), L"161  (60)", L"60 twip"},
    };
    for (const Case& c : cases) {
        auto r = HorizontalRuler(c.Unit);
        r.Model.Scale.Converter.SetPixelsPerMMX(c.PixelsPerMM);
        r.Model.Scale.Dpi = c.Dpi;
        SCOPED_TRACE(::testing::Message() << int(c.Unit) << " at " << c.State.MousePos);
        EXPECT_EQ(MousePosText(r, c.State, c.State.MousePos), c.Box);
        EXPECT_EQ(ReadingCopyText(r, c.State), c.Copy);
    }
}

TEST(MousePos, ScreenToRulerPosition) {
    auto r = HorizontalRuler();
    r.Placement.WndBorderX = 3;
    EXPECT_EQ(MousePosFromScreen(r, {250, 5}), 250 - 100 - 3);
    EXPECT_EQ(MousePosFromScreen(r, {50, 5}), -53);
    auto v = VerticalRuler();
    v.Placement.WndBorderY = 2;
    EXPECT_EQ(MousePosFromScreen(v, {9999, 450}), 450 - 300 - 2);
}

TEST(MousePosBox, FlipsLeftNearTheRulersEnd) {
    const auto r = HorizontalRuler();
    EXPECT_EQ(PlaceMousePosBox(r, 527, {28, 13}), (Rect{542, 16, 582, 33}));
    EXPECT_EQ(PlaceMousePosBox(r, 540, {28, 13}), (Rect{485, 16, 525, 33}));
    EXPECT_EQ(PlaceMousePosBox(r, 0, {28, 13}).Left, 15);
}

TEST(MousePosBox, FlipsAtItsMonitorsEdge) {
    auto r = HorizontalRuler();
    r.Placement.WindowOrigin = {1000, 0};
    r.Placement.Screen = {0, 0, 1280, 1024};
    // Edge limit 1280 - 1000 - 5 = 275.
    EXPECT_EQ(PlaceMousePosBox(r, 219, {28, 13}).Left, 234); // 274 < 275
    EXPECT_EQ(PlaceMousePosBox(r, 220, {28, 13}).Left, 165);
}

TEST(MousePosBox, RulerOnAMonitorRightOfThePrimaryFlipsAtThatMonitorsEdge) {
    auto r = HorizontalRuler();
    r.Placement.WindowOrigin = {1280, 0};
    r.Placement.Screen = {1280, 0, 2304, 768};
    EXPECT_EQ(PlaceMousePosBox(r, 0, {28, 13}).Left, 15);
    EXPECT_EQ(PlaceMousePosBox(r, 300, {28, 13}).Left, 315);
    r.Placement.WindowOrigin = {1800, 0}; // the ruler hangs over the monitor's edge
    EXPECT_EQ(PlaceMousePosBox(r, 480, {28, 13}).Left, 425);
    EXPECT_EQ(MousePosFromScreen(r, {1810, 0}), 10); // positions are unaffected
}

TEST(MousePosText, ADistanceAcrossMonitorsAddsUpEachMonitorsPartInItsUnits) {
    // The ruler's zero point on a 96-DPI monitor of 3.78 px/mm; from client
    // position 280 on, a 144-DPI monitor of 5.67 px/mm.
    auto withSpans = [](TRulerUnit unit) {
        auto r = HorizontalRuler(unit);
        r.Placement.WindowOrigin = {1000, 300};
        r.Placement.Spans.Add({-1000, 280, 3.78, 96});
        r.Placement.Spans.Add({280, 1304, 5.67, 144});
        return r;
    };
    const struct {
        TRulerUnit Unit;
        CursorState State;
        const wchar_t* Copy;
    } cases[] = {
        // 100 px on the first (26.46 mm) and 200 on the second (35.27 mm).
        {ruMillimeter, MeasuringFrom(180, 480), L"62 mm"},
        {ruCentimeter, MeasuringFrom(480, 180), L"6,2 cm"},
        {ruPoint, MeasuringFrom(180, 480), L"175 pt"},
        // 100 + 200 x 96 / 144 logical pixels.
        {ruLogicalPixel, MeasuringFrom(180, 480), L"233 px"},
        // Device pixels stay device pixels.
        {ruPixel32, MeasuringFrom(180, 480), L"301 px"},
        // Both ends on the second monitor: its millimetres alone.
        {ruMillimeter, MeasuringFrom(300, 400), L"18 mm"},
        // Both on the first: exactly as without spans.
        {ruMillimeter, MeasuringFrom(0, 100), L"26 mm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << int(c.Unit) << " " << c.State.StartPos << ".." << c.State.MousePos);
        EXPECT_EQ(ReadingCopyText(withSpans(c.Unit), c.State), c.Copy);
    }
}

TEST(SpanReading, ARunOfPixelsCountsEveryPixelInEachUnitAndEachMonitorsPartInItsOwn) {
    // 137 pixels from client position 100 to 236, both included; 3.78 px/mm
    // along a horizontal ruler, 2 px/mm across.
    const struct {
        TRulerUnit Unit;
        bool Horizontal;
        int Dpi;
        const wchar_t* Copy;
    } cases[] = {
        {ruPixel32, true, 96, L"137 px"},      {ruPixel20, false, 96, L"137 px"},
        {ruTwip, true, 96, L"137 twip"},       {ruMillimeter, true, 96, L"36 mm"}, // 36,24
        {ruMillimeter, false, 96, L"69 mm"}, // 68,5 at 2 px/mm
        {ruCentimeter, true, 96, L"3,6 cm"},   {ruInch, true, 96, L"1,43 in"},
        {ruPoint, true, 96, L"103 pt"},        // 102,7
        {ruLogicalPixel, true, 144, L"91 px"}, // 137 x 96 / 144
    };
    for (const auto& c : cases) {
        auto r = c.Horizontal ? HorizontalRuler(c.Unit) : VerticalRuler(c.Unit);
        r.Model.Scale.Dpi = c.Dpi;
        EXPECT_EQ(CopyForm(r, SpanReading(r, 100, 236)), c.Copy) << int(c.Unit);
        EXPECT_EQ(SpanReading(r, 236, 100), SpanReading(r, 100, 236)) << "either order";
    }
    EXPECT_EQ(CopyForm(HorizontalRuler(), SpanReading(HorizontalRuler(), 7, 7)), L"1 px");
    // 50 pixels on a monitor of 3.78 px/mm and 50 on one of 5.67 px/mm.
    auto r = HorizontalRuler(ruMillimeter);
    r.Placement.Spans.Add({-1000, 280, 3.78, 96});
    r.Placement.Spans.Add({280, 1304, 5.67, 144});
    EXPECT_EQ(CopyForm(r, SpanReading(r, 230, 329)), L"22 mm"); // 13,23 + 8,82
}

TEST(MousePosBox, VerticalBoxSitsBelowOrAbove) {
    auto r = VerticalRuler();
    EXPECT_EQ(PlaceMousePosBox(r, 100, {28, 13}), (Rect{8, 115, 48, 132}));
    // Limit 400 - 5 = 395: a box ending at 394 stays, one ending at 395 flips.
    EXPECT_EQ(PlaceMousePosBox(r, 362, {28, 13}).Top, 377);
    EXPECT_EQ(PlaceMousePosBox(r, 363, {28, 13}).Top, 331);
    r.Placement.WindowOrigin = {0, 900};
    r.Placement.Screen = {0, 0, 1920, 1080}; // limit 1080 - 900 - 5 = 175
    EXPECT_EQ(PlaceMousePosBox(r, 142, {28, 13}).Top, 157);
    EXPECT_EQ(PlaceMousePosBox(r, 143, {28, 13}).Top, 111);
}

TEST(MousePosBox, ShownOnlyOnTheRuler) {
    const auto r = HorizontalRuler();
    EXPECT_FALSE(MousePosBoxShown(r, -1));
    EXPECT_TRUE(MousePosBoxShown(r, 0));
    EXPECT_TRUE(MousePosBoxShown(r, 600));
    EXPECT_FALSE(MousePosBoxShown(r, 601));
}

TEST(MeasureStartPoint, SetsMovesAndEnds) {
    CursorState s;
    s.MousePos = 120;
    s = SetMeasureStartPoint(s);
    EXPECT_TRUE(s.HasStartPos);
    EXPECT_EQ(s.StartPos, 120);
    EXPECT_EQ(s.OldStartPos, 0);

    s.MousePos = 200; // pressed again elsewhere: the start point moves
    s = SetMeasureStartPoint(s);
    EXPECT_TRUE(s.HasStartPos);
    EXPECT_EQ(s.StartPos, 200);
    EXPECT_EQ(s.OldStartPos, 120);

    s = SetMeasureStartPoint(s); // pressed twice without moving: measuring ends
    EXPECT_FALSE(s.HasStartPos);
    EXPECT_EQ(s.StartPos, 200);
    EXPECT_EQ(s.OldStartPos, 0);
}

TEST(LengthDrag, FarEndZoneIsJudgedByThePreviousPosition) {
    auto r = HorizontalRuler();
    EXPECT_EQ(LengthDrag(r, 549, 580), LengthDragStep{});
    EXPECT_EQ(LengthDrag(r, 550, 580).Cursor, RulerCursor::SizeWE);
    EXPECT_FALSE(LengthDrag(r, 550, 580).NewLength); // button not down
    r.Model.Down = true;
    EXPECT_EQ(LengthDrag(r, 549, 580).NewLength, std::nullopt);
    EXPECT_EQ(LengthDrag(r, 590, 620).NewLength, 630);
    EXPECT_EQ(LengthDrag(r, 590, 80).NewLength, std::nullopt); // would be 90
    r.Model.Geometry.HWidth = 160;
    r.Placement.Client.Width = 160;
    EXPECT_EQ(LengthDrag(r, 150, 91).NewLength, 101);
    EXPECT_EQ(LengthDrag(r, 150, 90).NewLength, std::nullopt); // exactly 100
    auto v = VerticalRuler();
    EXPECT_EQ(LengthDrag(v, 350, 351).Cursor, RulerCursor::SizeNS);
}

TEST(CursorUpdate, ErasesOldMarksAndDrawsNewOnes) {
    const auto r = HorizontalRuler();
    CursorState s;
    s.MousePos = 100;
    s.MousePosDisplay = {115, 16, 155, 33};
    s.OldMousePosX = 100;
    const auto u = PlanCursorUpdate(r, s, {100 + 160, 320}, Measure);

    ASSERT_EQ(u.Marks.Restore.size(), 2u);
    EXPECT_EQ(u.Marks.Restore[0], (Rect{100, 0, 101, 49}));
    EXPECT_EQ(u.Marks.Restore[1], (Rect{115, 16, 155, 33}));
    ASSERT_EQ(u.Marks.Lines.size(), 1u);
    EXPECT_EQ(u.Marks.Lines[0], (LineSegment{{160, 0}, {160, 49}, RulerDefaults::ColorMouseLine}));
    EXPECT_TRUE(u.Marks.ShowBox);
    EXPECT_EQ(u.Marks.Box, (Rect{175, 16, 215, 33}));
    EXPECT_EQ(u.Marks.TextOrigin, (Point{181, 18}));
    EXPECT_EQ(u.Marks.Text, L"161");
    EXPECT_EQ(u.Marks.BoxColor, RulerDefaults::ColorMousePosBack);
    EXPECT_EQ(u.Marks.TextColor, RulerDefaults::ColorMousePosText);
    EXPECT_EQ(u.State.MousePos, 160);
    EXPECT_EQ(u.State.MousePosDisplay, u.Marks.Box);
    EXPECT_EQ(u.State.OldMousePosX, 160);
    EXPECT_EQ(u.Drag, LengthDragStep{});
}

TEST(CursorUpdate, MeasuringDrawsTheStartLineBeforeTheCursorLine) {
    const auto r = HorizontalRuler();
    CursorState s = MeasuringFrom(100, 150);
    s.OldStartPos = 40;
    const auto u = PlanCursorUpdate(r, s, {100 + 160, 0}, Measure);
    ASSERT_EQ(u.Marks.Restore.size(), 2u); // old cursor line, replaced start line
    EXPECT_EQ(u.Marks.Restore[1], (Rect{40, 0, 41, 49}));
    ASSERT_EQ(u.Marks.Lines.size(), 2u);
    EXPECT_EQ(u.Marks.Lines[0], (LineSegment{{100, 0}, {100, 49}, RulerDefaults::ColorStartLine}));
    EXPECT_EQ(u.Marks.Lines[1].From, (Point{160, 0}));
    EXPECT_EQ(u.Marks.Text, L"161  (61)");
}

TEST(CursorUpdate, OffTheRulerTheLineAndBoxDisappear) {
    const auto r = HorizontalRuler();
    CursorState s;
    s.MousePos = 5;
    s.MousePosDisplay = {20, 16, 60, 33};
    const auto u = PlanCursorUpdate(r, s, {90, 0}, Measure); // pos -10
    EXPECT_EQ(u.State.MousePos, -10);
    EXPECT_TRUE(u.Marks.Lines.size() == 0);
    EXPECT_FALSE(u.Marks.ShowBox);
    ASSERT_EQ(u.Marks.Restore.size(), 2u);
    EXPECT_EQ(u.Marks.Restore[1], (Rect{20, 16, 60, 33}));
    EXPECT_EQ(u.State.MousePosDisplay, (Rect{20, 16, 60, 33}));
    // The next update starts from an off-ruler line: nothing to restore there.
    const auto next = PlanCursorUpdate(r, u.State, {95, 0}, Measure);
    ASSERT_EQ(next.Marks.Restore.size(), 1u);
    EXPECT_EQ(next.Marks.Restore[0], (Rect{20, 16, 60, 33}));
}

TEST(CursorUpdate, LengthDragAtTheFarEnd) {
    auto r = HorizontalRuler();
    r.Model.Down = true;
    CursorState s;
    s.OldMousePosX = 590;
    s.MousePos = 590;
    const auto u = PlanCursorUpdate(r, s, {100 + 610, 0}, Measure);
    EXPECT_EQ(u.Drag.Cursor, RulerCursor::SizeWE);
    EXPECT_EQ(u.Drag.NewLength, 620);
    EXPECT_EQ(u.State.OldMousePosX, 610);
    EXPECT_EQ(u.State.OldMousePosY, 0);
}

TEST(CursorMarks, ReplacedStartLineIsErasedAtOnce) {
    const auto r = VerticalRuler(ruPixel50);
    CursorState s = MeasuringFrom(80, 80);
    s.MousePos = 200;
    s = SetMeasureStartPoint(s); // start point moves from 80 to 200
    const auto m = PlanCursorMarks(r, s, Measure);
    ASSERT_GE(m.Plan.Restore.size(), 1u);
    EXPECT_EQ(m.Plan.Restore[0], (Rect{0, 80, 57, 81}));
    ASSERT_EQ(m.Plan.Lines.size(), 2u);
    EXPECT_EQ(m.Plan.Lines[0], (LineSegment{{0, 200}, {57, 200}, RulerDefaults::ColorStartLine}));
    EXPECT_EQ(m.Plan.Text, L"201  (1)");
    EXPECT_EQ(m.State.MousePosDisplay, m.Plan.Box);
}

TEST(CursorMarks, DrawnOntoACanvas) {
    const auto r = HorizontalRuler();
    CursorState s;
    s.MousePos = 100;
    RasterCanvas c(600, 49);
    const auto m = PlanCursorMarks(r, s, c);
    DrawCursorMarks(c, m.Plan);
    EXPECT_EQ(c.RunDown(100, 0, RulerDefaults::ColorMouseLine), 49);
    // "101" is 18 wide: a box of 30 x 17 beside the line, text 6 in.
    EXPECT_EQ(c.RunRight(115, 16, RulerDefaults::ColorMousePosBack), 30);
    EXPECT_EQ(c.RunDown(115, 16, RulerDefaults::ColorMousePosBack), 17);
    ASSERT_EQ(c.Texts.size(), 1u);
    EXPECT_EQ(c.Texts[0].X, 121);
    EXPECT_EQ(c.Texts[0].Y, 18);
    EXPECT_EQ(c.Texts[0].Text, L"101");
    EXPECT_FALSE(c.Texts[0].Bold);
}
