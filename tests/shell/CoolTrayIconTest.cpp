// Tray icons: the shell's notifications turned into events, icons back after
// a shell restart, the shared window's life and the popup menu.
#include "util/win/CoolTrayIcon.h"
#include "../common/Input.h"
#include "util/win/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

void Notify(const TCoolTrayIcon& icon, UINT mouseMessage) {
    ::PostMessageW(TCoolTrayIcon::TrayIconHandlerWindow(), TCoolTrayIcon::CallbackMessage,
                   icon.Id(), mouseMessage);
}

std::string Keys(TShiftState s) {
    std::string keys;
    if (s.Shift) keys += "+shift";
    if (s.Ctrl) keys += "+ctrl";
    if (s.Alt) keys += "+alt";
    return keys;
}

std::string Word(const char* what, TMouseButton b, TShiftState s) {
    std::string word = what;
    word += b == TMouseButton::mbLeft ? " L" : b == TMouseButton::mbRight ? " R" : " M";
    word += Keys(s);
    return word;
}

// Logs every event of an icon as a short word: "down L", "up R", "click", ...
void Record(TCoolTrayIcon& icon, std::vector<std::string>& log) {
    icon.OnClick = [&](TCoolTrayIcon&) { log.push_back("click"); };
    icon.OnMouseDown = [&](TCoolTrayIcon&, TMouseButton b, TShiftState s, int, int) {
        log.push_back(Word("down", b, s));
    };
    icon.OnMouseUp = [&](TCoolTrayIcon&, TMouseButton b, TShiftState s, int, int) {
        log.push_back(Word("up", b, s));
    };
    icon.OnMouseMove = [&](TCoolTrayIcon&, TShiftState s, int x, int y) {
        log.push_back("move" + Keys(s) + " " + std::to_string(x) + "," + std::to_string(y));
    };
}

void HoldKey(BYTE key) {
    BYTE keys[256] = {};
    if (key) keys[key] = 0x80;
    ::SetKeyboardState(keys);
}

using Log = std::vector<std::string>;

} // namespace

TEST(CoolTrayIcon, NotificationsBecomeEvents) {
    struct Case {
        const char* Name;
        TTrayBehavior Behavior;
        bool Enabled;
        bool DblClickHandler;
        BYTE HeldKey;
        std::vector<UINT> Messages;
        Log AtOnce;       // after the notifications are handled
        Log AfterDblTime; // what follows once the double-click time is over
    };
    const Case cases[] = {
        {"a click acts at release",
         bhWin95,
         true,
         false,
         VK_SHIFT,
         {WM_LBUTTONDOWN, WM_LBUTTONUP},
         {"down L+shift", "click", "up L+shift"},
         {}},
        {"a click waits for a double click",
         bhWin95,
         true,
         true,
         0,
         {WM_LBUTTONDOWN, WM_LBUTTONUP},
         {"down L", "up L"},
         {"click"}},
        {"a double click is no click",
         bhWin95,
         true,
         true,
         0,
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
         {"down L", "up L", "dbl", "up L"},
         {}},
        {"version 0 ends a right click with the button",
         bhWin95,
         true,
         false,
         VK_CONTROL,
         {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU, NIN_SELECT},
         {"down R+ctrl", "up R+ctrl"},
         {}},
        {"version 3 ends it with the menu or a selection",
         bhWin2000,
         true,
         false,
         0,
         {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU, NIN_SELECT, NIN_KEYSELECT},
         {"down R", "up R", "up R", "up R"},
         {}},
        {"middle button and moves",
         bhWin95,
         true,
         false,
         VK_MENU,
         {WM_MOUSEMOVE, WM_MBUTTONDOWN, WM_MBUTTONUP},
         {"move+alt 123,45", "down M+alt", "up M+alt"},
         {}},
        {"a disabled icon stays silent",
         bhWin95,
         false,
         true,
         0,
         {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN},
         {},
         {}},
    };
    ::SetCursorPos(123, 45);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Log log;
        TCoolTrayIcon icon;
        Record(icon, log);
        if (c.DblClickHandler) icon.OnDblClick = [&](TCoolTrayIcon&) { log.push_back("dbl"); };
        icon.SetBehavior(c.Behavior);
        icon.SetEnabled(c.Enabled);
        HoldKey(c.HeldKey);
        for (UINT m : c.Messages)
            Notify(icon, m);
        Drain();
        HoldKey(0);
        EXPECT_EQ(log, c.AtOnce);
        if (!c.DblClickHandler) continue;
        Log later = c.AtOnce;
        later.insert(later.end(), c.AfterDblTime.begin(), c.AfterDblTime.end());
        PumpUntil([&] { return log.size() >= later.size() + 1; }, ::GetDoubleClickTime() + 300);
        EXPECT_EQ(log, later);
    }
}

