// The colour picker button with its popup on the screen: a driver thread
// acts on the open popup the way input reaches it (messages to the popup
// window, which holds the mouse capture) while the button runs it.
#include "settings/win/ColorPickerButton.h"
#include "../common/Input.h"
#include "util/win/Handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

HWND PopupWindow() {
    HWND wnd = ::FindWindowW(TColorPopupWnd::ClassName, nullptr);
    return wnd && ::IsWindowVisible(wnd) ? wnd : nullptr;
}

HWND PopupWindowEvenHidden() {
    return ::FindWindowW(TColorPopupWnd::ClassName, nullptr);
}

// The text of the visible tooltip that the window owns, empty when none shows.
std::wstring TooltipTextOwnedBy(HWND owner) {
    for (HWND tip = ::FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tip;
         tip = ::FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) {
        if (::GetWindow(tip, GW_OWNER) != owner || !::IsWindowVisible(tip)) continue;
        wchar_t text[128] = {};
        TTTOOLINFOW tool{sizeof(tool)};
        tool.hwnd = owner;
        tool.uId = 1;
        tool.lpszText = text;
        ::SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
        return text;
    }
    return L"";
}

TColor ScreenPixel(int x, int y) {
    WindowDC screen(nullptr);
    return static_cast<TColor>(::GetPixel(screen.Get(), x, y));
}

RECT WindowRectOf(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return r;
}

void Click(HWND popup, Point p) {
    const LPARAM at = MAKELPARAM(p.X, p.Y);
    ::PostMessageW(popup, WM_MOUSEMOVE, 0, at);
    ::PostMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(popup, WM_LBUTTONUP, 0, at);
}

Point Centre(const Rect& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

class ColorPickerButtonShell : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = L"DravikPickerHost";
        ::RegisterClassW(&wc);
        // The host is no taller than the button: under Wine the active host
        // can stay above the top-most popup where they overlap.
        m_host = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 200, 100, 200,
                                   21, nullptr, nullptr, wc.hInstance, nullptr);
        m_button.Create(m_host, 100, {10, 0, 65, 21});
        m_button.OnChange = [this](TColorPickerButton&) { ++m_changes; };
    }
    void TearDown() override { ::DestroyWindow(m_host); }

    // Opens the popup with open() while a driver thread acts on it once it is
    // painted (cell 0, black, shows); a popup still open afterwards is closed
    // and the test fails.
    void Run(const std::function<void()>& open, const std::function<void(HWND)>& act) {
        std::atomic<bool> stuck{false};
        std::thread driver([&] {
            HWND popup = nullptr;
            const bool shown = PollFor(
                [&] {
                    popup = PopupWindow();
                    return popup && Painted(popup);
                },
                5000);
            if (shown) act(popup);
            if (!PollFor([] { return PopupWindow() == nullptr; }, 3000)) {
                stuck = true;
                ::PostMessageW(PopupWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
            }
        });
        open();
        driver.join();
        EXPECT_FALSE(stuck) << "the popup did not close by itself";
        EXPECT_FALSE(m_button.DroppedDown());
    }
    void RunFromSideButton(const std::function<void(HWND)>& act) {
        Run([this] { ::SendMessageW(m_button.BtnShowPal(), BM_CLICK, 0, 0); }, act);
    }

    TColor PixelAt(HWND popup, Point p) const {
        const RECT r = WindowRectOf(popup);
        return ScreenPixel(r.left + p.X, r.top + p.Y);
    }
    // Wine shows a newly shown window's surface in pieces: cell 0 (black)
    // shows first, the pixel read is the one that then stays.
    bool Painted(HWND popup) {
        return PixelAt(popup, Centre(m_button.Popup().Model.GetCellRect(0))) == 0;
    }
    // The pixel once it has stayed the same for a few reads.
    TColor SteadyPixelAt(HWND popup, Point p) const {
        TColor last = PixelAt(popup, p);
        int same = 0;
        PollFor(
            [&] {
                const TColor now = PixelAt(popup, p);
                same = now == last ? same + 1 : 0;
                last = now;
                return same >= 3;
            },
            2000);
        return last;
    }

    HWND m_host = nullptr;
    TColorPickerButton m_button;
    int m_changes = 0;
};

} // namespace

TEST_F(ColorPickerButtonShell, EachStandardCellAndSampleCombsGiveTheColourPaintedThere) {
    TColorPopup& model = m_button.Popup().Model;
    // 40 cells, then colour combs (centre, inner ring, outer corners) and
    // grey combs (white, a middle grey, black).
    struct Target {
        bool comb;
        int index;
        bool grey;
    };
    std::vector<Target> targets;
    for (int i = 0; i < 40; ++i)
        targets.push_back({false, i, false});
    for (int comb : {0, 3, 126, 91})
        targets.push_back({true, comb, false});
    for (int grey : {0, 8, 16})
        targets.push_back({true, grey, true});

    for (const Target& t : targets) {
        SCOPED_TRACE(::testing::Message()
                     << (t.comb ? t.grey ? "grey comb " : "comb " : "cell ") << t.index);
        const int changesBefore = m_changes;
        // A colour that is in no cell and no comb: nothing selected on opening.
        m_button.SetSelectionColor(0x123457);
        TColor painted = clNone;
        RunFromSideButton([&](HWND popup) {
            const Point p = !t.comb  ? Centre(model.GetCellRect(t.index))
                            : t.grey ? model.BWCombCentre(t.index)
                                     : model.ColorCombCentre(t.index);
            painted = SteadyPixelAt(popup, p);
            Click(popup, p);
        });
        EXPECT_EQ(m_button.SelectionColor(), painted);
        EXPECT_EQ(m_changes, changesBefore + 1);
    }
}

