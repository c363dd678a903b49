#include "ruler/RulerRenderer.h"
#include "RasterCanvas.h"
#include "util/ColorMath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr TColor Ticks = 0x123456;
constexpr TColor Frame = 0x989898; // silver darkened by 40

RulerFace Horizontal(TRulerUnit unit, int width = 600, double pixelsPerMM = 3.78) {
    RulerFace f;
    f.Client = {width, 49};
    f.Scale.fRulerUnit = unit;
    f.Look.FColorTicks = Ticks;
    f.Scale.Converter.SetPixelsPerMMX(pixelsPerMM);
    f.Scale.Converter.SetPixelsPerMMY(pixelsPerMM);
    return f;
}

RulerFace Vertical(TRulerUnit unit, int height = 400) {
    RulerFace f = Horizontal(unit);
    f.Client = {57, height};
    f.Look.fTickPosition = VerticalTickPosition;
    f.Look.FTickMarkerPosition = VerticalTickMarkerPosition;
    return f;
}

RasterCanvas Render(const RulerFace& face) {
    RasterCanvas c(face.Client.Width, face.Client.Height);
    RenderRulerFace(c, face);
    return c;
}

// Tick length at the top edge below the frame row (the frame covers row 0).
int TopTick(const RasterCanvas& c, int x) {
    return c.RunDown(x, 1, Ticks);
}
int BottomTick(const RasterCanvas& c, int x) {
    int n = 0;
    while (c.At(x, c.Height - 2 - n) == Ticks)
        ++n;
    return n;
}
int LeftTick(const RasterCanvas& c, int y) {
    return c.RunRight(1, y, Ticks);
}

int CountBold(const RasterCanvas& c) {
    int n = 0;
    for (const auto& t : c.Texts)
        n += t.Bold;
    return n;
}

} // namespace

TEST(RulerRenderer, Pixel32HorizontalTicksAndLabels) {
    const auto c = Render(Horizontal(ruPixel32));
    // Tick lengths 12, 8 and 5 less the frame row.
    EXPECT_EQ(TopTick(c, 31), 11);
    EXPECT_EQ(TopTick(c, 63), 11);
    EXPECT_EQ(TopTick(c, 95), 11);
    EXPECT_EQ(TopTick(c, 127), 11);
    EXPECT_EQ(TopTick(c, 15), 7);
    EXPECT_EQ(TopTick(c, 47), 7);
    EXPECT_EQ(TopTick(c, 1), 4);
    EXPECT_EQ(TopTick(c, 597), 4);
    EXPECT_EQ(TopTick(c, 599), 0); // the frame column
    EXPECT_EQ(TopTick(c, 30), 0);
    EXPECT_EQ(TopTick(c, 2), 0);
    // The bottom edge mirrors the top; its base line lies just outside.
    EXPECT_EQ(BottomTick(c, 31), 10);
    EXPECT_EQ(BottomTick(c, 15), 6);
    EXPECT_EQ(BottomTick(c, 1), 3);
    EXPECT_EQ(BottomTick(c, 30), 0);

    // Labels on the top edge only, centred across the ruler and on the tick.
    ASSERT_EQ(c.Texts.size(), 18u); // 32 .. 576
    EXPECT_EQ(CountBold(c), 4);     // 128, 256, 384, 512
    const auto* l32 = c.TextAt(L"32");
    ASSERT_NE(l32, nullptr);
    EXPECT_EQ(l32->X, 31 - 6);
    EXPECT_EQ(l32->Y, (49 - 13) / 2);
    EXPECT_FALSE(l32->Bold);
    EXPECT_EQ(l32->Color, Ticks);
    const auto* l128 = c.TextAt(L"128");
    ASSERT_NE(l128, nullptr);
    EXPECT_TRUE(l128->Bold);
    EXPECT_EQ(l128->X, 127 - 21 / 2);
    EXPECT_NE(c.TextAt(L"64"), nullptr);
    EXPECT_NE(c.TextAt(L"96"), nullptr);
    EXPECT_EQ(c.TextAt(L"16"), nullptr);
}

