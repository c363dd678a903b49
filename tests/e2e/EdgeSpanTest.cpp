// Edge spans, pinned marks and the figures from the start point, as a user
// meets them: bars of known widths measured by the hotkey, marks pinned on
// the ruler's face, and the magnifier's caption.
#include "Checks.h"
#include "Clipboard.h"
#include "DravikProcess.h"
#include "PaintedWindow.h"
#include "Screen.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// The ruler's client area starts at (340, 200) on the 1280 x 800 desktop.
constexpr int kLeft = 340;
constexpr COLORREF kMarkGreen = RGB(0, 0x80, 0);

// A window of the test's own, above everything, with bars on white: a red
// bar 137 pixels wide, a blue one of 60, and a grey one of 100 whose right
// edge is soft (a ramp of three steps of 0x20 towards white).
class Bars {
  public:
    static constexpr int Left = 300, Top = 400, Width = 700, Height = 80;
    static constexpr int Row = Top + Height / 2;
    struct Bar {
        int From, To; // screen columns, both included
    };
    static constexpr Bar Red{400, 536}, Blue{600, 659}, Grey{700, 799};

    static COLORREF At(int screenX) {
        if (screenX >= Red.From && screenX <= Red.To) return RGB(255, 0, 0);
        if (screenX >= Blue.From && screenX <= Blue.To) return RGB(0, 0, 255);
        if (screenX >= Grey.From && screenX <= Grey.To) return RGB(0x80, 0x80, 0x80);
        if (screenX >= Grey.To + 1 && screenX <= Grey.To + 3) {
            const int v = 0x80 + 0x20 * (screenX - Grey.To);
            return RGB(v, v, v);
        }
        return RGB(255, 255, 255);
    }

    Bars()
        : m_window({Left, Top, Left + Width, Top + Height}, [](HDC dc) {
              for (int x = 0; x < Width; ++x) {
                  HBRUSH brush = ::CreateSolidBrush(At(Left + x));
                  const RECT column{x, 0, x + 1, Height};
                  ::FillRect(dc, &column, brush);
                  ::DeleteObject(brush);
              }
          }) {}

    // Read near the top, which a ruler across the bars leaves free.
    bool Shown() const {
        for (int x = Left; x < Left + Width; x += 7)
            if (ScreenPixel(x, Top + 2) != At(x)) return false;
        return true;
    }

  private:
    PaintedWindow m_window;
};

int Width(const RECT& r) {
    return r.right - r.left;
}

std::wstring Positions(int a, int b) {
    return std::to_wstring(a - kLeft) + L"," + std::to_wstring(b - kLeft);
}

class EdgeSpan : public ::testing::Test {
  protected:
    void TearDown() override { KeepScreenshotIfFailed(); }

    // Starts a ruler at its default place with these settings lines and
    // waits for the bars to show.
    std::unique_ptr<DravikProcess> Start(const std::wstring& lines, int top = 200) {
        auto dravik = std::make_unique<DravikProcess>(
            DravikOptions{.Settings = SettingsFile(L"Magnifier=0\r\nLeft=340\r\nTop=" +
                                                   std::to_wstring(top) + L"\r\n" + lines)});
        EXPECT_TRUE(dravik->WaitUntil([&] { return bars.Shown(); })) << "the bars did not show";
        return dravik;
    }
    // Moves the mouse and waits until the ruler has handled that position.
    static void MoveTo(DravikProcess& dravik, int x, int y) {
        MoveMouseTo(x, y);
        ASSERT_TRUE(dravik.WaitUntil([&] {
            auto state = dravik.State();
            return state[RulerState::ActX] == std::to_wstring(x) &&
                   state[RulerState::ActY] == std::to_wstring(y);
        }));
    }
    // The edge span hotkey over a screen point, after the clipboard was cleared.
    static void MeasureAt(DravikProcess& dravik, int x, int y) {
        ASSERT_TRUE(PutOnClipboard(L"-"));
        MoveTo(dravik, x, y);
        ASSERT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_SHIFT}, 'K'));
    }
    COLORREF Client(int x, int y) { return ScreenPixel(kLeft + x, 200 + y); }

    Bars bars;
};

} // namespace

