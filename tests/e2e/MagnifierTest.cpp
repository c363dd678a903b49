// The magnifier driven as a user would: it follows the pointer, zooms with the
// wheel, changes sides on a click, hides, goes and comes back with the ruler,
// keeps its place in the settings file and rests while the pointer rests.
#include "Checks.h"
#include "DravikProcess.h"
#include "Screen.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kToolBarHeight = 28; // above the picture
constexpr int kZoomIn = 300, kZoomOut = 301;
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The copy's magnifier window, hidden or not; null when there is none.
HWND FindMagnifier(DravikProcess& dravik) {
    return dravik.ProgramWindow(L"TMagnifierDlg");
}

HWND ShownMagnifier(DravikProcess& dravik) {
    return ShownProgramWindow(dravik, L"TMagnifierDlg");
}

bool NoMagnifierShown(DravikProcess& dravik) {
    return dravik.WaitUntil([&] {
        HWND wnd = FindMagnifier(dravik);
        return !wnd || !::IsWindowVisible(wnd);
    });
}

std::wstring Caption(HWND wnd) {
    wchar_t text[128] = {};
    ::GetWindowTextW(wnd, text, 128);
    return text;
}

// The caption is this text, or ends with it.
::testing::AssertionResult CaptionBecomes(DravikProcess& dravik, HWND wnd,
                                          const std::wstring& expected, bool ending = false) {
    auto matches = [&] {
        const std::wstring c = Caption(wnd);
        return ending ? c.size() >= expected.size() &&
                            c.compare(c.size() - expected.size(), expected.size(), expected) == 0
                      : c == expected;
    };
    if (dravik.WaitUntil(matches)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "caption \"" << Narrow(Caption(wnd)) << "\", expected " << (ending ? "an end " : "")
           << "\"" << Narrow(expected) << "\"";
}

RECT Place(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return r;
}

// The picture below the tool bar: its top-left corner on the screen, its size.
struct Picture {
    POINT Origin;
    int Width, Height;
    POINT Centre() const { return {Origin.x + Width / 2, Origin.y + Height / 2}; }
};

Picture PictureOf(HWND wnd) {
    RECT c{};
    ::GetClientRect(wnd, &c);
    POINT origin{0, kToolBarHeight};
    ::ClientToScreen(wnd, &origin);
    return {origin, c.right, c.bottom - kToolBarHeight};
}

bool ButtonEnabled(HWND magnifier, int command) {
    HWND bar = ::FindWindowExW(magnifier, nullptr, TOOLBARCLASSNAMEW, nullptr);
    return bar && ::SendMessageW(bar, TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0) != 0;
}

// Keys and the wheel go to the focused window; a click on the title bar
// focuses the magnifier without moving it.
::testing::AssertionResult MagnifierFocused(DravikProcess& dravik, HWND wnd) {
    POINT at{};
    if (!TitleBarPoint(wnd, HTCAPTION, at)) return ::testing::AssertionFailure() << "no title bar";
    // Else the wheel could turn over the desktop.
    PointerTo(at.x, at.y);
    LeftClickAt(at.x, at.y);
    if (dravik.WaitUntil([&] { return ::GetForegroundWindow() == wnd; }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the magnifier did not get the focus";
}

// Centred or flush with the bottom: the work area ends at 800, or at 780
// once Wine's taskbar shows for the tray icon.
bool TopOneOf(const RECT& r, int full, int withTaskbar) {
    return r.top == full || r.top == withTaskbar;
}

int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

class Magnifier : public ::testing::Test {
  protected:
    void TearDown() override { KeepScreenshotIfFailed(); }
};

} // namespace

TEST_F(Magnifier, FirstStartOpensATopMostSizeableWindowWithOnlyACloseBox) {
    DravikProcess dravik;
    HWND wnd = ShownMagnifier(dravik);
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(StateBecomes(
        dravik, {{RulerState::Magnifier, L"1"}, {RulerState::MagnifierChecked, L"1"}}));
    const RECT r = Place(wnd);
    EXPECT_EQ(r.left, 515);
    EXPECT_TRUE(TopOneOf(r, 300, 290)) << r.top;
    EXPECT_EQ(r.right - r.left, 250);
    EXPECT_EQ(r.bottom - r.top, 200);
    const LONG_PTR style = ::GetWindowLongPtrW(wnd, GWL_STYLE);
    EXPECT_TRUE(::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

TEST_F(Magnifier, AtTheScreenCornerTheLeftAndTopStripsAreBlack) {
    DravikProcess dravik;
    HWND wnd = ShownMagnifier(dravik);
    ASSERT_NE(wnd, nullptr);
    MoveMouseTo(0, 0);
    ASSERT_TRUE(CaptionBecomes(dravik, wnd, L" X: 1, Y: 1    Zoom: 4x"));
    // Half the picture is left and above the pointer: off the screen at zoom
    // 4 that is round(W / 8) screen pixels, magnified, and the strip's edge.
    const Picture p = PictureOf(wnd);
    const int left = RoundHalfEven(p.Width / 8.0) * 4 + 1;
    const int top = RoundHalfEven(p.Height / 8.0) * 4 + 1;
    // Far from the marker at the centre and from the other strip.
    const int row = p.Height - 3, column = p.Width - 3;
    auto at = [&](int x, int y) { return ScreenPixel(p.Origin.x + x, p.Origin.y + y); };
    dravik.WaitUntil([&] { return at(left, row) != kBlack && at(column, top) != kBlack; });
    EXPECT_EQ(at(left - 1, row), kBlack) << "the left strip's last column";
    EXPECT_NE(at(left, row), kBlack) << "the screen's left column, magnified";
    EXPECT_EQ(at(column, top - 1), kBlack) << "the top strip's last row";
    EXPECT_NE(at(column, top), kBlack) << "the screen's top row, magnified";
}

TEST_F(Magnifier, CaptionCountsFromTheScreenOrFromTheRulersCorner) {
    const struct {
        const wchar_t* Lines;
        const wchar_t* Caption;
    } rows[] = {
        {L"NeutralPointScreen=0", L" X: 1, Y: 1    Zoom: 4x"}, // the ruler's bottom-left corner
        {L"", L" X: 341, Y: 250    Zoom: 4x"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(Narrow(row.Lines));
        DravikProcess dravik({.Settings = SettingsFile(row.Lines)});
        HWND wnd = ShownMagnifier(dravik);
        ASSERT_NE(wnd, nullptr);
        MoveMouseTo(340, 249);
        EXPECT_TRUE(CaptionBecomes(dravik, wnd, row.Caption));
    }
}

TEST_F(Magnifier, WheelZoomsFromOneToTwentyAndTheFileKeepsTheLastZoom) {
    struct Step {
        int Notches; // turned away from the user when positive
        int Zoom;
        bool ZoomIn, ZoomOut;
    };
    const struct {
        const wchar_t* Lines;
        std::vector<Step> Steps;
        const wchar_t* Written;
    } runs[] = {
        {L"",
         {{1, 5, true, true}, {-30, 1, true, false}, {30, 20, false, true}, {-1, 19, true, true}},
         L"19"},
        {L"Zoom=20", {{0, 20, false, true}, {-1, 19, true, true}}, L"19"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(Narrow(run.Lines));
        DravikProcess dravik({.Settings = SettingsFile(run.Lines)});
        HWND wnd = ShownMagnifier(dravik);
        ASSERT_NE(wnd, nullptr);
        ASSERT_TRUE(MagnifierFocused(dravik, wnd));
        for (const Step& step : run.Steps) {
            SCOPED_TRACE(step.Notches);
            for (int i = 0; i < std::abs(step.Notches); ++i)
                MouseWheel(step.Notches > 0 ? WHEEL_DELTA : -WHEEL_DELTA);
            const std::wstring zoom = std::to_wstring(step.Zoom);
            EXPECT_TRUE(StateBecomes(dravik, {{RulerState::Zoom, zoom}}));
            EXPECT_TRUE(CaptionBecomes(dravik, wnd, L"Zoom: " + zoom + L"x", true));
            EXPECT_EQ(ButtonEnabled(wnd, kZoomIn), step.ZoomIn);
            EXPECT_EQ(ButtonEnabled(wnd, kZoomOut), step.ZoomOut);
        }
        ASSERT_TRUE(dravik.Close());
        EXPECT_EQ(IniValue(ReadIni(dravik.SettingsFile()), L"Zoom"), run.Written);
    }
}

TEST_F(Magnifier, AClickIntoThePictureMovesItToTheOtherSide) {
    DravikProcess dravik;
    HWND wnd = ShownMagnifier(dravik);
    ASSERT_NE(wnd, nullptr);
    ASSERT_EQ(Place(wnd).left, 515);
    for (const int left : {0, 1280 - 250, 0}) {
        const POINT centre = PictureOf(wnd).Centre();
        LeftClickAt(centre.x, centre.y);
        EXPECT_TRUE(dravik.WaitUntil([&] { return Place(wnd).left == left; }))
            << "expected left " << left << ", was " << Place(wnd).left;
    }
}

TEST_F(Magnifier, CloseBoxHidesEscReleasesAndLBringsItBack) {
    DravikProcess dravik;
    HWND wnd = ShownMagnifier(dravik);
    ASSERT_NE(wnd, nullptr);
    POINT closeBox{};
    ASSERT_TRUE(TitleBarPoint(wnd, HTCLOSE, closeBox)) << "no close box";
    LeftClickAt(closeBox.x, closeBox.y);
    EXPECT_TRUE(dravik.WaitUntil([&] { return !::IsWindowVisible(wnd); }));
    EXPECT_TRUE(StateBecomes(
        dravik, {{RulerState::Magnifier, L"1"}, {RulerState::MagnifierChecked, L"0"}}));
    ASSERT_TRUE(Focused(dravik));
    PressKey('L');
    EXPECT_EQ(ShownMagnifier(dravik), wnd) << "the hidden window shows again";
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::MagnifierChecked, L"1"}}));

    // Moved first, so the place the released window saved is not the default.
    const POINT centre = PictureOf(wnd).Centre();
    LeftClickAt(centre.x, centre.y);
    ASSERT_TRUE(dravik.WaitUntil([&] { return Place(wnd).left == 0; }));
    const RECT moved = Place(wnd);
    ASSERT_TRUE(MagnifierFocused(dravik, wnd));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(dravik.WaitUntil([&] { return FindMagnifier(dravik) == nullptr; }));
    EXPECT_TRUE(StateBecomes(
        dravik, {{RulerState::Magnifier, L"0"}, {RulerState::MagnifierChecked, L"0"}}));
    EXPECT_TRUE(dravik.Running());
    ASSERT_TRUE(Focused(dravik));
    PressKey('L');
    HWND reopened = ShownMagnifier(dravik);
    ASSERT_NE(reopened, nullptr);
    const RECT place = Place(reopened);
    EXPECT_TRUE(::EqualRect(&moved, &place)) << "opened at its saved place";
}

TEST_F(Magnifier, HidingTheRulerClosesItAndTheMeasuringHotkeyReopensIt) {
    DravikProcess dravik;
    ASSERT_NE(ShownMagnifier(dravik), nullptr);
    ASSERT_TRUE(Focused(dravik));
    PressKey('S');
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::Visible, L"0"}}));
    EXPECT_TRUE(NoMagnifierShown(dravik)) << "the magnifier stays on the screen";
    ASSERT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
    EXPECT_TRUE(
        StateBecomes(dravik, {{RulerState::Visible, L"1"}, {RulerState::MagnifierChecked, L"1"}}));
    EXPECT_NE(ShownMagnifier(dravik), nullptr);
}

