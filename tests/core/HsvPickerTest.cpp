#include "colour/HsvPicker.h"
#include "colour/HsvPickerModel.h"

#include <gtest/gtest.h>

namespace {

TRGBTriple Rgb(int r, int g, int b) {
    return RGBToRGBTriple(r, g, b);
}

constexpr Size kSquare{88, 88};
constexpr Size kBar{88, 9};

} // namespace

TEST(HsvPicker, MulDivRoundsHalvesAwayFromZero) {
    struct Case {
        int a, b, c, expected;
    };
    for (const Case& t : std::initializer_list<Case>{{1, 1, 2, 1},
                                                     {-1, 1, 2, -1},
                                                     {1, 1, -2, -1},
                                                     {5, 1, 4, 1},
                                                     {-7, 1, 4, -2},
                                                     {255, 44, 88, 128},
                                                     {100000, 100000, 100000, 100000},
                                                     {5, 7, 0, 0}})
        EXPECT_EQ(MulDivRound(t.a, t.b, t.c), t.expected) << t.a << "*" << t.b << "/" << t.c;
}

TEST(HsvPicker, Conversions) {
    enum Way { Both, ToHSL, ToRGB };
    struct Case {
        TRGBTriple rgb;
        THSL hsl;
        Way way;
    };
    for (const Case& t : std::initializer_list<Case>{
             {Rgb(255, 0, 0), {0, 255, 255}, Both},
             {Rgb(0, 255, 0), {120, 255, 255}, Both},
             {Rgb(128, 128, 128), {0, 0, 128}, Both},
             {Rgb(100, 150, 200), {210, 128, 200}, Both},
             {Rgb(255, 0, 128), {330, 255, 255}, Both}, // the hue came out negative
             {Rgb(200, 100, 50), {20, 191, 200}, ToHSL},
             {Rgb(200, 101, 51), {20, 191, 200}, ToRGB}, // the integer model loses a step
             // Sectors 1 to 5 at f = 30: rising and falling are 100.
             {Rgb(100, 200, 0), {90, 255, 200}, ToRGB},
             {Rgb(0, 200, 100), {150, 255, 200}, ToRGB},
             {Rgb(0, 100, 200), {210, 255, 200}, ToRGB},
             {Rgb(100, 0, 200), {270, 255, 200}, ToRGB},
             {Rgb(200, 0, 100), {330, 255, 200}, ToRGB},
             // Out of range values are clamped; 360 is red again.
             {Rgb(255, 0, 0), {360, 255, 255}, ToRGB},
             {Rgb(255, 0, 0), {400, 300, 255}, ToRGB},
             {Rgb(0, 0, 0), {-20, 255, -5}, ToRGB},
             {Rgb(255, 255, 255), {90, 0, 300}, ToRGB}}) {
        if (t.way != ToRGB) {
            EXPECT_EQ(RGBTripleToHSL(t.rgb), t.hsl) << t.hsl.H;
        }
        if (t.way != ToHSL) {
            EXPECT_EQ(HSLToRGBTriple(t.hsl), t.rgb) << t.hsl.H;
        }
    }
}

TEST(HsvPicker, SmallRoutines) {
    EXPECT_EQ(RGBToRGBTriple(-3, 300, 7), Rgb(0, 255, 7));
    EXPECT_EQ(RGBMaxValue(Rgb(3, 9, 5)), 9);
    EXPECT_EQ(RGBMinValue(Rgb(3, 9, 5)), 3);
    EXPECT_EQ(RGBTripleToTColor(TColorToRGBTriple(0x123456)), 0x123456);
    EXPECT_EQ(TColorToRGBTriple(clBtnFace), TColorToRGBTriple(GetRealColor(clBtnFace)));
    EXPECT_EQ(HexCharToInt(L'F'), 15);
    EXPECT_EQ(HexCharToInt(L'f'), -1);
    for (const auto& [text, value] :
         std::initializer_list<std::pair<std::wstring, int>>{{L"FF", 255},
                                                             {L"1A", 26},
                                                             {L"", 0},
                                                             {L"ff", 0},
                                                             {L"1G", 0},
                                                             {L"7FFFFFFF", 0x7FFFFFFF}})
        EXPECT_EQ(HexStringToInt(text), value) << text.size();
}

