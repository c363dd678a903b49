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

    // Mostly on the second monitor (for now a stored place further right is
    // pulled back onto the primary monitor at start).
    auto dravik = StartRulerAt(1220, 100);
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
