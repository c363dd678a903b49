#include "settings/ColorPopup.h"
#include "settings/ColorPickerButtonRules.h"

#include "RasterCanvas.h"

#include <gtest/gtest.h>

namespace {

// Text 15 pixels high, as the popup's font on a 96-DPI screen.
class PopupCanvas : public RasterCanvas {
  public:
    PopupCanvas(int w, int h) : RasterCanvas(w, h) {}
    Size TextExtent(const std::wstring& text, bool) const override {
        return {static_cast<int>(text.size()) * 6, 15};
    }
};

struct PopupShape {
    const wchar_t* DefaultText;
    const wchar_t* CustomText;
    bool SysColors;
    bool CustomClick;
};

// The settings dialog's buttons, and the other shapes the popup can take.
constexpr PopupShape Shapes[] = {
    {L"Standard", L"Weitere...", false, false},
    {L"Standard", L"Weitere...", true, true},
    {L"", L"", false, false},
    {L"", L"Weitere...", true, true},
};

TColorPopup MakePopup(const PopupShape& s, int dpi = 96) {
    TColorPopup popup;
    popup.DefaultText = s.DefaultText;
    popup.CustomText = s.CustomText;
    popup.ShowSysColors = s.SysColors;
    popup.HasCustomClick = s.CustomClick;
    popup.DefaultColor = 0x123456;
    const PopupCanvas canvas(1, 1);
    popup.AdjustWindow(canvas, dpi == 96 ? 2 : 3, dpi);
    return popup;
}

} // namespace

TEST(ColorPopupTest, LayoutOfTheSettingsDialogsPopup) {
    TColorPopup popup = MakePopup(Shapes[0]);
    EXPECT_EQ(popup.WindowSize(), (Size{164, 308}));
    EXPECT_EQ(popup.DefaultTextRect(), (Rect{10, 4, 154, 29}));
    EXPECT_EQ(popup.CustomTextRect(), (Rect{10, 127, 154, 152}));
    EXPECT_EQ(popup.ColorCombRect(), (Rect{10, 156, 136, 282}));
    EXPECT_EQ(popup.BWCombRect(), (Rect{10, 278, 147, 304}));
    EXPECT_EQ(popup.SliderRect(), (Rect{136, 167, 156, 271}));
    EXPECT_EQ(popup.Radius(), 63);
    EXPECT_EQ(popup.CombSize(), 11);
    popup.ShowCombs = false;
    EXPECT_EQ(popup.WindowSize(), (Size{164, 156}));
    EXPECT_EQ(MakePopup(Shapes[0], 144).WindowSize(), (Size{246, 443}));
}

TEST(ColorPopupTest, EveryPixelOfACellHitsThatCellAndTheGapsHitNothing) {
    for (const PopupShape& s : Shapes) {
        for (int dpi : {96, 144}) {
            const TColorPopup popup = MakePopup(s, dpi);
            const Size size = popup.WindowSize();
            std::vector<int> hits(static_cast<std::size_t>(size.Width * size.Height), CellNone);
            for (int i = 0; i <= popup.LastCell(); ++i) {
                EXPECT_EQ(popup.GetIndex(popup.GetRow(i), popup.GetColumn(i)), i);
                const Rect r = popup.GetCellRect(i);
                for (int y = r.Top; y < r.Bottom; ++y)
                    for (int x = r.Left; x < r.Right; ++x)
                        hits[static_cast<std::size_t>(y * size.Width + x)] = i;
            }
            if (*s.DefaultText) {
                const Rect r = popup.DefaultTextRect();
                for (int y = r.Top; y < r.Bottom; ++y)
                    for (int x = r.Left; x < r.Right; ++x)
                        hits[static_cast<std::size_t>(y * size.Width + x)] = CellDefault;
            }
            if (s.CustomClick && *s.CustomText) {
                const Rect r = popup.CustomTextRect();
                for (int y = r.Top; y < r.Bottom; ++y)
                    for (int x = r.Left; x < r.Right; ++x)
                        hits[static_cast<std::size_t>(y * size.Width + x)] = CellCustom;
            }
            int mismatches = 0;
            for (int y = 0; y < size.Height; ++y)
                for (int x = 0; x < size.Width; ++x)
                    if (popup.SelectionFromPoint({x, y}) !=
                        hits[static_cast<std::size_t>(y * size.Width + x)])
                        ++mismatches;
            EXPECT_EQ(mismatches, 0) << s.DefaultText << " sys " << s.SysColors << " dpi " << dpi;
        }
    }
}