TEST_F(Magnifier, StoredPlacesAreBroughtOntoTheScreenAndWrittenBack) {
    const struct {
        const wchar_t* Settings;
        const wchar_t* WndStates;
        int Left, Top, TopWithTaskbar, Width, Height;
        const wchar_t* Caption; // after a move to (100, 700)
    } rows[] = {
        {L"",
         L"TMagnifierDlgLeft=-1200\r\nTMagnifierDlgTop=100\r\n"
         L"TMagnifierDlgWidth=300\r\nTMagnifierDlgHeight=250",
         0, 100, 100, 300, 250, L" X: 101, Y: 701    Zoom: 4x"},
        {L"", L"TMagnifierDlgLeft=5000\r\nTMagnifierDlgTop=700", 1030, 600, 580, 250, 200,
         L" X: 101, Y: 701    Zoom: 4x"},
        {L"", L"TMagnifierDlgWidth=0\r\nTMagnifierDlgHeight=-4", 515, 300, 290, 250, 200,
         L" X: 101, Y: 701    Zoom: 4x"},
        {L"Zoom=0", L"", 515, 300, 290, 250, 200, L" X: 101, Y: 701    Zoom: 1x"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(Narrow(std::wstring(row.Settings) + L" " + row.WndStates));
        const std::wstring file = L"[Settings]\r\n" + std::wstring(row.Settings) +
                                  L"\r\n[WndStates]\r\n" + row.WndStates + L"\r\n";
        DravikProcess dravik({.Settings = Utf16File(file)});
        HWND wnd = ShownMagnifier(dravik);
        ASSERT_NE(wnd, nullptr);
        const RECT r = Place(wnd);
        EXPECT_EQ(r.left, row.Left);
        EXPECT_TRUE(TopOneOf(r, row.Top, row.TopWithTaskbar)) << r.top;
        EXPECT_EQ(r.right - r.left, row.Width);
        EXPECT_EQ(r.bottom - r.top, row.Height);
        MoveMouseTo(100, 700);
        EXPECT_TRUE(CaptionBecomes(dravik, wnd, row.Caption));
        ASSERT_TRUE(dravik.Running());
        ASSERT_TRUE(dravik.Close());
        // The place it had, in keys that were there already or are added.
        std::set<std::wstring> written;
        for (const IniEntry& e : ReadIni(dravik.SettingsFile()))
            if (e.Section == L"WndStates") written.insert(e.Key + L"=" + e.Value);
        const std::set<std::wstring> expected = {
            L"TMagnifierDlgHeight=" + std::to_wstring(r.bottom - r.top),
            L"TMagnifierDlgWidth=" + std::to_wstring(r.right - r.left),
            L"TMagnifierDlgTop=" + std::to_wstring(r.top),
            L"TMagnifierDlgLeft=" + std::to_wstring(r.left)};
        EXPECT_EQ(written, expected);
    }
}

TEST_F(Magnifier, DrawsNothingWhileThePointerRests) {
    DravikProcess dravik;
    HWND wnd = ShownMagnifier(dravik);
    ASSERT_NE(wnd, nullptr);
    MoveMouseTo(100, 600);
    ASSERT_TRUE(CaptionBecomes(dravik, wnd, L" X: 101, Y: 601    Zoom: 4x"));
    const long long ticks = dravik.StateInt(RulerState::MagnifierTicks);
    const long long draws = dravik.StateInt(RulerState::MagnifierDraws);
    ::Sleep(3000); // not a wait: the time in which a resting pointer must cost nothing
    EXPECT_EQ(dravik.StateInt(RulerState::MagnifierTicks), ticks);
    EXPECT_EQ(dravik.StateInt(RulerState::MagnifierDraws), draws);
    MoveMouseTo(120, 600);
    EXPECT_TRUE(CaptionBecomes(dravik, wnd, L" X: 121, Y: 601    Zoom: 4x"));
    EXPECT_GT(dravik.StateInt(RulerState::MagnifierTicks), ticks);
    EXPECT_GT(dravik.StateInt(RulerState::MagnifierDraws), draws);
}
