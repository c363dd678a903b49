// The ruler's scale and cursor marks as they appear on the screen.
#include "../common/ProgramRegistry.h"
#include "Clipboard.h"
#include "DravikProcess.h"
#include "Screen.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <cwchar>

#include <memory>
#include <vector>

namespace {

// The ruler's client area starts at (340, 200) on the 1280 x 800 desktop.
constexpr int kLeft = 340;
constexpr int kTop = 200;
constexpr int kHeight = 49;

bool IsDark(COLORREF c) {
    return GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80;
}

class Scale : public ::testing::Test {
  protected:
    void SetUp() override {
        dravik = std::make_unique<DravikProcess>();
        // Cursor far left of the ruler: no line or box on the scale.
        MoveTo(5, 700);
        WaitForTopTick(31, 12);
    }
    void TearDown() override {
        KeepScreenshotIfFailed();
        dravik.reset();
    }

    // Moves the mouse and waits until the ruler has handled that position.
    void MoveTo(int x, int y) {
        MoveMouseTo(x, y);
        ASSERT_TRUE(dravik->WaitUntil([&] {
            auto state = dravik->State();
            return state[RulerState::ActX] == std::to_wstring(x) &&
                   state[RulerState::ActY] == std::to_wstring(y);
        }));
    }
    COLORREF Client(int x, int y) { return ScreenPixel(kLeft + x, kTop + y); }

    // Length of the tick at client column x along the top edge: the run of
    // dark pixels below the frame row.
    int TopTick(int x) {
        int n = 0;
        while (n < 20 && IsDark(Client(x, 1 + n)))
            ++n;
        return n == 0 ? 0 : n + 1; // the frame row counts as the tick's first pixel
    }
    int BottomTick(int x) {
        int n = 0;
        while (n < 20 && IsDark(Client(x, kHeight - 2 - n)))
            ++n;
        return n == 0 ? 0 : n + 1;
    }
    // The program draws asynchronously to the screen this test reads: wait
    // until a tick that the new scale must have shows up.
    void WaitForTopTick(int x, int length) {
        ASSERT_TRUE(dravik->WaitUntil([&] { return TopTick(x) == length; }))
            << "tick of length " << length << " at " << x << " did not appear";
    }
    // Whether there are label pixels in a narrow band around column x.
    bool HasLabelAround(int x) {
        for (int dx = -6; dx <= 6; ++dx)
            for (int y = 16; y <= 32; ++y)
                if (IsDark(Client(x + dx, y))) return true;
        return false;
    }
    // The face without marks: the gradient only changes down the ruler, so a
    // pixel of row 36 (between labels and bottom ticks) matches a reference
    // column wherever nothing is drawn over it.
    bool FaceClean(int x, int y = 36) { return Client(x, y) == Client(300, y); }
    // Screen checks wait a moment: drawing reaches the screen asynchronously.
    bool PixelBecomes(int x, int y, COLORREF color) {
        return dravik->WaitUntil([&] { return Client(x, y) == color; }, 2000);
    }
    bool BecomesClean(int x) {
        return dravik->WaitUntil([&] { return FaceClean(x); }, 2000);
    }

    std::unique_ptr<DravikProcess> dravik;
};

} // namespace

TEST_F(Scale, Pixel32TicksAndLabels) {
    ASSERT_EQ(dravik->StateInt(RulerState::Unit), 2);
    for (int x : {31, 63, 95, 127}) {
        EXPECT_EQ(TopTick(x), 12) << "large tick at " << x;
        EXPECT_EQ(BottomTick(x), 11) << "large tick at " << x; // 49 is outside
        EXPECT_TRUE(HasLabelAround(x)) << "label at " << x;
    }
    for (int x : {15, 47, 79}) {
        EXPECT_EQ(TopTick(x), 8) << "medium tick at " << x;
        EXPECT_EQ(BottomTick(x), 7) << "medium tick at " << x;
    }
    for (int x : {1, 3, 5, 7, 9, 33, 99})
        EXPECT_EQ(TopTick(x), 5) << "small tick at " << x;
    for (int x : {2, 4, 6, 32, 100})
        EXPECT_EQ(TopTick(x), 0) << "no tick at " << x;
    EXPECT_FALSE(HasLabelAround(47)) << "medium ticks carry no label";
}

