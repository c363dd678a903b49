#pragma once
// The program's windows and controls as a user meets them: found by id,
// read through messages that reach another process, clicked where they
// show, and its message boxes and pop-up menu.
#include "../common/Input.h"
#include "Checks.h"
#include "DravikProcess.h"
#include "ProgramWindows.h"
#include "Screen.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

inline RECT Place(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return r;
}

inline std::string Hex6(COLORREF c) {
    char text[16];
    std::snprintf(text, sizeof(text), "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

inline std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// RRGGBB and BBGGRR of a colour.
inline std::wstring RgbText(COLORREF c) {
    return Wide(Hex6(c));
}
inline std::wstring BgrText(COLORREF c) {
    return Wide(Hex6(RGB(GetBValue(c), GetGValue(c), GetRValue(c))));
}

inline ::testing::AssertionResult PixelBecomes(DravikProcess& dravik, const char* what,
                                               const std::function<COLORREF()>& pixel,
                                               COLORREF expected) {
    if (dravik.WaitUntil([&] { return pixel() == expected; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << what << " shows " << Hex6(pixel()) << ", expected " << Hex6(expected);
}

// Clicks a screen point that must belong to this window, not to one above it.
// A window that is just closing over it (a colour popup after its choice)
// is waited for, as a user waits for it to go. A hint shown for the control
// the pointer rests on goes once the pointer moves on, as a user's hand does
// on its way to the click.
inline ::testing::AssertionResult ClickWithin(HWND wnd, POINT at) {
    HWND root = nullptr;
    bool movedOffHint = false;
    PollFor(
        [&] {
            const HWND hit = ::WindowFromPoint(at);
            root = hit ? ::GetAncestor(hit, GA_ROOT) : nullptr;
            if (!movedOffHint && root && ClassOf(root) == L"tooltips_class32") {
                PointerTo(at.x, at.y);
                movedOffHint = true;
            }
            return root == ::GetAncestor(wnd, GA_ROOT);
        },
        2000);
    if (root != ::GetAncestor(wnd, GA_ROOT))
        return ::testing::AssertionFailure()
               << "at " << at.x << "," << at.y << " a window of class \"" << Narrow(ClassOf(root))
               << "\" stands over the one to click";
    PointerTo(at.x, at.y);
    MouseEventAt(at.x, at.y, MOUSEEVENTF_LEFTDOWN);
    MouseEventAt(at.x, at.y, MOUSEEVENTF_LEFTUP);
    return ::testing::AssertionSuccess();
}

// Clicks a control at a point of its client area, its middle when none is given.
inline ::testing::AssertionResult ClickOn(HWND control, std::optional<POINT> client = {}) {
    if (!control) return ::testing::AssertionFailure() << "no such control";
    RECT c{};
    ::GetClientRect(control, &c);
    POINT at = client.value_or(POINT{c.right / 2, c.bottom / 2});
    ::ClientToScreen(control, &at);
    return ClickWithin(control, at);
}

// Clicks a control until the click shows its effect. Wine now and then
// loses a click right after a window (a hint, a page) opened under the
// pointer; a user clicks again then. Only clicks whose effect can be seen
// and that do no harm twice are clicked this way.
inline ::testing::AssertionResult ClickUntil(DravikProcess& dravik, HWND control,
                                             const std::function<bool()>& done,
                                             std::optional<POINT> client = {},
                                             DWORD timeoutMs = 3000) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (auto clicked = ClickOn(control, client); !clicked) {
            // A window over the control after a click may be that click's
            // effect, only slower to show than the wait above (a busy
            // machine): it gets the time a user would give it.
            if (attempt > 0 && dravik.WaitUntil(done, 10000)) return ::testing::AssertionSuccess();
            return clicked;
        }
        if (dravik.WaitUntil(done, timeoutMs)) return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "three clicks had no effect";
}

// Presses a key chord until it shows its effect. Wine re-reads the X
// keyboard now and then and may drop a modifier that was injected a moment
// before; a user presses again then. Only for chords that do no harm twice.
inline ::testing::AssertionResult PressUntil(DravikProcess& dravik,
                                             std::initializer_list<WORD> modifiers, WORD key,
                                             const std::function<bool()>& done) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        PressKeyWith(modifiers, key);
        if (dravik.WaitUntil(done, 3000)) return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "three presses had no effect";
}

inline HWND FocusOf(HWND wnd) {
    GUITHREADINFO info{sizeof(info)};
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(wnd, nullptr), &info);
    return info.hwndFocus;
}

// Clicks into a text field and selects its whole text, as a user would
// before typing over it.
inline ::testing::AssertionResult SelectText(DravikProcess& dravik, HWND field) {
    // Two clicks on one spot in quick succession are a double click, which
    // an edit takes without taking the focus: each click goes elsewhere.
    static bool left = false;
    left = !left;
    RECT c{};
    ::GetClientRect(field, &c);
    const POINT at{left ? c.right / 4 : c.right * 3 / 4, c.bottom / 2};
    if (auto clicked = ClickUntil(
            dravik, field, [&] { return FocusOf(field) == field; }, at);
        !clicked)
        return clicked << " (the field did not take the focus)";
    // Keys go to the foreground window: a window the field's own box has
    // just given back may not be that yet.
    if (!dravik.WaitUntil([&] { return ::GetForegroundWindow() == ::GetAncestor(field, GA_ROOT); }))
        return ::testing::AssertionFailure() << "the field's window is not in the foreground";
    PressKeyWith({}, VK_HOME);
    PressKeyWith({VK_SHIFT}, VK_END);
    return ::testing::AssertionSuccess();
}

// The program's message box: its text, and closed with Enter as a user would.
inline std::wstring AnswerMessageBox(DravikProcess& dravik, HWND* shown = nullptr) {
    HWND box = nullptr;
    const std::wstring text = dravik.WaitForMessageBox(3000, &box);
    if (shown) *shown = box;
    if (!box) return L"(no message box)";
    if (dravik.WaitUntil([&] { return ::GetForegroundWindow() == box; })) PressKey(VK_RETURN);
    if (!dravik.WaitUntil([&] { return !::IsWindow(box); })) {
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        dravik.WaitUntil([&] { return !::IsWindow(box); });
        return L"(Enter did not close the box) " + text;
    }
    return text;
}

// Whether this process could take the combination (then it lets it go at once).
inline bool HotkeyFree(UINT modifiers, UINT key) {
    constexpr int kProbeId = 0x7A01;
    if (!::RegisterHotKey(nullptr, kProbeId, modifiers, key)) return false;
    ::UnregisterHotKey(nullptr, kProbeId);
    return true;
}

// The program's visible pop-up menu window ("#32768").
inline HWND OpenMenu(DravikProcess& dravik) {
    struct Search {
        HWND Ruler;
        HWND Found = nullptr;
    } search{dravik.Ruler()};
    ::EnumWindows(
        [](HWND wnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0, rulerPid = 0;
            ::GetWindowThreadProcessId(wnd, &pid);
            ::GetWindowThreadProcessId(s->Ruler, &rulerPid);
            if (pid != rulerPid || ClassOf(wnd) != L"#32768" || !::IsWindowVisible(wnd))
                return TRUE;
            s->Found = wnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}