TEST(CoolTrayIcon, NotificationsOfADeadIconReachNobody) {
    Log log;
    TCoolTrayIcon live;
    Record(live, log);
    auto dead = std::make_unique<TCoolTrayIcon>();
    Record(*dead, log);
    dead->OnDblClick = [&](TCoolTrayIcon&) { log.push_back("dbl"); };
    // Its click timer is running and its notifications wait in the queue.
    ::SendMessageW(TCoolTrayIcon::TrayIconHandlerWindow(), TCoolTrayIcon::CallbackMessage,
                   dead->Id(), WM_LBUTTONDOWN);
    log.clear();
    Notify(*dead, WM_LBUTTONUP);
    Notify(*dead, WM_RBUTTONDOWN);
    const UINT deadId = dead->Id();
    dead.reset();
    ::PostMessageW(TCoolTrayIcon::TrayIconHandlerWindow(), WM_TIMER, deadId, 0);
    PumpUntil([] { return false; }, ::GetDoubleClickTime() + 200);
    EXPECT_EQ(log, Log{});

    Notify(live, WM_LBUTTONDOWN);
    Notify(live, WM_LBUTTONUP);
    Drain();
    EXPECT_EQ(log, (Log{"down L", "click", "up L"}));
}

TEST(CoolTrayIcon, IconsMeantVisibleComeBackWhenTheShellRestarts) {
    const HICON picture = ::LoadIconW(nullptr, IDI_APPLICATION);
    TCoolTrayIcon shown, hidden;
    shown.SetIcon(picture);
    shown.SetHint(L"Dravik");
    hidden.SetIcon(picture);
    ASSERT_TRUE(shown.ShowIcon());
    ASSERT_TRUE(hidden.ShowIcon());
    hidden.SetIconVisible(false);
    EXPECT_FALSE(hidden.ModifyIcon()); // the shell knows it no more

    // The shell loses its icons behind our back, as when it restarts.
    NOTIFYICONDATAW data = shown.IconData();
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &data));
    EXPECT_FALSE(shown.ModifyIcon());

    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                          SMTO_ABORTIFHUNG, 5000, &result);
    EXPECT_TRUE(shown.ModifyIcon());
    EXPECT_FALSE(hidden.ModifyIcon());
    EXPECT_TRUE(shown.IconVisible());
    EXPECT_FALSE(hidden.IconVisible());
}

TEST(CoolTrayIcon, TheSharedWindowLivesWithTheIcons) {
    HWND first = nullptr;
    {
        TCoolTrayIcon a;
        first = TCoolTrayIcon::TrayIconHandlerWindow();
        ASSERT_TRUE(::IsWindow(first));
        EXPECT_FALSE(::IsWindowVisible(first));
        {
            TCoolTrayIcon b;
            EXPECT_EQ(TCoolTrayIcon::TrayIconHandlerWindow(), first);
            EXPECT_EQ(b.IconData().hWnd, first);
            EXPECT_NE(b.Id(), a.Id());
        }
        EXPECT_EQ(TCoolTrayIcon::TrayIconHandlerWindow(), first);
    }
    EXPECT_EQ(TCoolTrayIcon::TrayIconHandlerWindow(), nullptr);
    EXPECT_FALSE(::IsWindow(first));
    TCoolTrayIcon again;
    EXPECT_TRUE(::IsWindow(TCoolTrayIcon::TrayIconHandlerWindow()));
}