TEST_F(Scale, Pixel20AndPixel50Ticks) {
    ASSERT_EQ(dravik->Ask(L"command menPixel20"), L"ok");
    WaitForTopTick(19, 8);
    EXPECT_EQ(TopTick(99), 12); // 100: large, no label
    EXPECT_EQ(TopTick(39), 8);  // 40: medium with label
    EXPECT_TRUE(HasLabelAround(39));
    EXPECT_EQ(TopTick(199), 12); // 200: large, bold label
    EXPECT_TRUE(HasLabelAround(199));
    EXPECT_EQ(TopTick(3), 5);  // 4: small
    EXPECT_EQ(TopTick(19), 8); // 20: medium, no label

    EXPECT_FALSE(HasLabelAround(99));
    ASSERT_EQ(dravik->Ask(L"command menPixel50"), L"ok");
    WaitForTopTick(49, 12); // 50: large with label
    EXPECT_TRUE(HasLabelAround(49));
    EXPECT_EQ(TopTick(9), 8); // 10: medium
    EXPECT_EQ(TopTick(1), 5); // 2: small
    EXPECT_EQ(TopTick(2), 0);
}

TEST_F(Scale, MillimetresAt378And15PixelsPerMillimetre) {
    ASSERT_EQ(dravik->Ask(L"pixelspermm 3.78"), L"ok");
    ASSERT_EQ(dravik->Ask(L"command menMilimeter"), L"ok");
    WaitForTopTick(36, 12);
    EXPECT_EQ(TopTick(2), 5);   // 1 mm: first pixel that rounds to 1 (1.89 and up)
    EXPECT_EQ(TopTick(18), 8);  // 5 mm (17.01 and up)
    EXPECT_EQ(TopTick(36), 12); // 10 mm with label
    EXPECT_TRUE(HasLabelAround(36));
    EXPECT_EQ(TopTick(1), 0);

    ASSERT_EQ(dravik->Ask(L"pixelspermm 1.5"), L"ok");
    WaitForTopTick(30, 12);
    EXPECT_EQ(TopTick(1), 0);   // no small ticks below 2 pixels per millimetre
    EXPECT_EQ(TopTick(7), 8);   // 5 mm
    EXPECT_EQ(TopTick(15), 12); // 10 mm: large, but labels only every 20
    EXPECT_FALSE(HasLabelAround(15));
    EXPECT_EQ(TopTick(30), 12); // 20 mm with label
    EXPECT_TRUE(HasLabelAround(30));
}

// Centimetres, inches and points tick where their lengths end at 3.78
// pixels per millimetre (1 cm: 37.8 px, 1 in: 96 px, 72 pt: 96 px), logical
// pixels as Pixel 50 at 96 DPI; Ctrl+C and the menu copy the box's reading.
TEST_F(Scale, NewUnitsTickWhereTheirLengthsEndAndCopyTheirReading) {
    ASSERT_EQ(dravik->Ask(L"pixelspermm 3.78"), L"ok");
    const struct {
        const wchar_t* Command;
        std::vector<std::pair<int, int>> Ticks; // column and tick length
        int Label;
        const wchar_t* Copied; // 159 pixels from the start point
    } units[] = {
        {L"menCentimeter", {{38, 12}, {19, 8}, {4, 5}, {1, 0}}, 38, L"4,2 cm"},
        {L"menInch", {{96, 12}, {48, 12}, {24, 8}, {6, 5}, {3, 0}}, 96, L"1,66 in"},
        {L"menPoint", {{96, 12}, {16, 8}, {4, 5}, {1, 0}}, 96, L"119 pt"},
        {L"menLogicalPixel", {{49, 12}, {9, 8}, {1, 5}, {2, 0}}, 49, L"159 px"},
    };
    MoveTo(kLeft + 100, 600);
    ASSERT_EQ(dravik->Ask(L"measure"), L"ok");
    MoveTo(kLeft + 259, 600);
    for (const auto& unit : units) {
        SCOPED_TRACE(Narrow(unit.Command));
        ASSERT_EQ(dravik->Ask(std::wstring(L"command ") + unit.Command), L"ok");
        WaitForTopTick(unit.Ticks.front().first, unit.Ticks.front().second);
        for (const auto& [x, length] : unit.Ticks)
            EXPECT_EQ(TopTick(x), length) << "tick at " << x;
        EXPECT_TRUE(HasLabelAround(unit.Label));
        ASSERT_TRUE(PutOnClipboard(L"-"));
        ASSERT_TRUE(Focused(*dravik));
        EXPECT_TRUE(
            PressUntil(*dravik, {VK_CONTROL}, 'C', [&] { return ClipboardText() == unit.Copied; }))
            << "the clipboard holds \"" << Narrow(ClipboardText()) << "\"";
    }
    ASSERT_TRUE(PutOnClipboard(L"-"));
    ASSERT_EQ(dravik->Ask(L"command menCopyReading"), L"ok");
    EXPECT_TRUE(ClipboardBecomes(*dravik, L"159 px"));
}