TEST_F(EdgeSpan, TheHotkeyInsideEachBarCopiesItsExactWidthAndPinsMarksAtItsEdges) {
    auto dravik = Start(L"");
    const struct {
        Bars::Bar Bar;
        const wchar_t* Copy;
    } cases[] = {{Bars::Red, L"137 px"}, {Bars::Blue, L"60 px"}, {Bars::Grey, L"100 px"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.Copy));
        ASSERT_TRUE(dravik->Ask(L"command menClearMarks") == L"ok");
        MeasureAt(*dravik, (c.Bar.From + c.Bar.To) / 2 + 3, Bars::Row);
        EXPECT_TRUE(ClipboardBecomes(*dravik, c.Copy));
        EXPECT_TRUE(
            StateBecomes(*dravik, {{RulerState::MarkPositions, Positions(c.Bar.From, c.Bar.To)}}));
        // The marks are lines across the face, away from the cursor's line.
        EXPECT_TRUE(PixelBecomes(
            *dravik, "the first mark", [&] { return Client(c.Bar.From - kLeft, 2); }, kMarkGreen));
        EXPECT_TRUE(PixelBecomes(
            *dravik, "the second mark", [&] { return Client(c.Bar.To - kLeft, 46); }, kMarkGreen));
    }
    // One 1 x N copy per span: N is the desktop's width.
    EXPECT_EQ(dravik->StateInt(RulerState::EdgeSpans), 3);
    EXPECT_EQ(dravik->StateInt(RulerState::ScreenPixelsRead), 3 * 1280);
}

TEST_F(EdgeSpan, MillimetresAndTheToleranceOnASoftEdge) {
    {
        auto dravik = Start(L"Unit=0");
        MeasureAt(*dravik, 450, Bars::Row);
        const double perMM = dravik->StateDouble(RulerState::PixelsPerMMX);
        const long long mm = std::llround(137 / perMM);
        EXPECT_TRUE(ClipboardBecomes(*dravik, std::to_wstring(mm) + L" mm"));
    }
    // A tolerance of 70 takes the ramp's first two steps (0x20 and 0x40 from
    // the grey) into the bar, not the third.
    auto dravik = Start(L"EdgeTolerance=70");
    MeasureAt(*dravik, 750, Bars::Row);
    EXPECT_TRUE(ClipboardBecomes(*dravik, L"102 px"));
    EXPECT_TRUE(StateBecomes(*dravik, {{RulerState::MarkPositions, Positions(700, 801)}}));
}

TEST_F(EdgeSpan, WithTheCursorOnTheRulerItMeasuresWhatIsUnderTheRuler) {
    // The ruler lies across the bars: the row through the cursor runs under it.
    auto dravik = Start(L"", Bars::Row - 20);
    ASSERT_TRUE(PutOnClipboard(L"-"));
    MoveTo(*dravik, 450, Bars::Row);
    ASSERT_TRUE(dravik->PressHotkey({VK_CONTROL, VK_SHIFT}, 'K'));
    EXPECT_TRUE(ClipboardBecomes(*dravik, L"137 px"));
    EXPECT_TRUE(StateBecomes(
        *dravik, {{RulerState::Visible, L"1"}, {RulerState::MarkPositions, Positions(400, 536)}}));
}