TEST(RulerRenderer, FaceIsAGradientInsideADarkerFrame) {
    const auto c = Render(Horizontal(ruPixel32));
    EXPECT_EQ(c.At(0, 0), Frame);
    EXPECT_EQ(c.At(599, 0), Frame);
    EXPECT_EQ(c.At(599, 48), Frame);
    EXPECT_EQ(c.At(0, 48), Frame);
    EXPECT_EQ(c.At(0, 20), Frame);
    EXPECT_EQ(c.At(599, 20), Frame);
    EXPECT_EQ(c.At(300, 0), Frame);
    EXPECT_EQ(c.At(300, 48), Frame);
    // Lighter at the top, the background colour towards the bottom.
    const TColor top = c.At(2, 1), bottom = c.At(2, 47);
    EXPECT_GT(RedOf(top), RedOf(bottom));
    EXPECT_GE(RedOf(top), 0xEA);
    EXPECT_LE(RedOf(bottom), 0xC1);
    EXPECT_EQ(c.At(2, 20), c.At(300, 20)); // rows are uniform
    for (TColor p : c.Pixels)
        ASSERT_NE(p, RasterCanvas::Unpainted);
}

TEST(RulerRenderer, Pixel20LabelsEveryFortyBoldEveryTwoHundred) {
    const auto c = Render(Horizontal(ruPixel20));
    EXPECT_EQ(TopTick(c, 99), 11);
    EXPECT_EQ(c.TextAt(L"100"), nullptr);
    EXPECT_EQ(TopTick(c, 39), 7);
    const auto* l40 = c.TextAt(L"40");
    ASSERT_NE(l40, nullptr);
    EXPECT_EQ(l40->X, 39 - 6);
    EXPECT_FALSE(l40->Bold);
    EXPECT_EQ(TopTick(c, 199), 11);
    const auto* l200 = c.TextAt(L"200");
    ASSERT_NE(l200, nullptr);
    EXPECT_TRUE(l200->Bold);
    EXPECT_EQ(TopTick(c, 3), 4); // value 4
    EXPECT_EQ(TopTick(c, 5), 0); // value 6
}

TEST(RulerRenderer, MillimetresAtNormalDensity) {
    const auto c = Render(Horizontal(ruMillimeter, 600, 3.78));
    // Millimetre 10 first appears at x = 36 (36 / 3.78 = 9.52).
    EXPECT_EQ(TopTick(c, 36), 11);
    EXPECT_EQ(TopTick(c, 35), 0);
    const auto* l10 = c.TextAt(L"10");
    ASSERT_NE(l10, nullptr);
    EXPECT_EQ(l10->X, 36 - 6);
    EXPECT_FALSE(l10->Bold);
    EXPECT_EQ(TopTick(c, 2), 4);  // millimetre 1
    EXPECT_EQ(TopTick(c, 18), 7); // 18 / 3.78 = 4.76 -> 5
    EXPECT_EQ(TopTick(c, 17), 0); // still millimetre 4
    ASSERT_NE(c.TextAt(L"50"), nullptr);
    EXPECT_TRUE(c.TextAt(L"50")->Bold);
    EXPECT_TRUE(c.TextAt(L"100")->Bold);
    EXPECT_EQ(c.Texts.size(), 15u); // 10 .. 150 (600 / 3.78 = 158.7)
}