TEST_F(Scale, CursorLineFollowsTheMouseAlsoFarAboveAndBelow) {
    MoveTo(500, 700); // client 160, far below the ruler
    EXPECT_TRUE(PixelBecomes(160, 36, RGB(255, 0, 0)));
    EXPECT_TRUE(PixelBecomes(160, 1, RGB(255, 0, 0)));
    EXPECT_EQ(dravik->StateInt(RulerState::MousePos), 160);
    MoveTo(520, 3); // far above
    EXPECT_TRUE(PixelBecomes(180, 36, RGB(255, 0, 0)));
    EXPECT_TRUE(BecomesClean(160)) << "no trail of the old line";
}

TEST_F(Scale, PositionBoxBesideTheLineFlipsNearTheEndAndLeavesNoTrails) {
    MoveTo(500, 700);
    EXPECT_EQ(dravik->State()[RulerState::BoxText], L"161");
    const long long left = dravik->StateInt(RulerState::BoxLeft);
    const long long right = dravik->StateInt(RulerState::BoxRight);
    EXPECT_EQ(left, 175); // 15 right of the line
    EXPECT_TRUE(PixelBecomes(static_cast<int>(left) + 1, 24, RGB(0xA2, 0xCD, 0x20)));

    MoveTo(kLeft + 590, 700); // near the end: the box flips left of the line
    EXPECT_LT(dravik->StateInt(RulerState::BoxRight), 590);
    // The old box is gone.
    for (int x = static_cast<int>(left); x < right; x += 3)
        EXPECT_TRUE(BecomesClean(x)) << x;
}

TEST_F(Scale, PositionLeftOfTheRulerDrawsNoBoxAndErasesTheOldOne) {
    MoveTo(500, 700);
    const int left = static_cast<int>(dravik->StateInt(RulerState::BoxLeft));
    const int right = static_cast<int>(dravik->StateInt(RulerState::BoxRight));
    MoveTo(100, 300);
    EXPECT_LT(dravik->StateInt(RulerState::MousePos), 0);
    for (int x = left; x < right; x += 3)
        EXPECT_TRUE(BecomesClean(x)) << x;
    EXPECT_TRUE(BecomesClean(160));
}

TEST_F(Scale, DistanceFromAStartPointInBrackets) {
    MoveTo(kLeft + 100, 600);
    ASSERT_EQ(dravik->Ask(L"measure"), L"ok");
    EXPECT_EQ(dravik->StateInt(RulerState::HasStartPos), 1);
    MoveTo(kLeft + 160, 600);
    EXPECT_EQ(dravik->State()[RulerState::BoxText], L"161  (61)");
    EXPECT_TRUE(PixelBecomes(100, 36, RGB(0, 0, 255))); // the start line
    // Pressed twice without moving: measuring ends and the start line goes.
    ASSERT_EQ(dravik->Ask(L"measure"), L"ok");
    EXPECT_EQ(dravik->StateInt(RulerState::HasStartPos), 1); // moved the start point to 160
    ASSERT_EQ(dravik->Ask(L"measure"), L"ok");
    EXPECT_EQ(dravik->StateInt(RulerState::HasStartPos), 0);
    EXPECT_EQ(dravik->State()[RulerState::BoxText], L"161");
    EXPECT_TRUE(BecomesClean(100));
}

