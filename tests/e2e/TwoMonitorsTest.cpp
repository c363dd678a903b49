// The ruler on two monitors of different sizes side by side: \\.\DISPLAY1
// 1280 x 800 at 0,0 (the primary) and \\.\DISPLAY2 1024 x 768 at 1280,0, as
// scripts/test.sh sets them up for this suite (Wine's own desktop on an X
// server with two outputs; a Wine virtual desktop has one monitor only).
#include "../common/EdidBlock.h"
#include "Checks.h"
#include "DravikProcess.h"
#include "Monitors.h"
#include "Screen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

class TwoMonitors : public ::testing::Test {
  protected:
    void SetUp() override {
        m_monitors = Monitors();
        ASSERT_EQ(m_monitors.size(), 2u) << "this suite runs on two monitors (scripts/test.sh "
                                            "--only e2e-screens)";
    }
    void TearDown() override {
        KeepScreenshotIfFailed();
        m_edids.clear();
    }

    // A monitor by its number n, as in its device name \\.\DISPLAYn.
    const MonitorArea& Monitor(int n) const { return m_monitors.at(static_cast<size_t>(n - 1)); }

    // An EDID for monitor n (1 or 2) for the rest of the test; plant before
    // the ruler starts, as a monitor gives it before any program runs.
    void PlantEdid(int monitor, const std::vector<std::uint8_t>& block) {
        m_edids[monitor] = std::make_unique<PlantedEdid>(Monitor(monitor).Device, block);
    }
    void PlantEdids(const std::vector<std::uint8_t>& first,
                    const std::vector<std::uint8_t>& second) {
        PlantEdid(1, first);
        PlantEdid(2, second);
    }

    // A copy of the ruler whose stored place is left, top (its window's
    // outer corner), with more settings lines ("Unit=1\r\nCmAuto=1").
    static std::unique_ptr<DravikProcess> StartRulerAt(int left, int top,
                                                       const std::wstring& more = L"") {
        return std::make_unique<DravikProcess>(DravikOptions{
            .Settings = SettingsFile(L"Magnifier=0\r\nLeft=" + std::to_wstring(left) + L"\r\nTop=" +
                                     std::to_wstring(top) + L"\r\n" + more)});
    }

    // The ruler's face as it shows on the screen once it has painted what
    // it was asked to: the same pixels twice in a row with no paint between
    // (a paint waits until the ruler's queue is empty, so a sync alone does
    // not tell).
    static ScreenImage RulerPixels(DravikProcess& dravik) {
        ScreenImage last;
        long long lastPaints = -1;
        dravik.WaitUntil([&] {
            dravik.Sync();
            const long long paints = dravik.StateInt(RulerState::Paints);
            ScreenImage now = ScreenImageOf(ClientOnScreen(dravik.Ruler()));
            const bool settled = paints > 0 && paints == lastPaints && now.Pixels == last.Pixels;
            last = std::move(now);
            lastPaints = paints;
            return settled;
        });
        return last;
    }

    // The monitor (1 or 2) that holds most of the window, 0 for none.
    int MonitorOf(HWND window) const {
        const HMONITOR monitor = ::MonitorFromWindow(window, MONITOR_DEFAULTTONULL);
        MONITORINFOEXW info{};
        info.cbSize = sizeof(info);
        if (!monitor || !::GetMonitorInfoW(monitor, &info)) return 0;
        for (size_t i = 0; i < m_monitors.size(); ++i)
            if (m_monitors[i].Device == info.szDevice) return static_cast<int>(i) + 1;
        return 0;
    }

    std::vector<MonitorArea> m_monitors;
    std::map<int, std::unique_ptr<PlantedEdid>> m_edids;
};

// The scale's pixels per millimetre along the ruler, as the ruler says.
double PixelsPerMM(DravikProcess& dravik) {
    return std::wcstod(dravik.State()[RulerState::PixelsPerMMX].c_str(), nullptr);
}

// The column of the tick of a whole millimetre count: the first whose
// reading rounds to it, as the box reads a position.
int TickColumn(int millimetres, double pixelsPerMM) {
    return static_cast<int>(std::ceil((millimetres - 0.5) * pixelsPerMM));
}