TEST(RulerRenderer, MillimetresAtLowDensity) {
    const auto c = Render(Horizontal(ruMillimeter, 600, 1.5));
    EXPECT_EQ(c.TextAt(L"10"), nullptr);
    EXPECT_NE(c.TextAt(L"20"), nullptr);
    EXPECT_EQ(c.TextAt(L"50"), nullptr);
    EXPECT_EQ(c.TextAt(L"150"), nullptr);
    ASSERT_NE(c.TextAt(L"100"), nullptr);
    EXPECT_TRUE(c.TextAt(L"100")->Bold);
    EXPECT_EQ(TopTick(c, 75), 11); // millimetre 50: a large tick without label
    EXPECT_EQ(TopTick(c, 7), 7);   // millimetre 5
    EXPECT_EQ(TopTick(c, 1), 0);   // millimetre 1: no small ticks
}

TEST(RulerRenderer, MillimetresBelowPointNineKeepTenMillimetreTicks) {
    const auto c = Render(Horizontal(ruMillimeter, 600, 0.8));
    // Every 4th pixel is a multiple of 5 millimetres; only the tens get ticks:
    // 75 per edge (10 .. 750), plus the four frame lines.
    EXPECT_EQ(TopTick(c, 4), 0);
    EXPECT_EQ(TopTick(c, 8), 11);
    EXPECT_EQ(c.LineCount, 2 * 75 + 4);
}

TEST(RulerRenderer, HorizontalTwipsTickOnEverySecondNumber) {
    const auto c = Render(Horizontal(ruTwip));
    // At 15 twips per pixel the numbers change at 8 (1), 23 (2), 38 (3), 53 (4).
    EXPECT_EQ(TopTick(c, 23), 4);
    EXPECT_EQ(TopTick(c, 53), 4);
    EXPECT_EQ(TopTick(c, 8), 0);
    EXPECT_EQ(TopTick(c, 24), 0);
    EXPECT_EQ(c.LineCount, 2 * 20 + 4); // numbers 1 .. 40
    EXPECT_TRUE(c.Texts.empty());
}

TEST(RulerRenderer, VerticalPixel32) {
    const auto c = Render(Vertical(ruPixel32));
    EXPECT_EQ(LeftTick(c, 31), 11);
    EXPECT_EQ(LeftTick(c, 15), 7);
    EXPECT_EQ(LeftTick(c, 1), 4);
    EXPECT_EQ(LeftTick(c, 30), 0);
    EXPECT_EQ(c.RunRight(46, 31, Ticks), 10); // right edge: 57 - 12 .. 55
    const auto* l32 = c.TextAt(L"32");
    ASSERT_NE(l32, nullptr);
    EXPECT_EQ(l32->X, (57 - 12) / 2);
    EXPECT_EQ(l32->Y, 31 - 13 / 2);
    EXPECT_EQ(c.Texts.size(), 12u); // 32 .. 384
    // The gradient runs from left (lighter) to right.
    EXPECT_GT(RedOf(c.At(1, 2)), RedOf(c.At(55, 2)));
    EXPECT_EQ(c.At(30, 2), c.At(30, 200));
}

TEST(RulerRenderer, VerticalTwipsCountLikePixels) {
    const auto c = Render(Vertical(ruTwip));
    EXPECT_EQ(LeftTick(c, 1), 4);
    EXPECT_EQ(LeftTick(c, 3), 4);
    EXPECT_EQ(LeftTick(c, 2), 0);
}

TEST(RulerRenderer, EmptyLengthDrawsNoTicks) {
    const auto h = Render(Horizontal(ruPixel32, 0));
    EXPECT_TRUE(h.Texts.empty());
    EXPECT_EQ(h.LineCount, 4); // the frame alone
    EXPECT_EQ(h.FillCount, 0);
    const auto v = Render(Vertical(ruMillimeter, 0));
    EXPECT_TRUE(v.Texts.empty());
    EXPECT_EQ(v.LineCount, 4);
}