TEST_F(EdgeSpan, PinnedMarksSurviveARepaintAndATurnAndAreCleared) {
    auto dravik = Start(L"");
    MoveTo(*dravik, 500, 300);
    ASSERT_TRUE(dravik->PressHotkey({VK_CONTROL, VK_SHIFT}, 'M'));
    MoveTo(*dravik, 700, 350);
    ASSERT_TRUE(dravik->PressHotkey({VK_CONTROL, VK_SHIFT}, 'M'));
    MoveTo(*dravik, 1200, 700); // off the ruler: no cursor line over the marks
    EXPECT_TRUE(StateBecomes(*dravik, {{RulerState::MarkPositions, L"160,360"}}));
    EXPECT_TRUE(PixelBecomes(
        *dravik, "the mark at 160", [&] { return Client(160, 40); }, kMarkGreen));

    const long long paints = dravik->StateInt(RulerState::Paints);
    ASSERT_TRUE(::InvalidateRect(dravik->Ruler(), nullptr, TRUE));
    ASSERT_TRUE(dravik->WaitUntil([&] { return dravik->StateInt(RulerState::Paints) > paints; }));
    EXPECT_TRUE(PixelBecomes(
        *dravik, "the mark at 360 after a repaint", [&] { return Client(360, 40); }, kMarkGreen));

    // Turned, the ruler reads the same screen points down its axis: y 300
    // and 350 are client rows 100 and 150.
    ASSERT_EQ(dravik->Ask(L"command menOrientation"), L"ok");
    EXPECT_TRUE(StateBecomes(
        *dravik, {{RulerState::Horizontal, L"0"}, {RulerState::MarkPositions, L"100,150"}}));
    EXPECT_TRUE(PixelBecomes(
        *dravik, "the mark at row 150", [&] { return Client(40, 150); }, kMarkGreen));

    ASSERT_EQ(dravik->Ask(L"command menClearMarks"), L"ok");
    EXPECT_TRUE(StateBecomes(*dravik, {{RulerState::MarkPositions, L""}}));
    EXPECT_TRUE(dravik->WaitUntil([&] { return Client(40, 150) != kMarkGreen; }));
}

TEST_F(EdgeSpan, TheMagnifierCaptionAndATipAtTheRulerGiveTheFiguresFromTheStartPoint) {
    DravikProcess dravik({.Settings = SettingsFile(L"Left=340\r\nTop=200")});
    HWND magnifier = ShownProgramWindow(dravik, L"TMagnifierDlg");
    ASSERT_NE(magnifier, nullptr);
    MoveTo(dravik, 400, 600);
    const int narrow = Width(Place(magnifier));
    ASSERT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
    MoveTo(dravik, 520, 690);
    const std::wstring expected = L"\u0394x 120  \u0394y 90  150  36,9\u00B0   Zoom: 4x";
    ASSERT_TRUE(dravik.WaitUntil([&] {
        wchar_t text[160] = {};
        ::GetWindowTextW(magnifier, text, 160);
        const std::wstring caption = text;
        return caption.size() >= expected.size() &&
               caption.compare(caption.size() - expected.size(), expected.size(), expected) == 0;
    })) << "the caption does not end with the figures from the start point";
    EXPECT_TRUE(dravik.WaitUntil([&] { return Width(Place(magnifier)) > narrow; }))
        << "not widened for the longer caption";
    // Pressed at the start point the start point goes, and the width is the
    // user's again.
    MoveTo(dravik, 400, 600);
    ASSERT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::HasStartPos, L"0"}}));
    EXPECT_TRUE(dravik.WaitUntil([&] { return Width(Place(magnifier)) == narrow; }))
        << "the magnifier keeps its width without the figures";

    // Over the ruler without the magnifier the same figures show in a tip
    // beside it, off the ruler none.
    ASSERT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
    const std::wstring figures = L"\u0394x 120  \u0394y -380  398  -72,5\u00B0";
    MoveTo(dravik, 520, 220);
    EXPECT_EQ(dravik.State()[RulerState::StartTip], L"") << "a tip beside the magnifier";
    ASSERT_EQ(dravik.Ask(L"command menMagnifier"), L"ok");
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::StartTip, figures}}));
    MoveTo(dravik, 520, 690);
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::StartTip, L""}}));
    MoveTo(dravik, 520, 220);
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::StartTip, figures}}));
    // A new start point here, then (pressed where it is) none: the tip
    // follows under the resting pointer.
    ASSERT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
    EXPECT_TRUE(
        StateBecomes(dravik, {{RulerState::StartTip, L"\u0394x 0  \u0394y 0  0  0,0\u00B0"}}));
    ASSERT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::StartTip, L""}}));
}
