#include "colour/ColorPal.h"
#include "RasterCanvas.h"
#include "colour/PaletteTables.h"
#include "storage/MvIni.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Rgb(unsigned rrggbb) {
    return RGBColor(static_cast<int>(rrggbb >> 16), static_cast<int>((rrggbb >> 8) & 0xFF),
                    static_cast<int>(rrggbb & 0xFF));
}

struct TableCase {
    TMVPalette Kind;
    std::size_t Size;
    std::vector<std::pair<std::size_t, unsigned>> Entries; // index, RRGGBB
};

// A palette with its events counted.
struct Watched {
    TColorPal pal;
    int changes = 0;
    int repaints = 0;
    int repaintsNow = 0;
    bool allow = false;
    explicit Watched(TMVPalette kind, Size size = {50, 50}) {
        pal.SetPalette(kind);
        pal.SetSize(size);
        pal.OnColorChanged = [this](TColorPal&) { ++changes; };
        pal.OnAllowColorChanged = [this](TColorPal&, bool& doIt) { doIt = allow; };
        pal.OnRepaint = [this](bool now) { ++(now ? repaintsNow : repaints); };
    }
};

// 18 columns of 10 x 12 cells with 2-pixel gaps: 256 cells leave 4 in row 14.
constexpr Size Grid18{18 * 12 + 2, 15 * 14 + 2};

} // namespace

TEST(ColorPalTables, SizesAndKnownEntries) {
    // clang-format off
    const TableCase cases[] = {
        {TMVPalette::mvPal8, 8, {{0, 0x000000}, {1, 0xFF0000}, {2, 0x00FF00}, {6, 0x00FFFF}}},
        {TMVPalette::mvPal16, 16, {{1, 0x800000}, {8, 0xC0C0C0}, {12, 0x0000FF}, {15, 0xFFFFFF}}},
        {TMVPalette::mvPal256, 256, {{1, 0x000033}, {6, 0x003300}, {36, 0x330000}, {215, 0xFFFFFF},
            {216, 0x000000}, {217, 0x070707}, {219, 0x141414}, {254, 0xF8F8F8}, {255, 0xFFFFFF}}},
        {TMVPalette::mvPalWin, 48, {{0, 0xFF8080}, {7, 0xFF80FF}, {29, 0x0000A0}, {47, 0xFFFFFF}}},
        {TMVPalette::mvPalCreme, 16, {{0, 0xA09683}, {7, 0x0000BF}, {15, 0xA8CAF0}}},
        {TMVPalette::mvPalWeb120, 120, {{0, 0xF0F8FF}, {12, 0x6495ED}, {60, 0xFFB6C1}, {119, 0x9ACD32}}},
        // Rows of 18 in runs of six greens, the middle run falling; red climbs, then falls back.
        {TMVPalette::mvPalWeb216, 216, {{0, 0x000033}, {2, 0x006633}, {6, 0x00FF66}, {11, 0x000066},
            {12, 0x0000FF}, {18, 0x330033}, {108, 0xFF0000}, {215, 0x00FFCC}}},
        {TMVPalette::mvPalWordVista, 60, {{3, 0x1F497D}, {33, 0x548DD4}, {34, 0x548DD4}, {59, 0x974806}}},
    };
    // clang-format on
    for (const auto& c : cases) {
        const auto& cells = FixedPaletteCells(c.Kind);
        ASSERT_EQ(cells.size(), c.Size) << static_cast<int>(c.Kind);
        for (const auto& [index, rgb] : c.Entries)
            EXPECT_EQ(cells[index], Rgb(rgb)) << static_cast<int>(c.Kind) << " #" << index;
    }
    EXPECT_TRUE(FixedPaletteCells(TMVPalette::mvPalList).empty());
}

TEST(ColorPalTables, CellsAreStoredBlueInTheHighByte) {
    const auto& web = FixedPaletteCells(TMVPalette::mvPalWeb216);
    EXPECT_EQ(std::vector<TColor>(web.begin(), web.begin() + 3),
              (std::vector<TColor>{0x330000, 0x333300, 0x336600}));
}