TEST(RulerRenderer, UncentredLabelsUseTheRowsTextPosition) {
    RulerFace f = Horizontal(ruMillimeter);
    f.Look.FCenterMarker = false;
    f.Look.FTickMarkerPosition = {tpBottom};
    const auto c = Render(f);
    ASSERT_NE(c.TextAt(L"10"), nullptr);
    EXPECT_EQ(c.TextAt(L"10")->Y, 49 - 27);
    EXPECT_EQ(c.TextAt(L"50")->Y, 49 - 27);

    RulerFace v = Vertical(ruPixel32);
    v.Look.FCenterMarker = false;
    v.Look.FTickMarkerPosition = {tpRight};
    const auto cv = Render(v);
    ASSERT_NE(cv.TextAt(L"32"), nullptr);
    EXPECT_EQ(cv.TextAt(L"32")->X, 57 - 34);
}

TEST(RulerRenderer, SystemColoursAreResolvedForTheCanvas) {
    RulerFace f = Horizontal(ruPixel32, 100);
    f.Look.FColorTicks = clWindow;
    f.Look.FColorBack = clBtnFace;
    RulerFace resolved = f;
    resolved.Look.FColorTicks = GetRealColor(clWindow) & 0xFFFFFF;
    resolved.Look.FColorBack = GetRealColor(clBtnFace) & 0xFFFFFF;
    const auto c = Render(f);
    EXPECT_EQ(c.At(31, 5), resolved.Look.FColorTicks);
    EXPECT_EQ(c.At(0, 0), ColorBrightness(clBtnFace, -40));
    EXPECT_EQ(c.Pixels, Render(resolved).Pixels);
}

namespace {

// Text as a 192-DPI font measures it: twice the width and height.
class HighDpiCanvas : public RasterCanvas {
  public:
    using RasterCanvas::RasterCanvas;
    Size TextExtent(const std::wstring& text, bool bold) const override {
        const Size normal = RasterCanvas::TextExtent(text, bold);
        return {normal.Width * 2, normal.Height * 2};
    }
};

// The gap between neighbouring labels along the ruler (negative: overlap).
int SmallestLabelGap(const RulerFace& face, const HighDpiCanvas& c) {
    const bool vertical = face.Look.fTickPosition.Contains(tpLeft);
    std::vector<std::pair<int, int>> spans;
    for (const auto& t : c.Texts) {
        const Size e = c.TextExtent(t.Text, t.Bold);
        spans.push_back(vertical ? std::pair{t.Y, t.Y + e.Height} : std::pair{t.X, t.X + e.Width});
    }
    std::sort(spans.begin(), spans.end());
    int smallest = 1 << 30;
    for (std::size_t i = 1; i < spans.size(); ++i)
        smallest = std::min(smallest, spans[i].first - spans[i - 1].second);
    return smallest;
}

} // namespace

TEST(LabelStride, PowersOfTwoUntilLabelsKeepTheirGap) {
    struct Case {
        double step;
        int extent;
        int gap;
        int stride;
    };
    for (const Case& c :
         {Case{32, 18, 3, 1}, Case{32, 29, 3, 1}, Case{32, 30, 3, 2}, Case{32, 60, 6, 4},
          Case{40, 200, 6, 8}, Case{0, 50, 2, 1}, Case{-5, 50, 2, 1}, Case{1e-9, 50, 2, 1 << 20}})
        EXPECT_EQ(LabelStride(c.step, c.extent, c.gap), c.stride)
            << c.step << " " << c.extent << " " << c.gap;
    EXPECT_TRUE(LabelKept(128, 32, 4));
    EXPECT_FALSE(LabelKept(96, 32, 4));
    EXPECT_TRUE(LabelKept(96, 32, 1));
    EXPECT_TRUE(LabelKept(50, 0, 4)); // a unit without a label step thins nothing
}