TEST(ColorPopupTest, CombsHitTheCombPaintedUnderThem) {
    TColorPopup popup = MakePopup(Shapes[0]);
    ASSERT_EQ(popup.ColorCombs().size(), 127u);
    ASSERT_EQ(popup.BWCombs().size(), 17u);
    const Size size = popup.WindowSize();
    RasterCanvas canvas(size.Width, size.Height);
    popup.DrawCombControls(canvas, 0x00C0C0C0 + 1);
    for (int i = 0; i < 127; ++i) {
        const Point c = popup.ColorCombCentre(i);
        EXPECT_EQ(popup.FindColorArea(c), i);
        EXPECT_EQ(canvas.At(c.X, c.Y), popup.ColorCombs()[static_cast<std::size_t>(i)].Color) << i;
    }
    for (int i = 0; i < 17; ++i) {
        const Point c = popup.BWCombCentre(i);
        EXPECT_EQ(popup.FindBWArea(c), i);
        EXPECT_EQ(canvas.At(c.X, c.Y), popup.BWCombs()[static_cast<std::size_t>(i)].Color) << i;
    }
    // Greys run from white through 225 .. 15 to black.
    EXPECT_EQ(popup.BWCombs()[0].Color, clWhite);
    EXPECT_EQ(popup.BWCombs()[1].Color, 0xE1E1E1);
    EXPECT_EQ(popup.BWCombs()[15].Color, 0x0F0F0F);
    EXPECT_EQ(popup.BWCombs()[16].Color, clBlack);
    // The slider's ramp: white at its top, black at its bottom.
    const Rect slider = popup.SliderRect();
    EXPECT_EQ(canvas.At(slider.Left, slider.Top), clWhite);
    EXPECT_EQ(canvas.At(slider.Left, slider.Bottom - 1), clBlack);
}

TEST(ColorPopupTest, TheSliderDarkensTheCentreAndKeepsTheCorners) {
    TColorPopup popup = MakePopup(Shapes[0]);
    const auto outerCorners = [&] {
        // The first comb of each side of the outer ring: the six corner colours.
        std::vector<TColor> corners;
        const int firstOuter = 1 + 3 * 6 * 5; // after the centre and rings 1..5
        for (int k = 0; k < 6; ++k)
            corners.push_back(
                popup.ColorCombs()[static_cast<std::size_t>(firstOuter + 6 * k)].Color);
        return corners;
    };
    const std::vector<TColor> corners = {0xFF00FF, 0x0000FF, 0x00FFFF,
                                         0x00FF00, 0xFFFF00, 0xFF0000};
    EXPECT_EQ(outerCorners(), corners);
    EXPECT_EQ(popup.ColorCombs()[0].Color, clWhite);

    const Rect slider = popup.SliderRect();
    EXPECT_EQ(popup.MouseDown({slider.Left + 2, slider.Top + 1}), TPopupReply::Stay);
    popup.MouseMove({slider.Left + 2, slider.Bottom + 20}, true); // dragged below: clamped
    EXPECT_EQ(popup.SelectionMode(), TSelectionMode::smRamp);
    EXPECT_EQ(popup.CenterIntensity(), 0);
    EXPECT_EQ(popup.ColorCombs()[0].Color, clBlack);
    EXPECT_EQ(popup.ColorCombs()[1].Color, 0x2A002A); // the inner ring darkens too
    EXPECT_EQ(outerCorners(), corners);
    EXPECT_EQ(popup.SliderPointerTip(), (Point{slider.Left + 11, slider.Bottom - 1}));
    EXPECT_EQ(popup.MouseUp({slider.Left + 2, slider.Bottom + 20}), TPopupReply::Stay);
    EXPECT_EQ(popup.GetHint({slider.Left + 1, slider.Top + 3}).Text, L"Intensity: 0%");
}

