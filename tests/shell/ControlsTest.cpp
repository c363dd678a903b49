// Small control routines against real controls: up-down, focus, tab pages,
// popup menus, focus rectangles and hotkeys.
#include "util/win/Controls.h"
#include "util/AssertionFailed.h"
#include "util/win/AppError.h"
#include "util/win/MVUtilWin.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::vector<UINT> g_notifications;

LRESULT CALLBACK HostProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) g_notifications.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

// A visible top-level form that records its notifications.
class Host : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
        ::InitCommonControlsEx(&init);
        WNDCLASSW wc{};
        wc.lpfnWndProc = &HostProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DravikControlsTestHost";
        ::RegisterClassW(&wc);
        m_form = ::CreateWindowExW(0, wc.lpszClassName, L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   200, 150, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
        ::SetForegroundWindow(m_form);
        g_notifications.clear();
    }
    void TearDown() override { ::DestroyWindow(m_form); }

    HWND Child(const wchar_t* cls, HWND parent, DWORD style = WS_VISIBLE, int id = 0,
               const wchar_t* text = L"") {
        return ::CreateWindowExW(0, cls, text, WS_CHILD | style, 10, 10, 80, 24, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                 nullptr);
    }
    std::wstring Text(HWND wnd) {
        wchar_t buffer[64] = {};
        ::GetWindowTextW(wnd, buffer, 64);
        return buffer;
    }

    HWND m_form = nullptr;
};

// Up-down controls.

class UpDown : public Host {
  protected:
    void SetUp() override {
        Host::SetUp();
        m_edit = Child(L"EDIT", m_form);
        m_upDown = Child(UPDOWN_CLASSW, m_form, WS_VISIBLE | UDS_SETBUDDYINT, 7);
        ::SendMessageW(m_upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(m_edit), 0);
        ::SendMessageW(m_upDown, UDM_SETRANGE32, 0, 100);
    }
    int Position() { return static_cast<int>(::SendMessageW(m_upDown, UDM_GETPOS32, 0, 0)); }

    HWND m_edit = nullptr;
    HWND m_upDown = nullptr;
};

TEST_F(UpDown, ValueInsideTheRangeIsTakenAndWritten) {
    UD_SetPosition(m_upDown, 42);
    EXPECT_EQ(Position(), 42);
    EXPECT_EQ(Text(m_edit), L"42");
}

TEST_F(UpDown, ValueIsClampedToTheRange) {
    UD_SetPosition(m_upDown, 150);
    EXPECT_EQ(Position(), 100);
    EXPECT_EQ(Text(m_edit), L"100");
    UD_SetPosition(m_upDown, -5);
    EXPECT_EQ(Position(), 0);
    EXPECT_EQ(Text(m_edit), L"0");
}

TEST_F(UpDown, DownwardRangeClampsTheSame) {
    ::SendMessageW(m_upDown, UDM_SETRANGE32, 100, 0);
    UD_SetPosition(m_upDown, 150);
    EXPECT_EQ(Position(), 100);
    UD_SetPosition(m_upDown, -1);
    EXPECT_EQ(Position(), 0);
}

// The up-down would write "1.500.000" with grouping; the edit holds plain digits.
TEST_F(UpDown, LargeValueIsWrittenWithoutGrouping) {
    ::SendMessageW(m_upDown, UDM_SETRANGE32, 0, 2000000);
    UD_SetPosition(m_upDown, 1500000);
    EXPECT_EQ(Text(m_edit), L"1500000");
}

TEST_F(UpDown, WithoutEditBuddyIsAProgrammingErrorNamingTheControl) {
    const HWND lonely = Child(UPDOWN_CLASSW, m_form, WS_VISIBLE, 1234);
    try {
        UD_SetPosition(lonely, 1);
        FAIL() << "no assertion";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message, L"UD_SetPosition(1234) hat kein TEdit as Associate!");
        // The application's error handler shows the same text.
        EXPECT_EQ(ExceptionMessage(e), e.Message);
    }
    const HWND named = Child(UPDOWN_CLASSW, m_form, WS_VISIBLE, 5, L"udZoom");
    ::SendMessageW(named, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Child(L"BUTTON", m_form)), 0);
    try {
        UD_SetPosition(named, 1);
        FAIL() << "no assertion";
    } catch (const std::logic_error&) {
        SUCCEED();
    }
}