TEST_F(Scale, AnUnchangedColourDoesNotRenderAgain) {
    const long long renders = dravik->StateInt(RulerState::BackImgRenders);
    ASSERT_EQ(dravik->Ask(L"setcolor Back 12632256"), L"ok"); // 0xC0C0C0, the current colour
    EXPECT_EQ(dravik->StateInt(RulerState::BackImgRenders), renders);
    ASSERT_EQ(dravik->Ask(L"setcolor Back 16777215"), L"ok"); // white
    EXPECT_EQ(dravik->StateInt(RulerState::BackImgRenders), renders + 1);
    // Cursor movement never renders the scale.
    MoveTo(500, 700);
    MoveTo(600, 710);
    EXPECT_EQ(dravik->StateInt(RulerState::BackImgRenders), renders + 1);
}

TEST_F(Scale, VerticalRulerNumbersDownwards) {
    ASSERT_EQ(dravik->Ask(L"command menOrientation"), L"ok");
    auto state = dravik->State();
    EXPECT_EQ(state[RulerState::ClientWidth], L"57");
    EXPECT_EQ(state[RulerState::ClientHeight], L"400");
    MoveTo(10, kTop + 99);
    EXPECT_EQ(dravik->State()[RulerState::BoxText], L"100");
    // A large tick at y = 31 on the left edge.
    int n = 0;
    while (n < 20 && IsDark(Client(1 + n, 31)))
        ++n;
    EXPECT_EQ(n + 1, 12);
}

TEST_F(Scale, DraggingTheFarEndChangesTheLength) {
    MoveTo(kLeft + 580, kTop + 20);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    // Button messages queue behind the hook's notifications: wait until the
    // ruler has seen the press before moving on, as a hand would.
    ASSERT_TRUE(dravik->WaitUntil([&] { return dravik->StateInt(RulerState::Down) == 1; }));
    for (int x = 585; x <= 620; x += 5) {
        MoveTo(kLeft + x, kTop + 20);
        EXPECT_EQ(dravik->StateInt(RulerState::HWidth), 600 + x - 580) << "every step counts";
    }
    MouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(dravik->WaitUntil([&] { return dravik->StateInt(RulerState::Down) == 0; }));
    EXPECT_EQ(dravik->StateInt(RulerState::HWidth), 640);
    EXPECT_EQ(dravik->StateInt(RulerState::ClientWidth), 640);
    // Released: moving on changes nothing.
    MoveTo(kLeft + 700, kTop + 20);
    EXPECT_EQ(dravik->StateInt(RulerState::HWidth), 640);
}

TEST_F(Scale, MovingAcrossTheRulerKeepsTheMarksWithoutCopying) {
    MoveTo(500, 700);
    const long long copied = dravik->StateInt(RulerState::PixelsCopied);
    EXPECT_GT(copied, 0);
    MoveTo(500, 100); // same column, other side of the ruler
    MoveTo(500, 230); // on the ruler itself
    EXPECT_EQ(dravik->StateInt(RulerState::PixelsCopied), copied);
    EXPECT_TRUE(PixelBecomes(160, 36, RGB(255, 0, 0)));
    MoveTo(501, 230);
    EXPECT_GT(dravik->StateInt(RulerState::PixelsCopied), copied);
}