TEST(ColorPopupTest, MouseChoices) {
    struct Case {
        const char* What;
        TColor Open;
        std::vector<std::pair<char, Point>> Steps; // 'd' down, 'm' move held, 'u' up
        TPopupReply Reply;                         // of the last step
        std::optional<TColor> Color;
        bool Default;
    };
    TColorPopup layout = MakePopup(Shapes[0]);
    const Rect red = layout.GetCellRect(16);
    const Point redCentre{red.Left + 9, red.Top + 9};
    const Point defaultEntry{layout.DefaultTextRect().Left + 5, layout.DefaultTextRect().Top + 5};
    const Point combCentre = layout.ColorCombCentre(1);
    const TColor combColor = layout.ColorCombs()[1].Color;
    const Point white = layout.BWCombCentre(0);
    const Point hiddenMore{layout.CustomTextRect().Left + 3, layout.CustomTextRect().Top + 3};
    const Case cases[] = {
        {"cell",
         0,
         {{'d', redCentre}, {'u', redCentre}},
         TPopupReply::EndSelection,
         0x0000FF,
         false},
        {"default",
         0,
         {{'d', defaultEntry}, {'u', defaultEntry}},
         TPopupReply::EndSelection,
         0x123456,
         true},
        {"comb",
         0,
         {{'d', combCentre}, {'u', combCentre}},
         TPopupReply::EndSelection,
         combColor,
         false},
        {"drag to grey",
         0,
         {{'d', {white.X + 40, white.Y}}, {'m', white}, {'u', white}},
         TPopupReply::EndSelection,
         clWhite,
         false},
        {"hidden entry",
         0,
         {{'d', hiddenMore}, {'u', hiddenMore}},
         TPopupReply::Stay,
         std::nullopt,
         false},
        {"outside", 0, {{'d', {-5, 10}}}, TPopupReply::Cancel, std::nullopt, false},
    };
    for (const Case& c : cases) {
        TColorPopup popup = MakePopup(Shapes[0]);
        popup.Open(c.Open);
        TPopupReply reply = TPopupReply::Stay;
        for (const auto& [kind, p] : c.Steps) {
            if (kind == 'd') reply = popup.MouseDown(p);
            if (kind == 'm') popup.MouseMove(p, true);
            if (kind == 'u') reply = popup.MouseUp(p);
        }
        EXPECT_EQ(reply, c.Reply) << c.What;
        if (reply != TPopupReply::EndSelection) continue;
        const TPopupEnd end = popup.EndSelection(false);
        EXPECT_EQ(end.Color, c.Color) << c.What;
        EXPECT_EQ(end.DefaultSelected, c.Default) << c.What;
    }
}

