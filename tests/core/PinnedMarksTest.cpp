#include "ruler/PinnedMarks.h"
#include "RasterCanvas.h"
#include "ruler/StartPointDelta.h"

#include <gtest/gtest.h>

namespace {

// Measures every text as 26 x 13.
class FixedExtent : public RasterCanvas {
  public:
    FixedExtent() : RasterCanvas(0, 0) {}
    Size TextExtent(const std::wstring&, bool) const override { return {26, 13}; }
};
const FixedExtent Measure;

struct TestRuler {
    RulerModel Model;
    RulerPlacement Placement;
    operator CursorRuler() const { return {Model, Placement}; }
};

// 600 x 49 at screen (100, 300); 3.78 px/mm along X, 2 along Y.
TestRuler Ruler(bool horizontal = true, TRulerUnit unit = ruPixel32) {
    TestRuler r;
    r.Model.Scale.fRulerUnit = unit;
    r.Model.Scale.Converter.SetPixelsPerMMX(3.78);
    r.Model.Scale.Converter.SetPixelsPerMMY(2.0);
    SetOrientation(r.Model, horizontal);
    r.Placement.Client = horizontal ? Size{600, 49} : Size{57, 600};
    r.Placement.WindowOrigin = {100, 300};
    r.Placement.Screen = {0, 0, 1920, 1080};
    return r;
}

PinnedMarks MarksAt(std::initializer_list<Point> points) {
    PinnedMarks marks;
    for (Point p : points)
        PinMark(marks, p);
    return marks;
}

bool Touch(const Rect& a, const Rect& b) {
    return !a.Intersect(b).IsEmpty();
}

} // namespace

TEST(PinnedMarks, KeepTheNewestThirtyTwoAndShowThoseOverTheRulerInOrder) {
    PinnedMarks marks;
    for (int i = 0; i < 33; ++i)
        PinMark(marks, {i, i});
    ASSERT_EQ(marks.Points.size(), MaxPinnedMarks);
    EXPECT_EQ(marks.Points.front(), (Point{1, 1})) << "the 33rd replaced the oldest";
    EXPECT_EQ(marks.Points.back(), (Point{32, 32}));

    // Pinned out of order; one left of the ruler, one just past its end, one
    // twice: the face shows the two over it, ascending, with the distance
    // counting both end pixels.
    const PinnedMarks pinned = MarksAt({{400, 10}, {99, 350}, {150, 900}, {700, 320}, {400, 500}});
    const FaceMarks face = MarksOnRuler(Ruler(), pinned, 0x008000);
    EXPECT_EQ(face.Positions, (std::vector<int>{50, 300}));
    EXPECT_EQ(face.PositionTexts, (std::vector<std::wstring>{L"51", L"301"}));
    EXPECT_EQ(face.Distances, (std::vector<std::wstring>{L"251"}));
    EXPECT_EQ(face.Color, 0x008000);
    // Moved, the ruler shows the marks still over it where they are on the
    // screen; turned, it reads them along its new axis.
    auto moved = Ruler();
    moved.Placement.WindowOrigin = {350, 300};
    EXPECT_EQ(MarksOnRuler(moved, pinned, 0).Positions, (std::vector<int>{50, 350}));
    const FaceMarks turned = MarksOnRuler(Ruler(false), pinned, 0);
    EXPECT_EQ(turned.Positions, (std::vector<int>{20, 50, 200})); // y 320, 350, 500
    // In millimetres the labels read as the box and the copy do.
    const FaceMarks mm = MarksOnRuler(Ruler(true, ruMillimeter), MarksAt({{100, 0}, {236, 0}}), 0);
    EXPECT_EQ(mm.PositionTexts, (std::vector<std::wstring>{L"0", L"36"}));
    EXPECT_EQ(mm.Distances, (std::vector<std::wstring>{L"36"}));
}