// Whether a centimetre tick (the longest, 12 pixels from the edge) stands at
// client column x, give or take a pixel of rounding.
bool CentimetreTickAt(const ScreenImage& face, int x) {
    for (int column = x - 1; column <= x + 1; ++column) {
        int dark = 0;
        for (int y = 1; y < 12; ++y) {
            const COLORREF c = face.At(column, y);
            dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 150;
        }
        if (dark >= 10) return true;
    }
    return false;
}

// Two monitors as their EDIDs describe them: 300 x 188 mm (4.27 pixels per
// millimetre) and 400 x 300 mm (2.56).
std::vector<std::uint8_t> FirstEdid() {
    return EdidBlock({.Manufacturer = "DRA",
                      .Product = 1,
                      .Serial = 11,
                      .Name = "Erster",
                      .NativeWidth = 1280,
                      .NativeHeight = 800,
                      .WidthMM = 300,
                      .HeightMM = 188});
}
std::vector<std::uint8_t> SecondEdid() {
    return EdidBlock({.Manufacturer = "DRA",
                      .Product = 2,
                      .Serial = 22,
                      .Name = "Zweiter",
                      .NativeWidth = 1024,
                      .NativeHeight = 768,
                      .WidthMM = 400,
                      .HeightMM = 300});
}

// "left,top-right,bottom", as the failure messages show it.
std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

} // namespace

TEST_F(TwoMonitors, LayoutEdidAndARulerOnTheSecondMonitor) {
    EXPECT_EQ(Text(Monitor(1).Rect), "0,0-1280,800");
    EXPECT_TRUE(Monitor(1).Primary);
    EXPECT_EQ(Text(Monitor(2).Rect), "1280,0-2304,768");
    EXPECT_FALSE(Monitor(2).Primary);

    // Each monitor's EDID where a program looks for it, and only there.
    const auto second = EdidBlock({.Name = "Zweiter",
                                   .NativeWidth = 1024,
                                   .NativeHeight = 768,
                                   .WidthMM = 304,
                                   .HeightMM = 228});
    PlantEdid(2, second);
    EXPECT_EQ(StoredEdid(Monitor(2).Device), second);
    EXPECT_TRUE(StoredEdid(Monitor(1).Device).empty());

    // Stored on the second monitor, it starts there.
    auto dravik = StartRulerAt(1400, 100);
    EXPECT_EQ(MonitorOf(dravik->Ruler()), 2);
    const ScreenImage face = RulerPixels(*dravik);
    EXPECT_EQ(face.Width(), 600);
    // Drawn there: the face's colour with the dark ticks on it.
    int dark = 0;
    for (const COLORREF c : face.Pixels)
        dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 100;
    EXPECT_GT(dark, 100) << "no ticks on the ruler's face";

    // The pointer over its part on the second monitor, moved as a user would.
    const RECT client = ClientOnScreen(dravik->Ruler());
    ASSERT_GT(client.left + 300, Monitor(2).Rect.left);
    MoveMouseTo(client.left + 300, client.top + 30);
    EXPECT_TRUE(StateBecomes(*dravik, {{RulerState::MousePos, L"300"}}));

    ASSERT_TRUE(Focused(*dravik));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(dravik->WaitForExit(5000));
    EXPECT_EQ(StoredEdid(Monitor(2).Device), second) << "Wine keeps the value";
}

