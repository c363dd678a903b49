#pragma once
// The colour window as the end-to-end tests meet it: a program copy that
// opens it, the clipboard, the page list and the palettes' cells.
#include "Checks.h"
#include "Clipboard.h"
#include "DravikProcess.h"
#include "WindowDriver.h"

#include "colour/win/MVColorFormIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

enum Page { pgSpectrum, pg256, pgWindows, pgWeb, pgMore, pgOffice, pgUser, pgPicture, pgHarmonic };

// A copy without the magnifier, which would stand over the colour window;
// more lines (and sections) may follow.
inline DravikOptions Quiet(const std::wstring& more = L"") {
    return {.Settings = SettingsFile(L"Magnifier=0\r\n" + more)};
}

// Key F on the focused ruler; the colour window once it shows.
inline HWND OpenByKey(DravikProcess& dravik) {
    EXPECT_TRUE(Focused(dravik));
    PressKey('F');
    return ShownProgramWindow(dravik, ColorFormClass);
}

// A click on the title bar's close box, until the window has gone.
inline ::testing::AssertionResult ClosedByItsBox(DravikProcess& dravik, HWND form) {
    for (int attempt = 0; attempt < 3 && ::IsWindow(form); ++attempt) {
        POINT box{};
        if (!TitleBarPoint(form, HTCLOSE, box))
            return ::testing::AssertionFailure() << "no close box";
        if (auto clicked = ClickWithin(form, box); !clicked) return clicked;
        dravik.WaitUntil([&] { return !::IsWindow(form); }, 1000);
    }
    if (!::IsWindow(form)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the close box did not close the window";
}

// The window in the foreground, for keys meant for it.
inline ::testing::AssertionResult FormFocused(DravikProcess& dravik, HWND form) {
    if (::GetForegroundWindow() != form) {
        POINT caption{};
        if (TitleBarPoint(form, HTCAPTION, caption)) ClickWithin(form, caption);
    }
    if (dravik.WaitUntil([&] { return ::GetForegroundWindow() == form; }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the colour window is not in the foreground";
}

inline int Selection(HWND combo) {
    return static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

// Chooses a page from the list as a user would: the list opened by a click,
// then a click on the entry (tried again when a click was lost).
inline ::testing::AssertionResult PageShown(DravikProcess& dravik, HWND form, int page) {
    HWND combo = Control(form, idPalName);
    for (int attempt = 0; attempt < 3 && Selection(combo) != page; ++attempt) {
        if (auto clicked = ClickOn(combo); !clicked) return clicked << " (the page list)";
        HWND list = ShownProgramWindow(dravik, L"ComboLBox", 1000);
        if (!list) continue;
        const int height = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
        const int top = static_cast<int>(::SendMessageW(list, LB_GETTOPINDEX, 0, 0));
        POINT at{20, (page - top) * height + height / 2};
        ::ClientToScreen(list, &at);
        // A list that closed again in the meantime leaves the page under it:
        // a click there would pick a colour. Clicked only where it stands.
        if (!ClickWithin(list, at)) continue;
        dravik.WaitUntil([&] { return Selection(combo) == page && !::IsWindowVisible(list); },
                         1000);
        if (::IsWindowVisible(list)) PressKey(VK_ESCAPE); // closes the list only
    }
    if (Selection(combo) == page) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "page " << page << " not chosen; the list shows " << Selection(combo);
}

// Palette cells at 96 DPI: 10 x 12 pixels with 2-pixel gaps.
inline constexpr int kPitchX = 12, kPitchY = 14, kGap = 2;

inline int Columns(HWND palette) {
    RECT c{};
    ::GetClientRect(palette, &c);
    return (c.right - kGap) / kPitchX;
}

// A point of a cell's colour area, or of its selection frame (left of it).
inline POINT CellPoint(HWND palette, int cell, bool frame = false) {
    const int columns = std::max(1, Columns(palette));
    const int x = cell % columns * kPitchX, y = cell / columns * kPitchY;
    return frame ? POINT{x, y + kPitchY / 2} : POINT{x + kGap + 5, y + kGap + 6};
}

// Fields by id with the texts they must come to show; a failure lists each
// field that differs by the name nameOf gives it.
using FieldTexts = std::vector<std::pair<int, std::wstring>>;
inline ::testing::AssertionResult TextsBecome(DravikProcess& dravik, HWND form,
                                              const FieldTexts& expected,
                                              const std::function<std::string(int)>& nameOf) {
    std::vector<std::wstring> seen(expected.size());
    const auto matches = [&] {
        bool all = true;
        for (size_t i = 0; i < expected.size(); ++i) {
            seen[i] = Text(Control(form, expected[i].first));
            all = all && seen[i] == expected[i].second;
        }
        return all;
    };
    if (dravik.WaitUntil(matches)) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    for (size_t i = 0; i < expected.size(); ++i)
        if (seen[i] != expected[i].second)
            failure << "\n"
                    << nameOf(expected[i].first) << ": expected \"" << Narrow(expected[i].second)
                    << "\", was \"" << Narrow(seen[i]) << "\"";
    return failure;
}