TEST(ColorPopupTest, KeyNavigation) {
    struct Case {
        int Shape;
        int From;
        TPopupKey Key;
        int To;
    };
    using enum TPopupKey;
    const Case cases[] = {
        // Default entry, hidden more-colours entry, 40 cells.
        {0, 9, Left, 8},
        {0, 8, Left, 7},
        {0, 0, Left, CellDefault},
        {0, CellDefault, Left, 39},
        {0, 3, Up, CellDefault},
        {0, 11, Up, 3},
        {0, 39, Right, CellDefault},
        {0, 7, Right, 8},
        {0, CellDefault, Right, 0},
        {0, 35, Down, CellDefault},
        {0, CellDefault, Down, 0},
        {0, CellNone, Down, 0},
        // Both entries and the system colours.
        {1, 0, Left, CellDefault},
        {1, CellDefault, Left, CellCustom},
        {1, CellCustom, Left, 64},
        {1, 64, Right, CellCustom},
        {1, CellCustom, Right, CellDefault},
        {1, 35, Down, 43},
        {1, 57, Down, CellCustom},
        {1, CellCustom, Down, CellDefault},
        {1, CellCustom, Up, 64},
        // No entries at all.
        {2, 0, Left, 39},
        {2, 39, Right, 0},
        {2, 36, Down, 0},
        {2, 4, Up, 39},
    };
    for (const Case& c : cases) {
        TColorPopup popup = MakePopup(Shapes[c.Shape]);
        popup.Open(clNone);
        popup.ChangeHoverSelection(c.From);
        EXPECT_EQ(popup.KeyDown(c.Key), TPopupReply::Stay);
        EXPECT_EQ(popup.HoverIndex(), c.To) << c.Shape << " from " << c.From;
    }
    // Enter takes the hovered cell; with nothing hovered the colour stays.
    TColorPopup popup = MakePopup(Shapes[0]);
    popup.Open(0x0000FF);
    EXPECT_EQ(popup.KeyDown(Enter), TPopupReply::Cancel);
    EXPECT_TRUE(popup.EndSelection(true).Cancelled);
    popup.KeyDown(Right); // from the selected red cell
    EXPECT_EQ(popup.KeyDown(Space), TPopupReply::EndSelection);
    EXPECT_EQ(popup.EndSelection(false).Color, StandardColor(TCpbColorPal::cpOffice, 17));
    EXPECT_EQ(popup.KeyDown(Escape), TPopupReply::Cancel);
}

TEST(ColorPopupTest, SelectColorFindsCellsAndCombs) {
    TColorPopup popup = MakePopup(Shapes[1]);
    const TColor innerComb = popup.ColorCombs()[1].Color;
    struct Case {
        TColor Value;
        int Selected;
        int Custom;
    };
    const Case cases[] = {
        {clNone, CellNone, 0},
        {clDefault, CellDefault, 0},
        {0x0000FF, 16, 0},                             // "Red"
        {0xFF00FF, 24, 0},                             // "Pink"
        {static_cast<TColor>(0xFF00000F), 40 + 15, 0}, // button face, a system cell
        {0xE1E1E1, CellCustom, -2},                    // the first grey comb
        {innerComb, CellCustom, 2},
        {0x123457, CellNone, 0},
    };
    for (const Case& c : cases) {
        popup.SelectColor(c.Value);
        EXPECT_EQ(popup.SelectedIndex(), c.Selected) << std::hex << c.Value;
        EXPECT_EQ(popup.CustomIndex(), c.Custom) << std::hex << c.Value;
    }
}

TEST(ColorPopupTest, TablesAndHints) {
    EXPECT_EQ(StandardColor(TCpbColorPal::cpOffice, 1), 0x003399);   // "Brown" 993300
    EXPECT_EQ(StandardColor(TCpbColorPal::cpSwpCmyk, 0), 0xFFFF00);  // cyan
    EXPECT_EQ(StandardColor(TCpbColorPal::cpSwpCmyk, 5), 0xCCCCCC);  // 20 % black
    EXPECT_EQ(StandardColor(TCpbColorPal::cpSwpCmyk, 39), 0x000099); // (0.05, 0.7, 1, 0.35)
    EXPECT_EQ(SystemColorName(24), L"system color: info background");

    TColorPopup popup = MakePopup(Shapes[1]);
    const Rect lime = popup.GetCellRect(18);
    EXPECT_EQ(popup.GetHint({lime.Left + 1, lime.Top + 1}).Text, L"Lime");
    EXPECT_EQ(popup.GetHint({lime.Left + 1, lime.Top + 1}).Area, lime);
    const TPopupHint entry = popup.GetHint({popup.DefaultTextRect().Left + 1, 10});
    EXPECT_EQ(entry.Kind, TPopupHint::TKind::AskOwner);
    EXPECT_EQ(entry.Cell, CellDefault);
    const TPopupHint comb = popup.GetHint(popup.BWCombCentre(16));
    EXPECT_EQ(comb.Text, L"red: 0, green: 0, blue: 0");
    EXPECT_EQ(comb.HideTimeoutMs, 5000);
    popup.ColorPal = TCpbColorPal::cpSwpCmyk;
    EXPECT_EQ(popup.GetHint({lime.Left + 1, lime.Top + 1}).Kind, TPopupHint::TKind::None);
}