TEST(RulerRenderer, LabelsThinOutRatherThanTouchAtHighDpi) {
    for (TRulerUnit unit : {ruPixel20, ruPixel32, ruPixel50, ruMillimeter}) {
        for (const RulerFace& face : {Horizontal(unit, 3840), Vertical(unit, 2160)}) {
            HighDpiCanvas c(face.Client.Width, face.Client.Height);
            RenderRulerFace(c, face);
            ASSERT_GE(c.Texts.size(), 2u) << unit;
            EXPECT_GE(SmallestLabelGap(face, c), 2) << "unit " << unit;
        }
    }
    // Pixel 32 at twice the size: "3840" in bold is 56 wide plus a gap of 6,
    // so every second label stays; the bold ones are among them.
    HighDpiCanvas c(3840, 49);
    RenderRulerFace(c, Horizontal(ruPixel32, 3840));
    EXPECT_EQ(c.TextAt(L"32"), nullptr);
    EXPECT_NE(c.TextAt(L"64"), nullptr);
    EXPECT_EQ(c.TextAt(L"96"), nullptr);
    ASSERT_NE(c.TextAt(L"128"), nullptr);
    EXPECT_TRUE(c.TextAt(L"128")->Bold);
    EXPECT_EQ(c.Texts.size(), 3840u / 64);
}

// The new units label every centimetre, inch, inch of points and 50 logical
// pixels, with the label's own number, at the pixel the length falls on.
TEST(RulerRenderer, NewUnitsLabelTheirWholeUnitsWhereTheyFall) {
    struct Case {
        TRulerUnit Unit;
        int Dpi;
        double PixelsPerMM;
        std::vector<std::pair<int, std::wstring>> Labels; // centre and text, the first few
    };
    const Case cases[] = {
        {ruCentimeter, 96, 3.78, {{38, L"1"}, {76, L"2"}, {113, L"3"}}},
        {ruInch, 96, 3.78, {{96, L"1"}, {192, L"2"}, {288, L"3"}}},
        // 72 pt is 96 pixels here; on a dense screen an inch is long, and
        // half inches get labels too.
        {ruPoint, 96, 3.78, {{96, L"72"}, {192, L"144"}}},
        {ruPoint, 96, 7.56, {{96, L"36"}, {192, L"72"}}},
        // 50 logical pixels are 75 device pixels at 144 DPI.
        {ruLogicalPixel, 144, 3.78, {{73, L"50"}, {148, L"100"}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(int(k.Unit));
        RulerFace face = Horizontal(k.Unit, 600, k.PixelsPerMM);
        face.Scale.Dpi = k.Dpi;
        RasterCanvas c(face.Client.Width, face.Client.Height);
        RenderRulerFace(c, face);
        ASSERT_GE(c.Texts.size(), k.Labels.size());
        for (std::size_t i = 0; i < k.Labels.size(); ++i) {
            const auto& t = c.Texts[i];
            const int centre = t.X + static_cast<int>(t.Text.size()) * RasterCanvas::CharWidth / 2;
            EXPECT_EQ(t.Text, k.Labels[i].second);
            EXPECT_NEAR(centre, k.Labels[i].first, 1) << i;
        }
    }
}

TEST(RulerRenderer, PinnedMarksAreLinesAcrossTheFaceUnderItsFrameWithTheirLabels) {
    RulerFace face = Horizontal(ruPixel32);
    face.Marks.Positions = {100, 236};
    face.Marks.PositionTexts = {L"101", L"237"};
    face.Marks.Distances = {L"137"};
    face.Marks.Color = 0x008000;
    const RasterCanvas c = Render(face);
    for (int y = 1; y < 48; ++y) {
        EXPECT_EQ(c.At(100, y), 0x008000) << y;
        EXPECT_EQ(c.At(236, y), 0x008000) << y;
    }
    EXPECT_EQ(c.At(100, 0), Frame) << "the frame stays whole";
    const auto drawn = [&](const std::wstring& text) {
        return std::any_of(c.Texts.begin(), c.Texts.end(),
                           [&](const auto& t) { return t.Text == text && t.Color == 0x008000; });
    };
    EXPECT_TRUE(drawn(L"101") && drawn(L"237") && drawn(L"137"));
    // A face without marks differs from one with them: the cache renders anew.
    EXPECT_NE(face, Horizontal(ruPixel32));
}