// Focus.

TEST_F(Host, VisibleEnabledControlTakesTheFocus) {
    const HWND edit = Child(L"EDIT", m_form);
    EXPECT_TRUE(SetActiveControl(m_form, edit));
    EXPECT_EQ(::GetFocus(), edit);
}

TEST_F(Host, HiddenOrDisabledControlCannotTakeTheFocus) {
    EXPECT_FALSE(SetActiveControl(m_form, Child(L"EDIT", m_form, 0)));
    EXPECT_FALSE(SetActiveControl(m_form, Child(L"EDIT", m_form, WS_VISIBLE | WS_DISABLED)));
    const HWND panel = Child(L"STATIC", m_form, WS_VISIBLE | WS_DISABLED);
    EXPECT_FALSE(SetActiveControl(m_form, Child(L"EDIT", panel)));
    const HWND hiddenPanel = Child(L"STATIC", m_form, 0);
    EXPECT_FALSE(SetActiveControl(m_form, Child(L"EDIT", hiddenPanel)));
}

TEST_F(Host, MissingFormOrForeignControlGivesFalse) {
    const HWND edit = Child(L"EDIT", m_form);
    EXPECT_FALSE(SetActiveControl(nullptr, edit));
    EXPECT_FALSE(SetActiveControl(m_form, nullptr));
    const HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                         nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(SetActiveControl(other, edit));
    ::DestroyWindow(other);
}

// The form itself may still be hidden, as while a dialog is set up.
TEST_F(Host, HiddenFormDoesNotBlockItsControls) {
    ::ShowWindow(m_form, SW_HIDE);
    EXPECT_TRUE(SetActiveControl(m_form, Child(L"EDIT", m_form)));
}

class TabPages : public Host {
  protected:
    void SetUp() override {
        Host::SetUp();
        m_tab = Child(WC_TABCONTROLW, m_form, WS_VISIBLE, 50);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(L"Eins");
        TabCtrl_InsertItem(m_tab, 0, &item);
        item.pszText = const_cast<wchar_t*>(L"Zwei");
        TabCtrl_InsertItem(m_tab, 1, &item);
        m_page0 = Child(L"STATIC", m_form, WS_VISIBLE);
        m_page1 = Child(L"STATIC", m_form, 0);
        RegisterTabSheet(m_page0, m_tab, 0);
        RegisterTabSheet(m_page1, m_tab, 1);
        TabCtrl_SetCurSel(m_tab, 0);
        g_notifications.clear();
    }
    HWND m_tab = nullptr;
    HWND m_page0 = nullptr;
    HWND m_page1 = nullptr;
};

TEST_F(TabPages, ControlOnAnotherPageBringsThatPageToTheFront) {
    const HWND edit = Child(L"EDIT", m_page1);
    EXPECT_TRUE(SetActiveControl(m_form, edit));
    EXPECT_EQ(TabCtrl_GetCurSel(m_tab), 1);
    EXPECT_TRUE(::IsWindowVisible(m_page1));
    EXPECT_FALSE(::IsWindowVisible(m_page0));
    EXPECT_EQ(g_notifications, std::vector<UINT>{TCN_SELCHANGE});
    EXPECT_EQ(::GetFocus(), edit);
}

TEST_F(TabPages, ControlOnTheCurrentPageChangesNothing) {
    EXPECT_TRUE(SetActiveControl(m_form, Child(L"EDIT", m_page0)));
    EXPECT_EQ(TabCtrl_GetCurSel(m_tab), 0);
    EXPECT_TRUE(g_notifications.empty());
}

// The page switch comes first; a disabled control then still cannot take the focus.
TEST_F(TabPages, DisabledControlOnAnotherPageSwitchesButGivesFalse) {
    EXPECT_FALSE(SetActiveControl(m_form, Child(L"EDIT", m_page1, WS_VISIBLE | WS_DISABLED)));
    EXPECT_EQ(TabCtrl_GetCurSel(m_tab), 1);
}

TEST_F(TabPages, UnregisteredPageIsAPlainPanel) {
    UnregisterTabSheet(m_page1);
    EXPECT_FALSE(SetActiveControl(m_form, Child(L"EDIT", m_page1)));
    EXPECT_EQ(TabCtrl_GetCurSel(m_tab), 0);
}

// Popup menu below a button.