TEST_F(TwoMonitors, MillimetresFollowEachMonitorsOwnSizeAndACalibrationStaysWithItsMonitor) {
    PlantEdids(FirstEdid(), SecondEdid());
    const double first = 1280.0 / 300, second = 1024.0 / 400;
    TBytes file;
    {
        auto dravik =
            StartRulerAt(600, 100, L"Unit=0\r\nMoveHotKeyRight=24615\r\nMoveHotKeyMoveBy=100");
        ASSERT_TRUE(dravik->WaitUntil([&] {
            return std::abs(PixelsPerMM(*dravik) - first) < 1e-3;
        })) << "on the first monitor: "
            << PixelsPerMM(*dravik);
        EXPECT_EQ(dravik->State()[RulerState::MonitorId], L"DRA-0001-0000000B");
        ScreenImage face = RulerPixels(*dravik);
        for (int cm = 1; cm <= 3; ++cm)
            EXPECT_TRUE(CentimetreTickAt(face, TickColumn(cm * 10, first))) << cm;

        // Moved by its hotkey onto the second monitor (the hotkeys cross
        // monitors freely): the scale takes that monitor's millimetres with
        // no calibration. (Xorg has no window manager here, so a drag, which
        // Windows and Wine hand to the window manager, cannot move it.)
        for (int press = 0; press < 7; ++press)
            ASSERT_TRUE(dravik->PressHotkey({VK_CONTROL, VK_SHIFT}, VK_RIGHT));
        EXPECT_TRUE(StateBecomes(*dravik, {{RulerState::Left, L"1300"}}));
        ASSERT_TRUE(dravik->WaitUntil([&] { return MonitorOf(dravik->Ruler()) == 2; }, 5000));
        ASSERT_TRUE(dravik->WaitUntil([&] {
            return std::abs(PixelsPerMM(*dravik) - second) < 1e-3;
        })) << "on the second monitor: "
            << PixelsPerMM(*dravik);
        face = RulerPixels(*dravik);
        for (int cm = 1; cm <= 3; ++cm)
            EXPECT_TRUE(CentimetreTickAt(face, TickColumn(cm * 10, second))) << cm;

        // Calibrated there: the second monitor has its own now.
        ASSERT_EQ(dravik->Ask(L"command KeyPlus"), L"ok");
        EXPECT_TRUE(StateBecomes(*dravik, {{RulerState::CmAuto, L"0"}}));
        ASSERT_TRUE(Focused(*dravik));
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(dravik->WaitForExit(5000));
        file = ReadBytes(dravik->SettingsFile());
    }
    // After a restart with that file: the first monitor as it was, the
    // second calibrated.
    // The file as the first run left it, the ruler's place put elsewhere.
    auto startWith = [&](int left) {
        std::wstring text;
        for (size_t i = 2; i + 1 < file.size(); i += 2)
            text += static_cast<wchar_t>(file[i] | (file[i + 1] << 8));
        const size_t at = text.find(L"Left=");
        text.replace(at, text.find(L'\r', at) - at, L"Left=" + std::to_wstring(left));
        return std::make_unique<DravikProcess>(DravikOptions{.Settings = Utf16File(text)});
    };
    auto onFirst = startWith(100);
    EXPECT_TRUE(StateBecomes(*onFirst, {{RulerState::CmAuto, L"1"}}));
    EXPECT_NEAR(PixelsPerMM(*onFirst), first, 1e-3);
    onFirst.reset();
    auto onSecond = startWith(1400);
    EXPECT_TRUE(StateBecomes(*onSecond, {{RulerState::CmAuto, L"0"}}));
    EXPECT_GT(std::abs(PixelsPerMM(*onSecond) - second), 0.01) << "the calibration, not the EDID";
}

TEST_F(TwoMonitors, OptimalSizeAndCentringOnTheRulersOwnMonitorAndAPlaceOnAMonitorThatIsGone) {
    auto dravik = StartRulerAt(1400, 100);
    ASSERT_EQ(MonitorOf(dravik->Ruler()), 2);
    ASSERT_EQ(dravik->Ask(L"command AufdemBildschirmzenterien1"), L"ok");
    EXPECT_TRUE(StateBecomes(*dravik, {{RulerState::Left, L"1492"}, {RulerState::Top, L"359"}}));
    ASSERT_EQ(dravik->Ask(L"command OptimaleGre1"), L"ok");
    EXPECT_TRUE(StateBecomes(*dravik, {{RulerState::Left, L"1280"},
                                       {RulerState::ClientWidth, L"1024"},
                                       {RulerState::Top, L"359"}}));
    dravik.reset();

    // Stored where no monitor is now: onto the nearest one, its length kept.
    const struct {
        int Left;
        const wchar_t* PulledLeft;
        int Monitor;
    } gone[] = {{5000, L"1704", 2}, {-3000, L"0", 1}};
    for (const auto& row : gone) {
        auto ruler = StartRulerAt(row.Left, 100);
        EXPECT_TRUE(StateBecomes(
            *ruler, {{RulerState::Left, row.PulledLeft}, {RulerState::ClientWidth, L"600"}}))
            << row.Left;
        EXPECT_EQ(MonitorOf(ruler->Ruler()), row.Monitor) << row.Left;
    }
}