TEST(HsvPicker, Gradients) {
    const TRGBImage bar = CreateGradient(tHue, 77, kBar);
    EXPECT_EQ(bar.At(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(bar.At(44, 8), Rgb(0, 255, 255)); // hue 180, whatever hue was asked
    EXPECT_EQ(bar.At(87, 4), HSLToRGBTriple(MulDivRound(360, 87, 88), 255, 255));

    const TRGBImage square = CreateGradient(tSatLum, 120, kSquare);
    EXPECT_EQ(square.At(0, 0), Rgb(255, 255, 255));
    EXPECT_EQ(square.At(87, 0), HSLToRGBTriple(120, 252, 255));
    EXPECT_EQ(square.At(0, 87), Rgb(3, 3, 3));
    EXPECT_EQ(square.At(44, 44), HSLToRGBTriple(120, 128, 128));

    // An empty panel has no picture, and nothing divides by its size.
    for (const Size empty : {Size{0, 9}, Size{88, 0}, Size{0, 0}}) {
        EXPECT_TRUE(CreateGradient(tSatLum, 0, empty).Pixels.empty());
        Point p{3, 3};
        THSL hsl{1, 2, 3};
        EXPECT_FALSE(ClampPickPoint(tSatLum, p, empty));
        EXPECT_FALSE(UpdateHSL(tHue, p, empty, hsl));
        EXPECT_EQ(hsl, (THSL{1, 2, 3}));
    }
}

TEST(HsvPicker, MarkersAndMousePoints) {
    const THSL red{0, 255, 255};
    Point p = MarkerPoint(tSatLum, red, kSquare);
    EXPECT_EQ(p, (Point{88, 0}));
    ASSERT_TRUE(ClampPickPoint(tSatLum, p, kSquare));
    EXPECT_EQ(p, (Point{87, 0})); // top-right corner
    p = MarkerPoint(tHue, red, kBar);
    ASSERT_TRUE(ClampPickPoint(tHue, p, kBar));
    EXPECT_EQ(p, (Point{0, 4})); // left end, middle row
    p = {-10, 99};
    ClampPickPoint(tSatLum, p, kSquare);
    EXPECT_EQ(p, (Point{0, 87}));
    EXPECT_EQ(PickCircleBox({10, 20}, 4), (Rect{6, 16, 15, 25}));

    THSL hsl{200, 1, 1};
    ASSERT_TRUE(UpdateHSL(tSatLum, {44, 22}, kSquare, hsl));
    EXPECT_EQ(hsl, (THSL{200, 128, 191}));
    ASSERT_TRUE(UpdateHSL(tHue, {200, 3}, kBar, hsl));
    EXPECT_EQ(hsl, (THSL{818, 128, 191})); // not clamped until converted
}

// A grey (hue 0, saturation 0) on the red square only moves the marker.
TEST(HsvPickerModel, SquareRebuildsOnlyForANewHue) {
    TGraphicPanelModel square(tSatLum);
    square.SetSize(kSquare, 4);
    square.SetHSL({0, 255, 255});
    square.TakeRepaint();
    const int version = square.GradientVersion();

    // Same hue: the picture stays, the old and the new marker box repaint.
    square.SetHSL(RGBTripleToHSL(255, 255, 255));
    EXPECT_EQ(square.GradientVersion(), version);
    TRepaint repaint = square.TakeRepaint();
    EXPECT_FALSE(repaint.Whole);
    EXPECT_EQ(repaint.Boxes,
              (std::vector<Rect>{PickCircleBox({87, 0}, 4), PickCircleBox({0, 0}, 4)}));
    // 360 and a hue beyond it draw what 0 draws.
    square.SetHSL({360, 0, 255});
    square.SetHSL({-40, 0, 255});
    EXPECT_EQ(square.GradientVersion(), version);
    EXPECT_TRUE(square.TakeRepaint().IsEmpty());

    square.SetHSL({120, 0, 255});
    EXPECT_EQ(square.GradientVersion(), version + 1);
    EXPECT_TRUE(square.TakeRepaint().Whole);
}

TEST(HsvPickerModel, ChangesGoToTheOtherParts) {
    THsvPickerModel picker;
    picker.SatLum.SetSize(kSquare, 4);
    picker.Hue.SetSize(kBar, 4);
    picker.SetPickColor(RGBColor(255, 0, 0));
    EXPECT_EQ(picker.Hue.Marker(), (Point{0, 4}));

    // From the square: the bar and the edits take it.
    ASSERT_TRUE(picker.SatLum.PickAt({44, 22}));
    EXPECT_EQ(picker.HSLChanged(ppSatLum, picker.SatLum.HSL()),
              RGBTripleToTColor(HSLToRGBTriple(0, 128, 191)));
    EXPECT_EQ(picker.Hue.HSL(), (THSL{0, 128, 191}));
    EXPECT_EQ(picker.Edit.HSL(), (THSL{0, 128, 191}));
    // Dragged beyond the corner: the marker stays on the edge, the colour is clamped.
    ASSERT_TRUE(picker.SatLum.PickAt({200, -50}));
    EXPECT_EQ(picker.SatLum.Marker(), (Point{87, 0}));
    EXPECT_EQ(picker.HSLChanged(ppSatLum, picker.SatLum.HSL()), RGBColor(255, 0, 0));
    ASSERT_TRUE(picker.SatLum.PickAt({44, 22}));
    picker.HSLChanged(ppSatLum, picker.SatLum.HSL());

    // From the bar: the square gets a new picture for the new hue.
    const int version = picker.SatLum.GradientVersion();
    ASSERT_TRUE(picker.Hue.PickAt({44, 0}));
    picker.HSLChanged(ppHue, picker.Hue.HSL());
    EXPECT_EQ(picker.SatLum.GradientVersion(), version + 1);
    EXPECT_EQ(picker.SatLum.HSL(), (THSL{180, 128, 191}));
    EXPECT_EQ(picker.PickColor(), RGBTripleToTColor(HSLToRGBTriple(180, 128, 191)));

    // From the edits: both graphic panels, the edits keep their own colour.
    const THSL typed = picker.Edit.EditsChanged({L"300", L"", L"0"});
    EXPECT_EQ(picker.HSLChanged(ppRGBEdit, typed), RGBColor(255, 0, 0));
    EXPECT_EQ(picker.SatLum.HSL(), (THSL{0, 255, 255}));
    EXPECT_EQ(picker.Hue.Marker(), (Point{0, 4}));
}

// The way through the integer model would give (200, 101, 51) back.
TEST(HsvPickerModel, SetColourReadsBackUnchanged) {
    THsvPickerModel picker;
    EXPECT_EQ(picker.PickColor(), THsvPickerModel::InitialColor);
    picker.SetPickColor(RGBColor(200, 100, 50));
    EXPECT_EQ(picker.PickColor(), RGBColor(200, 100, 50));
    EXPECT_EQ(picker.Edit.Texts(), (std::array<std::wstring, 3>{L"200", L"100", L"50"}));
}

TEST(HsvPickerModel, EditRowKeysParsingAndLeaving) {
    TRGBEditModel edit;
    struct Key {
        wchar_t in;
        bool decimalPasses, hexPasses;
        wchar_t out;
    };
    for (const Key& k : std::initializer_list<Key>{{L'7', true, true, L'7'},
                                                   {L'\b', true, true, L'\b'},
                                                   {L'c', false, true, L'C'},
                                                   {L'g', false, false, L'g'},
                                                   {L' ', false, false, L' '}})
        for (const bool hex : {false, true}) {
            edit.SetHexEdit(hex);
            wchar_t key = k.in;
            EXPECT_EQ(edit.FilterKey(key), hex ? k.hexPasses : k.decimalPasses)
                << static_cast<int>(k.in) << hex;
            EXPECT_EQ(key, k.out);
        }

    edit.SetHexEdit(false);
    EXPECT_EQ(edit.MaxLength(), 3);
    EXPECT_EQ(edit.LeaveText(L"300"), L"255");
    EXPECT_EQ(edit.LeaveText(L""), L"0");
    EXPECT_EQ(edit.EditsChanged({L"300", L"", L"16"}), RGBTripleToHSL(255, 0, 16));
    EXPECT_EQ(edit.PickColor(), RGBColor(255, 0, 16));

    // Switching rewrites the values in the new format.
    edit.SetHexEdit(true);
    EXPECT_EQ(edit.MaxLength(), 2);
    EXPECT_EQ(edit.Texts(), (std::array<std::wstring, 3>{L"FF", L"0", L"10"}));
    EXPECT_EQ(edit.ParseChannel(L"A0"), 160);
    EXPECT_EQ(edit.LeaveText(L""), L"0");
}