TEST_F(ColorPickerButtonShell, KeysAndOutsideClicksFromEveryWayOfOpening) {
    auto sideButtonClick = [this] { ::SendMessageW(m_button.BtnShowPal(), BM_CLICK, 0, 0); };
    auto enterOnSideButton = [this] {
        ::SendMessageW(m_button.BtnShowPal(), WM_KEYDOWN, VK_RETURN, 0);
    };
    auto altDownOnControl = [this] {
        ::SendMessageW(m_button.Handle(), WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
    };
    auto swatchPress = [this] {
        ::SendMessageW(m_button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 10));
    };
    constexpr WPARAM OutsideClick = 0;
    struct Row {
        const char* name;
        std::function<void()> open;
        TColor start;
        std::vector<WPARAM> keys;
        TColor expected;
        int changes;
    };
    const std::vector<Row> rows = {
        // From black (cell 0): right, down is cell 9, orange.
        {"right down enter",
         sideButtonClick,
         0x000000,
         {VK_RIGHT, VK_DOWN, VK_RETURN},
         0x0066FF,
         1},
        // Left from the first cell wraps to the last, white.
        {"left space", enterOnSideButton, 0x000000, {VK_LEFT, VK_SPACE}, 0xFFFFFF, 1},
        // Up from row 0 of cell 3 with no entries above: the last cell.
        {"up enter", altDownOnControl, 0x003300, {VK_UP, VK_RETURN}, 0xFFFFFF, 1},
        {"escape keeps the colour", swatchPress, 0x0066FF, {VK_RIGHT, VK_ESCAPE}, 0x0066FF, 0},
        // Nothing hovered: Enter keeps the colour instead of the default.
        {"enter on nothing", sideButtonClick, 0x123457, {VK_RETURN}, 0x123457, 0},
        {"outside click cancels", sideButtonClick, 0x000000, {VK_RIGHT, OutsideClick}, 0x000000, 0},
    };
    m_button.DefaultColor = 0x00FF00;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_button.SetSelectionColor(row.start);
        m_changes = 0;
        Run(row.open, [&](HWND popup) {
            for (WPARAM key : row.keys) {
                if (key == OutsideClick) {
                    ::PostMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-20, -20));
                    continue;
                }
                ::PostMessageW(popup, WM_KEYDOWN, key, 0);
            }
        });
        EXPECT_EQ(m_button.SelectionColor(), row.expected);
        EXPECT_EQ(m_changes, row.changes);
    }
}

TEST_F(ColorPickerButtonShell, NearTheScreenBottomThePopupOpensAboveItsButton) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(m_host, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT work = monitor.rcWork;
    // The button 10 pixels above the bottom, and at the right edge.
    ::SetWindowPos(m_host, nullptr, work.right - 40, work.bottom - 31, 200, 21,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    for (bool atBottom : {true, false}) {
        SCOPED_TRACE(atBottom ? "at the bottom" : "in the middle");
        if (!atBottom)
            ::SetWindowPos(m_host, nullptr, 100, 100, 200, 21, SWP_NOZORDER | SWP_NOACTIVATE);
        RECT popupRect{};
        RunFromSideButton([&](HWND popup) {
            popupRect = WindowRectOf(popup);
            ::PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        const RECT button = WindowRectOf(m_button.Handle());
        if (atBottom) {
            EXPECT_EQ(popupRect.bottom, button.top);
            EXPECT_EQ(popupRect.right, work.right);
        } else {
            EXPECT_EQ(popupRect.top, button.bottom);
            EXPECT_EQ(popupRect.left, button.left - 1);
        }
        EXPECT_GE(popupRect.top, work.top);
        EXPECT_LE(popupRect.bottom, work.bottom);
    }
}

TEST_F(ColorPickerButtonShell, HoveringShowsTheHintOfTheCellOrTheOwnersWords) {
    TColorPopup& model = m_button.Popup().Model;
    m_button.Hint = L"Farbe";
    m_button.OnHint = [](TColorPickerButton&, int cell, std::wstring& hint) {
        hint += L" " + std::to_wstring(cell);
    };
    struct Row {
        std::function<Point()> at;
        std::wstring hint;
    };
    const std::vector<Row> rows = {
        {[&] { return Centre(model.GetCellRect(0)); }, L"Black"},
        {[&] { return Centre(model.GetCellRect(1)); }, L"Brown"},
        // Between the cells' frame and the popup's edge: the owner's words.
        {[&] {
             return Point{model.Margin() + 1, model.Margin() + 1};
         },
         L"Farbe -1"},
        {[&] { return Centre(model.GetCellRect(9)); }, L"Orange"},
    };
    std::vector<std::wstring> shown;
    RunFromSideButton([&](HWND popup) {
        for (const Row& row : rows) {
            const Point p = row.at();
            ::PostMessageW(popup, WM_MOUSEMOVE, 0, MAKELPARAM(p.X, p.Y));
            std::wstring text;
            PollFor(
                [&] {
                    text = TooltipTextOwnedBy(popup);
                    return text == row.hint;
                },
                3000);
            shown.push_back(text);
        }
        ::PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    ASSERT_EQ(shown.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(shown[i], rows[i].hint);
    EXPECT_EQ(TooltipTextOwnedBy(PopupWindowEvenHidden()), L"") << "the hint goes with the popup";
}