TEST(ColorPopupTest, PlacementBelowAboveAndInsideTheWorkArea) {
    const Size popup{164, 308};
    const Rect work{0, 0, 1280, 780};
    struct Case {
        Rect Button;
        Point Expected;
    };
    const Case cases[] = {
        {{100, 100, 190, 121}, {99, 121}},       // below, one pixel left
        {{100, 460, 190, 481}, {99, 472}},       // pulled up to end at the bottom
        {{100, 700, 190, 721}, {99, 700 - 308}}, // above the button
        {{1200, 100, 1290, 121}, {1280 - 164, 121}},
        {{0, 100, 90, 121}, {0, 121}}, // not left of the screen
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShowPopupAligned(c.Button, popup, work), c.Expected) << c.Button.Top;
    // A second monitor to the left keeps the popup on the button's monitor.
    EXPECT_EQ(ShowPopupAligned({-1900, 50, -1800, 71}, popup, {-1920, 0, 0, 1080}),
              (Point{-1901, 71}));
}

TEST(ColorPopupTest, EachCellShowsTheColourAClickOnItChooses) {
    for (const PopupShape& s : Shapes) {
        TColorPopup popup = MakePopup(s);
        popup.Open(0x0000FF); // "Red", cell 16
        const Size size = popup.WindowSize();
        RasterCanvas canvas(size.Width, size.Height);
        popup.PaintContent(canvas, false);
        for (int i = 0; i <= popup.LastCell(); ++i) {
            const Rect r = popup.GetCellRect(i);
            for (const Point p : {Point{r.Left + 4, r.Top + 4}, Point{r.Right - 5, r.Bottom - 5}})
                EXPECT_EQ(canvas.At(p.X, p.Y), CanvasColor(popup.GetColorFromIndex(i))) << i;
            // Selected cells stand out on the highlight colour.
            EXPECT_EQ(canvas.At(r.Left + 2, r.Top + 2),
                      CanvasColor(i == 16 ? static_cast<TColor>(0xFF000014) : clBtnFace))
                << i;
        }
        if (*s.DefaultText) {
            const Rect d = popup.DefaultTextRect();
            EXPECT_EQ(canvas.At(d.Left + 5, d.Top + d.Height() / 2), 0x123456);
            ASSERT_NE(canvas.TextAt(s.DefaultText), nullptr);
            EXPECT_EQ(canvas.TextAt(s.DefaultText)->Color, 0xEDCBA9); // the inverse
        }
        // The hidden more-colours entry is not written.
        EXPECT_EQ(canvas.TextAt(L"Weitere...") != nullptr, s.CustomClick && *s.CustomText);
    }
}

TEST(ColorPickerButtonTest, FaceCursorAndDropDown) {
    const TColorPickerButtonLayout layout = ColorPickerButtonLayout({120, 21}, 23);
    EXPECT_EQ(layout.Swatch, (Rect{0, 0, 94, 21}));
    EXPECT_EQ(layout.SwatchInside, (Rect{3, 3, 91, 18}));
    EXPECT_EQ(layout.SideButton, (Rect{97, 0, 120, 21}));
    EXPECT_EQ(ColorPickerCursor(layout, {10, 10}, true), TPickerCursor::Hand);
    EXPECT_EQ(ColorPickerCursor(layout, {95, 10}, true), TPickerCursor::Default);
    EXPECT_EQ(ColorPickerCursor(layout, {10, 10}, false), TPickerCursor::NoEntry);
    EXPECT_TRUE(ColorPickerButtonLayout({10, 4}, 23).SwatchInside.IsEmpty());

    using enum TDropDownAction;
    EXPECT_EQ(DropDownAction(true, false, true), Open);
    EXPECT_EQ(DropDownAction(true, true, true), None);
    EXPECT_EQ(DropDownAction(true, true, false), Close);
    EXPECT_EQ(DropDownAction(false, false, true), RaiseClick);
}