TEST_F(Scale, MarksSurviveARepaintAndAPrintIntoAMemoryDc) {
    const COLORREF line = RGB(255, 0, 0);
    const COLORREF box = RGB(0xA2, 0xCD, 0x20);
    MoveTo(kLeft + 160, 600);
    const auto before = dravik->State();
    const int boxLeft = std::stoi(before[RulerState::BoxLeft]);
    ASSERT_TRUE(PixelBecomes(160, 36, line));
    ASSERT_TRUE(PixelBecomes(boxLeft + 1, 24, box));

    // Another program makes the whole ruler repaint: the marks stay.
    const long long paints = dravik->StateInt(RulerState::Paints);
    ASSERT_TRUE(::InvalidateRect(dravik->Ruler(), nullptr, TRUE));
    ASSERT_TRUE(dravik->WaitUntil([&] { return dravik->StateInt(RulerState::Paints) > paints; }));
    EXPECT_TRUE(PixelBecomes(160, 36, line));
    EXPECT_TRUE(PixelBecomes(boxLeft + 1, 24, box));

    // A print into a memory DC shows the marks and changes nothing: the
    // next repaint still shows them where they were.
    EXPECT_EQ(dravik->Ask(L"printclient 160 36"), std::to_wstring(line));
    EXPECT_EQ(dravik->Ask(L"printclient " + std::to_wstring(boxLeft + 1) + L" 24"),
              std::to_wstring(box));
    const auto after = dravik->State();
    for (const RulerStateKey key :
         {RulerState::MousePos, RulerState::BoxLeft, RulerState::BoxTop, RulerState::BoxRight,
          RulerState::BoxBottom, RulerState::BackImgRenders})
        EXPECT_EQ(after[key], before[key])
            << std::string(key.Name, key.Name + std::wcslen(key.Name));
    const long long printed = dravik->StateInt(RulerState::Paints);
    ASSERT_TRUE(::InvalidateRect(dravik->Ruler(), nullptr, TRUE));
    ASSERT_TRUE(dravik->WaitUntil([&] { return dravik->StateInt(RulerState::Paints) > printed; }));
    EXPECT_TRUE(PixelBecomes(160, 36, line));
    EXPECT_TRUE(PixelBecomes(boxLeft + 1, 24, box));
}

TEST_F(Scale, MenuKeysRunTheirCommands) {
    LeftClickAt(kLeft + 100, kTop + 20);
    ASSERT_TRUE(dravik->WaitUntil([&] { return ::GetForegroundWindow() == dravik->Ruler(); }));
    PressKey('M');
    EXPECT_TRUE(dravik->WaitUntil([&] { return dravik->StateInt(RulerState::Unit) == 0; }));
    PressKey('P');
    EXPECT_TRUE(dravik->WaitUntil([&] { return dravik->StateInt(RulerState::Unit) == 2; }));
    PressKey('A');
    EXPECT_TRUE(dravik->WaitUntil([&] { return dravik->StateInt(RulerState::Horizontal) == 0; }));
}

// Logical pixels are what a browser counts as CSS pixels: at 150 % scaling
// (144 DPI) 150 device pixels read 100.
TEST(LogicalPixels, At144DpiReadTwoThirdsOfTheDevicePixels) {
    const DWORD dpi = 144;
    RegistryValueScope logPixels(L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                                 sizeof(dpi));
    DravikProcess dravik({.Settings = SettingsFile(L"Unit=8\r\nLeft=340\r\nTop=200")});
    ASSERT_TRUE(StateBecomes(dravik, {{RulerState::Dpi, L"144"}}))
        << "the ruler did not start at 144 DPI";
    auto moveTo = [&](int x) {
        MoveMouseTo(x, 600);
        return dravik.WaitUntil(
            [&] { return dravik.State()[RulerState::ActX] == std::to_wstring(x); });
    };
    ASSERT_TRUE(moveTo(kLeft + 100));
    ASSERT_EQ(dravik.Ask(L"measure"), L"ok");
    ASSERT_TRUE(moveTo(kLeft + 250));
    ASSERT_TRUE(PutOnClipboard(L"-"));
    ASSERT_EQ(dravik.Ask(L"command menCopyReading"), L"ok");
    EXPECT_TRUE(ClipboardBecomes(dravik, L"100 px"));
    // The position counts logical pixels from 1: client 250 is logical 167.
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::BoxText, L"168  (100)"}}));
}