TEST(ColorPalGeometry, PitchColumnsAndCellRectangles) {
    TColorPal pal; // 50 x 50, cells 10 x 12, gaps 2
    EXPECT_EQ(pal.GetSize(), (Size{50, 50}));
    EXPECT_EQ(pal.Columns(), 4); // (50 - 2) div 12
    EXPECT_EQ(pal.CellRect(5), (Rect{14, 16, 24, 28}));
    EXPECT_EQ(pal.FrameRect(5), (Rect{12, 14, 26, 30}));
    pal.SetSize({49, 50});
    EXPECT_EQ(pal.Columns(), 3);
    pal.SetSize({13, 50});
    EXPECT_EQ(pal.Columns(), 0);
    EXPECT_EQ(pal.CellIndexAt(5, 5), -1);
}

TEST(ColorPalHitTest, ClicksSelectCellsButNotGapsOrTheMissingEndOfTheLastRow) {
    struct Case {
        const char* What;
        int X, Y;
        int Cell; // selected afterwards; 0 (the initial cell) when nothing happens
    } const cases[] = {
        {"first cell", 2, 2, 0},
        {"cell 19", 12 + 2 + 9, 14 + 2 + 11, 19},
        {"left gap", 12, 20, 0},
        {"top gap", 20, 15, 0},
        {"last cell", 3 * 12 + 5, 14 * 14 + 5, 255},
        {"beyond the last cell in row 14", 4 * 12 + 5, 14 * 14 + 5, 0},
        {"right of the last column", 18 * 12 + 1, 5, 0},
        {"left of the control", -12, 2, 0},
        {"below the control", 2, Grid18.Height + 14, 0},
    };
    for (const auto& c : cases) {
        Watched w(TMVPalette::mvPal256, Grid18);
        w.pal.HookMouseDown(c.X, c.Y);
        EXPECT_TRUE(w.pal.Down) << c.What;
        EXPECT_EQ(w.pal.ActiveCell, c.Cell) << c.What;
        EXPECT_EQ(w.changes, c.Cell != 0 ? 1 : 0) << c.What;
        if (c.Cell != 0) {
            EXPECT_EQ(w.pal.ActiveColor(), w.pal.Pal[static_cast<std::size_t>(c.Cell)]) << c.What;
            EXPECT_EQ(w.pal.PrevCell, 0) << c.What;
            EXPECT_EQ(w.repaintsNow, 1) << c.What;
        }
    }
}

TEST(ColorPalHitTest, DraggingSelectsEachNewCellUntilTheButtonIsUp) {
    Watched w(TMVPalette::mvPal16);
    std::vector<int> seen;
    w.pal.OnColorChanged = [&](TColorPal& p) { seen.push_back(p.ActiveCell); };
    w.pal.MouseMove(15, 5); // no button yet
    w.pal.HookMouseDown(5, 5);
    for (int x : {8, 15, 24, 25, 27, 40})
        w.pal.MouseMove(x, 5);
    w.pal.MouseUp();
    w.pal.MouseMove(5, 20);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(w.pal.PrevCell, 2);
    EXPECT_FALSE(w.pal.Down);
    w.allow = true; // the owner may hear of clicks on the selected cell too
    w.pal.HookMouseDown(40, 5);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 3}));
}

TEST(ColorPalPaint, GapsInTheBackgroundCellsAndTheSelectionFrame) {
    // Creme has 16 cells; 5 columns leave one cell in the fourth row.
    Watched w(TMVPalette::mvPalCreme, {64, 64});
    w.pal.SetColor(clSilver);
    w.pal.SetActiveColor(Rgb(0x3892CD)); // cell 1
    RasterCanvas canvas(64, 64);
    w.pal.Paint(canvas);
    const auto& cells = FixedPaletteCells(TMVPalette::mvPalCreme);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_NE(canvas.At(x, y), RasterCanvas::Unpainted) << x << "," << y;
    EXPECT_EQ(canvas.At(0, 0), clSilver);
    EXPECT_EQ(canvas.At(2, 2), cells[0]);
    EXPECT_EQ(canvas.At(1, 5), clSilver);  // left of cell 0
    EXPECT_EQ(canvas.At(5, 14), clSilver); // between rows
    EXPECT_EQ(canvas.At(62, 5), clSilver); // right of the last column
    EXPECT_EQ(canvas.At(2, 3 * 14 + 2), cells[15]);
    EXPECT_EQ(canvas.At(1 * 12 + 5, 3 * 14 + 5), clSilver); // rest of the last row
    EXPECT_EQ(canvas.At(5, 4 * 14 + 1), clSilver);          // below the last row
    // Cell 1 in a 2-pixel white frame that covers the gaps around it.
    EXPECT_EQ(canvas.RunRight(12, 0, clWhite), 14);
    EXPECT_EQ(canvas.RunDown(12, 0, clWhite), 16);
    EXPECT_EQ(canvas.RunRight(12, 5, clWhite), 2);
    EXPECT_EQ(canvas.At(14, 2), cells[1]);
    EXPECT_EQ(canvas.At(24, 5), clWhite);
    EXPECT_EQ(canvas.At(26, 5), cells[2]);
    EXPECT_EQ(w.pal.ActiveColor(), cells[1]);
}