TEST(CoolTrayIcon, WhatTheShellIsToldOfIconAndTip) {
    std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, decltype(&::ImageList_Destroy)> list(
        ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0), &::ImageList_Destroy);
    ::ImageList_ReplaceIcon(list.get(), -1, ::LoadIconW(nullptr, IDI_APPLICATION));
    ::ImageList_ReplaceIcon(list.get(), -1, ::LoadIconW(nullptr, IDI_WARNING));
    TCoolTrayIcon icon;
    icon.SetIconIndex(1);
    EXPECT_EQ(icon.IconIndex(), 0); // no list yet
    icon.SetIconList(list.get());
    icon.SetIconIndex(5);
    EXPECT_EQ(icon.IconIndex(), 1);
    ASSERT_NE(icon.Icon(), nullptr);
    EXPECT_EQ(icon.IconData().hIcon, icon.Icon());

    struct Case {
        std::wstring Hint;
        bool ShowHint;
        std::wstring Tip;
    };
    const std::wstring pair = L"\xD83D\xDCCF"; // one character in two halves
    const Case cases[] = {
        {std::wstring(200, L'x'), true, std::wstring(127, L'x')},
        {std::wstring(126, L'x') + pair, true, std::wstring(126, L'x')},
        {std::wstring(125, L'x') + pair, true, std::wstring(125, L'x') + pair},
        {L"Dravik", false, L""},
        {L"", true, L""},
    };
    for (const Case& c : cases) {
        icon.SetHint(c.Hint);
        icon.SetShowHint(c.ShowHint);
        EXPECT_EQ(std::wstring(icon.IconData().szTip), c.Tip) << c.Hint.size();
    }
}

namespace {

// A hidden window with owner-drawn menu items, like the ruler.
class MenuTargetWindow : public Window {
  public:
    MenuTargetWindow() {
        RegisterClassOnce(L"DravikTrayMenuTarget", nullptr, nullptr);
        CreateWnd(L"DravikTrayMenuTarget", L"", WS_POPUP, 0, 0, 0, 100, 100, nullptr);
    }
    std::vector<UINT> Seen;
    UINT Command = 0;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        Seen.push_back(msg);
        switch (msg) {
        case WM_INITMENUPOPUP:
            // Picks the second item as the keyboard would.
            for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
                ::PostMessageW(Handle(), WM_KEYDOWN, key, 0);
            return 0;
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            item->itemWidth = 80;
            item->itemHeight = 20;
            return TRUE;
        }
        case WM_DRAWITEM:
            return TRUE;
        case WM_COMMAND:
            Command = LOWORD(wParam);
            return 0;
        default:
            return Default(msg, wParam, lParam);
        }
    }
};

bool Saw(const std::vector<UINT>& seen, UINT msg) {
    return std::find(seen.begin(), seen.end(), msg) != seen.end();
}

} // namespace

TEST(CoolTrayIcon, TheRightButtonMenuServesAHiddenWindow) {
    MenuTargetWindow target;
    UniqueHMenu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.Get(), MF_OWNERDRAW, 101, nullptr);
    ::AppendMenuW(menu.Get(), MF_OWNERDRAW, 102, nullptr);
    TCoolTrayIcon icon;
    icon.SetPopupMenu(menu.Get(), target.Handle());
    // Should the keys not reach the menu, it is closed after a while.
    const UINT_PTR guard =
        ::SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); });
    Notify(icon, WM_RBUTTONDOWN);
    EXPECT_TRUE(PumpUntil([&] { return target.Command != 0; }, 8000));
    ::KillTimer(nullptr, guard);
    EXPECT_EQ(target.Command, 102u);
    for (UINT msg :
         {WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM, WM_MENUSELECT, WM_UNINITMENUPOPUP})
        EXPECT_TRUE(Saw(target.Seen, msg)) << std::hex << msg;
    Drain();
    EXPECT_TRUE(Saw(target.Seen, WM_NULL));
    EXPECT_FALSE(::IsWindowVisible(target.Handle()));
}