struct MenuProbe {
    RECT MenuRect{};
    bool Seen = false;
};
MenuProbe g_probe;

// Runs inside the menu's modal loop: notes where the menu is, then picks its
// first item with the keyboard.
void CALLBACK ChooseFirstItem(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    const HWND menu = ::FindWindowW(L"#32768", nullptr);
    if (menu) {
        g_probe.Seen = true;
        ::GetWindowRect(menu, &g_probe.MenuRect);
    }
    ::keybd_event(VK_DOWN, 0, 0, 0);
    ::keybd_event(VK_DOWN, 0, KEYEVENTF_KEYUP, 0);
    ::keybd_event(VK_RETURN, 0, 0, 0);
    ::keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
}

TEST_F(Host, PopupOpensBelowTheButtonsLeftEdgeAndReturnsTheChoice) {
    const HWND button = ::CreateWindowExW(0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE, 60, 40, 80,
                                          24, m_form, nullptr, nullptr, nullptr);
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 101, L"Erster");
    ::AppendMenuW(menu, MF_STRING, 102, L"Zweiter");
    g_probe = {};
    ::SetTimer(nullptr, 0, 100, &ChooseFirstItem);
    const int chosen = POP_PopUpLeftBottom(menu, button);
    ::DestroyMenu(menu);

    POINT expected{0, 24};
    ::ClientToScreen(button, &expected);
    ASSERT_TRUE(g_probe.Seen);
    EXPECT_EQ(g_probe.MenuRect.left, expected.x);
    EXPECT_EQ(g_probe.MenuRect.top, expected.y);
    EXPECT_EQ(chosen, 101);
}

// Focus rectangle.

class FocusRect : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dc = ::CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 20, -20, 1, 32, BI_RGB};
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_old = ::SelectObject(m_dc, m_bitmap);
        const RECT all{0, 0, 20, 20};
        ::FillRect(m_dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    void TearDown() override {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    bool Changed(int x, int y) { return ::GetPixel(m_dc, x, y) != RGB(255, 255, 255); }
    bool ColumnChanged(int x) {
        for (int y = 0; y < 20; ++y)
            if (Changed(x, y)) return true;
        return false;
    }
    bool RowChanged(int y) {
        for (int x = 0; x < 20; ++x)
            if (Changed(x, y)) return true;
        return false;
    }
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

// Both picked corners belong to the rectangle, whichever order they come in.
TEST_F(FocusRect, CoversBothCornerPixelsAndNoMore) {
    DrawFocusRectMv(m_dc, Point{12, 10}, Point{3, 2});
    EXPECT_TRUE(ColumnChanged(3));
    EXPECT_TRUE(ColumnChanged(12));
    EXPECT_TRUE(RowChanged(2));
    EXPECT_TRUE(RowChanged(10));
    EXPECT_FALSE(ColumnChanged(2));
    EXPECT_FALSE(ColumnChanged(13));
    EXPECT_FALSE(RowChanged(1));
    EXPECT_FALSE(RowChanged(11));
}

TEST_F(FocusRect, DrawingTwiceErases) {
    DrawFocusRectMv(m_dc, Point{3, 2}, Point{12, 10});
    DrawFocusRectMv(m_dc, Point{12, 10}, Point{3, 2});
    for (int x = 0; x < 20; ++x)
        EXPECT_FALSE(ColumnChanged(x)) << x;
}

// Hotkeys.

TEST_F(Host, ShortcutZeroRegistersNothing) {
    EXPECT_FALSE(MvRegisterHotKey(m_form, 0, 1));
}

TEST_F(Host, CtrlShiftF1RegistersThatCombination) {
    constexpr std::uint16_t ctrlShiftF1 = 0x4000 | 0x2000 | VK_F1;
    ASSERT_TRUE(MvRegisterHotKey(m_form, ctrlShiftF1, 1));
    // The same combination is taken now, so a second registration fails.
    EXPECT_FALSE(::RegisterHotKey(m_form, 2, MOD_CONTROL | MOD_SHIFT, VK_F1));
    EXPECT_TRUE(::UnregisterHotKey(m_form, 1));
    EXPECT_TRUE(::RegisterHotKey(m_form, 2, MOD_CONTROL | MOD_SHIFT, VK_F1));
    ::UnregisterHotKey(m_form, 2);
}

} // namespace