TEST(ColorPalActiveColor, SelectsTheFirstEqualCellAndClearsOnlyWhenAsked) {
    Watched w(TMVPalette::mvPalWordVista, {122, 86});
    w.pal.SetActiveColor(Rgb(0x548DD4)); // cells 33 and 34 both have it
    EXPECT_EQ(w.pal.ActiveCell, 33);
    EXPECT_EQ(w.pal.ActiveColor(), Rgb(0x548DD4));
    const int repaints = w.repaints;
    w.pal.SetActiveColor(Rgb(0x548DD4));
    EXPECT_EQ(w.repaints, repaints);

    w.pal.SetSelNoneIfNotFound(false);
    w.pal.SetActiveColor(Rgb(0x123456));
    EXPECT_EQ(w.pal.ActiveCell, 33);
    w.pal.SetSelNoneIfNotFound(true);
    w.pal.SetActiveColor(Rgb(0x123456));
    EXPECT_EQ(w.pal.ActiveCell, -1);
    EXPECT_EQ(w.pal.ActiveColor(), clNone);
    w.pal.SetActiveColor(Rgb(0x000000));
    EXPECT_EQ(w.pal.ActiveCell, 1);
    w.pal.SetActiveColor(clNone);
    EXPECT_EQ(w.pal.ActiveCell, -1);
    EXPECT_EQ(w.changes, 0);
}

TEST(ColorPalActiveColor, ASelectionBeyondASmallerPaletteShowsNothingUntilItGrowsBack) {
    Watched w(TMVPalette::mvPal256, Grid18);
    w.pal.HookMouseDown(3 * 12 + 5, 14 * 14 + 5);
    ASSERT_EQ(w.pal.ActiveCell, 255);
    w.pal.SetPalette(TMVPalette::mvPal8);
    EXPECT_EQ(w.pal.ActiveColor(), clNone);
    RasterCanvas canvas(Grid18.Width, Grid18.Height);
    w.pal.Paint(canvas);
    EXPECT_EQ(canvas.At(0, 0), clBlack); // no frame anywhere
    EXPECT_EQ(w.pal.ReplaceColor(clRed), TColorPal::NotAListPalette());
    w.pal.SetPalette(TMVPalette::mvPal256);
    EXPECT_EQ(w.pal.ActiveColor(), clWhite);
}

TEST(ColorPalList, EntriesAreBlueFirstAndFillAllPadsWithWhite) {
    TColorPal pal;
    pal.SetPalette(TMVPalette::mvPalList);
    pal.SetColors({L"0000FF", L"nonsense", L"00ff00"});
    pal.InitColors();
    EXPECT_EQ(pal.Pal, (std::vector<TColor>{clRed, clNone, 0x00FF00}));
    EXPECT_EQ(pal.MaxCells, 3);
    pal.SetPalListFillAll(true);
    EXPECT_FALSE(pal.InitDone);
    pal.SetActiveColor(clWhite);
    EXPECT_EQ(pal.MaxCells, 256);
    EXPECT_EQ(pal.ActiveCell, 3);
    EXPECT_EQ(pal.Colors().size(), 256u);
    EXPECT_EQ(pal.Colors()[255], L"FFFFFF");
    pal.SetColors(TStrings(300, L"000000"));
    pal.InitColors();
    EXPECT_EQ(pal.MaxCells, 256);
}

TEST(ColorPalList, ReplaceColorNeedsAListPaletteAndASelectedCell) {
    Watched w(TMVPalette::mvPal16);
    EXPECT_EQ(w.pal.ReplaceColor(clRed), TColorPal::NotAListPalette());
    w.pal.SetPalette(TMVPalette::mvPalList);
    w.pal.SetColors({L"000000"});
    w.pal.SetActiveColor(clNone);
    EXPECT_EQ(w.pal.ReplaceColor(clRed), TColorPal::NoCellSelected());
    EXPECT_FALSE(w.pal.Changed);
    EXPECT_EQ(w.pal.Colors(), (TStrings{L"000000"}));
}