TEST(PinnedMarks, LabelsStayBetweenTheirLinesOrAreLeftOut) {
    FaceMarks marks;
    marks.Positions = {50, 300, 320, 590};
    marks.PositionTexts = {L"51", L"301", L"321", L"591"};
    marks.Distances = {L"251", L"21", L"271"};
    const MarksLayout h = LayoutMarks(marks, {600, 49}, Measure);
    ASSERT_EQ(h.Lines.size(), 4u);
    EXPECT_EQ(h.Lines[1], (LineSegment{{300, 0}, {300, 49}, 0}));
    // 301 would cross the line at 320, 591 the ruler's end, and 21 has no
    // room between 300 and 320.
    std::vector<std::wstring> texts;
    for (const MarkLabel& l : h.Labels)
        texts.push_back(l.Text);
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"51", L"251", L"321", L"271"}));
    EXPECT_EQ(h.Labels[0].Box, (Rect{52, 1, 78, 14})) << "beside its line, at the top";
    EXPECT_EQ(h.Labels[1].Box, (Rect{162, 35, 188, 48})) << "centred between, at the bottom";

    marks.Horizontal = false;
    const MarksLayout v = LayoutMarks(marks, {57, 600}, Measure);
    EXPECT_EQ(v.Lines[0], (LineSegment{{0, 50}, {57, 50}, 0}));
    EXPECT_EQ(v.Labels[0].Box, (Rect{1, 52, 27, 65}));
    EXPECT_EQ(v.Labels[1].Box, (Rect{30, 169, 56, 182}));

    // Texts wider than half the vertical ruler's width (less its frame) have no room at all.
    class Wide : public RasterCanvas {
      public:
        Wide() : RasterCanvas(0, 0) {}
        Size TextExtent(const std::wstring&, bool) const override { return {30, 13}; }
    };
    EXPECT_TRUE(LayoutMarks(marks, {57, 600}, Wide()).Labels.empty());

    // Marks at every spacing from 1 to 34 pixels: no two labels touch, none
    // crosses a line or leaves the face.
    FaceMarks dense;
    for (int pos = 0, step = 1; pos < 600; pos += step++)
        dense.Positions.push_back(pos);
    dense.PositionTexts.assign(dense.Positions.size(), L"x");
    dense.Distances.assign(dense.Positions.size() - 1, L"d");
    for (bool horizontal : {true, false}) {
        const Size client = horizontal ? Size{600, 49} : Size{57, 600};
        dense.Horizontal = horizontal;
        const MarksLayout l = LayoutMarks(dense, client, Measure);
        EXPECT_GE(l.Labels.size(), 5u) << "the wider gaps hold labels";
        for (std::size_t i = 0; i < l.Labels.size(); ++i) {
            const Rect& box = l.Labels[i].Box;
            EXPECT_EQ(box.Intersect({0, 0, client.Width, client.Height}), box);
            for (std::size_t j = i + 1; j < l.Labels.size(); ++j)
                EXPECT_FALSE(Touch(box, l.Labels[j].Box)) << i << " " << j;
            for (int pos : dense.Positions) {
                const Rect line =
                    horizontal ? Rect{pos, 0, pos + 1, 49} : Rect{0, pos, 57, pos + 1};
                EXPECT_FALSE(Touch(box, line)) << "label " << i << " line " << pos;
            }
        }
    }
}

TEST(StartPointDelta, StepsDistanceAndAngleInTheRulersUnit) {
    const struct {
        TRulerUnit Unit;
        Point Start;
        Point Cursor;
        const wchar_t* Text;
    } cases[] = {
        {ruPixel32, {100, 100}, {220, 190}, L"\u0394x 120  \u0394y 90  150  36,9\u00B0"},
        {ruPixel32, {100, 100}, {150, 100}, L"\u0394x 50  \u0394y 0  50  0,0\u00B0"},
        {ruPixel32, {100, 100}, {100, 160}, L"\u0394x 0  \u0394y 60  60  90,0\u00B0"},
        {ruPixel32, {100, 100}, {40, 20}, L"\u0394x -60  \u0394y -80  100  -126,9\u00B0"},
        {ruPixel32, {0, 0}, {7, 7}, L"\u0394x 7  \u0394y 7  10  45,0\u00B0"},
        {ruPixel32, {5, 5}, {5, 5}, L"\u0394x 0  \u0394y 0  0  0,0\u00B0"},
        // Each axis by its own density: 378 px are 100 mm along X, 200 px along Y.
        {ruMillimeter, {0, 0}, {378, 200}, L"\u0394x 100  \u0394y 100  141  45,0\u00B0"},
        {ruCentimeter, {0, 0}, {378, -200}, L"\u0394x 10,0  \u0394y -10,0  14,1  -45,0\u00B0"},
    };
    for (const auto& c : cases) {
        const auto r = Ruler(true, c.Unit);
        EXPECT_EQ(StartPointDeltaText(DeltaFromStart(r, c.Start, c.Cursor)), c.Text);
    }
    auto logical = Ruler(true, ruLogicalPixel);
    logical.Model.Scale.Dpi = 144;
    EXPECT_EQ(StartPointDeltaText(DeltaFromStart(logical, {0, 0}, {150, 0})),
              L"\u0394x 100  \u0394y 0  100  0,0\u00B0");
}

TEST(StartPointDelta, TheTipStandsBesideTheRulerAndInsideTheMonitor) {
    const Rect monitor{0, 0, 1280, 800};
    const Size tip{150, 20};
    const struct {
        Rect Ruler;
        bool Horizontal;
        Point Pointer;
        Point Place;
    } cases[] = {
        {{300, 200, 900, 250}, true, {500, 220}, {504, 254}},    // below, after the pointer
        {{300, 760, 900, 800}, true, {500, 780}, {504, 736}},    // above at the bottom
        {{300, 200, 1280, 250}, true, {1200, 220}, {1046, 254}}, // before the pointer at the right
        {{300, 100, 350, 700}, false, {320, 400}, {354, 404}},   // right, below the pointer
        {{1230, 100, 1280, 700}, false, {1250, 400}, {1076, 404}}, // left at the right edge
        {{300, 100, 350, 800}, false, {320, 790}, {354, 766}}, // above the pointer at the bottom
    };
    for (const auto& c : cases)
        EXPECT_EQ(StartTipPlace(c.Ruler, c.Horizontal, c.Pointer, tip, monitor, 4), c.Place)
            << c.Pointer.X << "," << c.Pointer.Y;
}
