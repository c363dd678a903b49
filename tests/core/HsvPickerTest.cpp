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
                                                     {7, 1, 4, 2},
                                                     {-7, 1, 4, -2},
                                                     {255, 44, 88, 128},
                                                     {100000, 100000, 100000, 100000},
                                                     {5, 7, 0, 0}})
        EXPECT_EQ(MulDivRound(t.a, t.b, t.c), t.expected) << t.a << "*" << t.b << "/" << t.c;
}

TEST(HsvPicker, ConversionsBothWays) {
    struct Case {
        TRGBTriple rgb;
        THSL hsl;
    };
    for (const Case& t : std::initializer_list<Case>{{Rgb(255, 0, 0), {0, 255, 255}},
                                                     {Rgb(0, 255, 0), {120, 255, 255}},
                                                     {Rgb(0, 0, 255), {240, 255, 255}},
                                                     {Rgb(255, 128, 0), {30, 255, 255}},
                                                     {Rgb(128, 128, 128), {0, 0, 128}},
                                                     {Rgb(0, 0, 0), {0, 0, 0}},
                                                     {Rgb(100, 150, 200), {210, 128, 200}}}) {
        EXPECT_EQ(RGBTripleToHSL(t.rgb), t.hsl) << t.hsl.H;
        EXPECT_EQ(HSLToRGBTriple(t.hsl), t.rgb) << t.hsl.H;
    }
    // Red above green, below blue: the hue comes out negative and wraps.
    EXPECT_EQ(RGBTripleToHSL(255, 0, 128), (THSL{330, 255, 255}));
    // The integer model loses a step here.
    EXPECT_EQ(RGBTripleToHSL(200, 100, 50), (THSL{20, 191, 200}));
    EXPECT_EQ(HSLToRGBTriple(20, 191, 200), Rgb(200, 101, 51));
}

TEST(HsvPicker, HSLToRGBClampsAndCoversEverySector) {
    EXPECT_EQ(HSLToRGBTriple(360, 255, 255), Rgb(255, 0, 0));
    EXPECT_EQ(HSLToRGBTriple(400, 300, 255), Rgb(255, 0, 0));
    EXPECT_EQ(HSLToRGBTriple(-20, 255, -5), Rgb(0, 0, 0));
    EXPECT_EQ(HSLToRGBTriple(90, 0, 300), Rgb(255, 255, 255));
    // Sectors 1 to 5 at f = 30, S = 255, L = 200: rising and falling are 100.
    EXPECT_EQ(HSLToRGBTriple(90, 255, 200), Rgb(100, 200, 0));
    EXPECT_EQ(HSLToRGBTriple(150, 255, 200), Rgb(0, 200, 100));
    EXPECT_EQ(HSLToRGBTriple(210, 255, 200), Rgb(0, 100, 200));
    EXPECT_EQ(HSLToRGBTriple(270, 255, 200), Rgb(100, 0, 200));
    EXPECT_EQ(HSLToRGBTriple(330, 255, 200), Rgb(200, 0, 100));
}

TEST(HsvPicker, SmallRoutines) {
    EXPECT_EQ(RGBToRGBTriple(-3, 300, 7), Rgb(0, 255, 7));
    EXPECT_EQ(RGBMaxValue(Rgb(3, 9, 5)), 9);
    EXPECT_EQ(RGBMinValue(Rgb(3, 9, 5)), 3);
    EXPECT_EQ(RGBTripleToTColor(TColorToRGBTriple(0x123456)), 0x123456);
    EXPECT_EQ(TColorToRGBTriple(clBtnFace), TColorToRGBTriple(GetRealColor(clBtnFace)));
    EXPECT_EQ(HexCharToInt(L'7'), 7);
    EXPECT_EQ(HexCharToInt(L'F'), 15);
    EXPECT_EQ(HexCharToInt(L'f'), -1);
    EXPECT_EQ(HexCharToInt(L'G'), -1);
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
    ASSERT_EQ(bar.Width, 88);
    ASSERT_EQ(bar.Height, 9);
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

TEST(HsvPickerModel, SquareRebuildsOnlyForANewHue) {
    TGraphicPanelModel square(tSatLum);
    square.SetSize(kSquare, 4);
    square.SetHSL({0, 255, 255});
    square.TakeRepaint();
    const int version = square.GradientVersion();

    // Same hue: the picture stays, the old and the new marker box repaint.
    square.SetHSL({0, 0, 255});
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
    EXPECT_EQ(square.Gradient().At(87, 0), HSLToRGBTriple(120, 252, 255));
}

TEST(HsvPickerModel, DragBeyondThePanelKeepsTheMarkerOnTheEdge) {
    THsvPickerModel picker;
    picker.SatLum.SetSize(kSquare, 4);
    picker.Hue.SetSize(kBar, 4);
    picker.SetPickColor(RGBColor(0, 0, 255));
    ASSERT_TRUE(picker.SatLum.PickAt({200, -50}));
    EXPECT_EQ(picker.SatLum.Marker(), (Point{87, 0}));
    EXPECT_EQ(picker.HSLChanged(ppSatLum, picker.SatLum.HSL()), RGBColor(0, 0, 255));
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

TEST(HsvPickerModel, GreyMovesOnlyTheMarkerWhenTheHueWasRed) {
    THsvPickerModel picker;
    picker.SatLum.SetSize(kSquare, 4);
    picker.SetPickColor(RGBColor(255, 0, 0));
    const int version = picker.SatLum.GradientVersion();
    picker.SetPickColor(RGBColor(100, 100, 100));
    EXPECT_EQ(picker.SatLum.HSL(), (THSL{0, 0, 100}));
    EXPECT_EQ(picker.SatLum.GradientVersion(), version);
    EXPECT_EQ(picker.SatLum.Marker().X, 0);
    picker.SetPickColor(RGBColor(0, 255, 0));
    picker.SetPickColor(RGBColor(100, 100, 100));
    EXPECT_EQ(picker.SatLum.GradientVersion(), version + 2);
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
                                                   {L'F', false, true, L'F'},
                                                   {L'g', false, false, L'g'},
                                                   {L'-', false, false, L'-'},
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
    EXPECT_EQ(edit.ParseChannel(L""), 0);
    EXPECT_EQ(edit.ParseChannel(L"300"), 255);
    EXPECT_EQ(edit.LeaveText(L"300"), L"255");
    EXPECT_EQ(edit.LeaveText(L""), L"0");
    EXPECT_EQ(edit.LeaveText(L"007"), L"7");
    EXPECT_EQ(edit.EditsChanged({L"300", L"", L"16"}), RGBTripleToHSL(255, 0, 16));
    EXPECT_EQ(edit.PickColor(), RGBColor(255, 0, 16));

    // Switching rewrites the values in the new format.
    edit.SetHexEdit(true);
    EXPECT_EQ(edit.MaxLength(), 2);
    EXPECT_EQ(edit.Texts(), (std::array<std::wstring, 3>{L"FF", L"0", L"10"}));
    EXPECT_EQ(edit.ParseChannel(L"A0"), 160);
    EXPECT_EQ(edit.LeaveText(L""), L"0");
}

TEST(HsvPickerModel, LayoutAtDpi) {
    EXPECT_EQ(TPickerLayout::AutoHeight(true), 130);
    EXPECT_EQ(TPickerLayout::AutoHeight(false), 113);
    EXPECT_EQ(ScaleToDpi(TPickerLayout::SatLum, 96), TPickerLayout::SatLum);
    EXPECT_EQ(ScaleToDpi(TPickerLayout::Hue, 144), (Rect{9, 147, 141, 161}));
}