TEST(ColorPalStoredForm, AnEmptyUserPaletteIsWhiteAndSavesOnlyItsChanges) {
    TMvIni ini(L"");
    ini.SetStrings(L"[ColorPalUser]\r\n");
    Watched w(TMVPalette::mvPalList);
    w.pal.SetPalListFillAll(true);
    w.pal.LoadFormIni(ini, L"ColorPalUser");
    EXPECT_EQ(w.pal.Pal, std::vector<TColor>(256, clWhite));
    EXPECT_EQ(w.changes, 1); // from no colour (an empty list) to white

    w.pal.SaveToIni(ini, L"ColorPalUser"); // unchanged: the file keeps what it has
    TStrings lines;
    ini.ReadSectionValues(L"ColorPalUser", lines);
    EXPECT_TRUE(lines.empty());

    w.pal.HookMouseDown(12 + 3, 14 + 3); // cell 5 of 4 columns
    ASSERT_EQ(w.pal.ActiveCell, 5);
    ASSERT_EQ(w.pal.ReplaceColor(0x123456), std::nullopt);
    EXPECT_EQ(w.pal.ActiveColor(), 0x123456);
    EXPECT_EQ(w.changes, 2); // the click's; replacing raises none
    w.pal.SaveToIni(ini, L"ColorPalUser");
    ini.ReadSectionValues(L"ColorPalUser", lines);
    EXPECT_EQ(lines, (TStrings{L"count=256", L"5=123456"}));

    Watched back(TMVPalette::mvPalList);
    back.pal.LoadFormIni(ini, L"ColorPalUser");
    EXPECT_EQ(back.pal.Pal, w.pal.Pal);
    EXPECT_EQ(back.changes, 1);
}

TEST(ColorPalStoredForm, AnEmptySectionNameMeansColorPal) {
    TMvIni ini(L"");
    ini.SetStrings(L"[ColorPal]\r\ncount=2\r\n1=0000FF\r\n");
    TColorPal pal;
    pal.SetPalette(TMVPalette::mvPalList);
    pal.LoadFormIni(ini, L"");
    EXPECT_EQ(pal.Colors(), (TStrings{L"FFFFFF", L"0000FF"}));
    EXPECT_EQ(pal.Pal, (std::vector<TColor>{clWhite, clRed}));
    pal.HookMouseDown(14, 2);
    ASSERT_EQ(pal.ReplaceColor(clBlack), std::nullopt);
    pal.SaveToIni(ini, L"");
    TStrings lines;
    ini.ReadSectionValues(L"ColorPal", lines);
    EXPECT_EQ(lines, (TStrings{L"count=2", L"1=000000"}));
}

// Hand-edited user palettes: a huge or nonsensical count, a cell naming no colour.
TEST(ColorPalStoredForm, DamagedListsLoadSafely) {
    struct Case {
        const wchar_t* count;
        std::size_t entries;
    };
    for (const Case& c : {Case{L"2147483647", 256}, Case{L"-5", 0}, Case{L"viele", 0}}) {
        TMvIni ini(L"");
        ini.SetStrings(std::wstring(L"[ColorPalUser]\r\ncount=") + c.count + L"\r\n");
        TColorPal pal;
        pal.SetPalette(TMVPalette::mvPalList);
        pal.LoadFormIni(ini, L"ColorPalUser");
        EXPECT_EQ(pal.Colors().size(), c.entries) << c.count;
    }

    TMvIni ini(L"");
    ini.SetStrings(L"[ColorPalUser]\r\ncount=2\r\n0=0000FF\r\n1=kaputt\r\n");
    Watched w(TMVPalette::mvPalList);
    w.pal.LoadFormIni(ini, L"ColorPalUser");
    ASSERT_EQ(w.pal.Pal, (std::vector<TColor>{clRed, clNone}));
    const int changes = w.changes;
    w.pal.HookMouseDown(14, 2); // the damaged cell
    EXPECT_EQ(w.pal.ActiveCell, 0);
    EXPECT_EQ(w.changes, changes);
}
