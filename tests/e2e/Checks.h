#pragma once
// What several end-to-end tests check: the settings file a copy wrote and
// the state its channel reports.
#include "../common/Input.h"
#include "DravikProcess.h"
#include "ProgramWindows.h"
#include "Screen.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// State keys with the values they should have.
using Values = std::vector<std::pair<RulerStateKey, std::wstring>>;
// Settings keys with the values they should have in the file.
using IniValues = std::vector<std::pair<std::wstring, std::wstring>>;

// For failure messages (the keys and values compared are ASCII).
inline std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// A settings file as a user would edit it: these lines below [Settings].
inline TBytes SettingsFile(const std::wstring& lines) {
    return Utf16File(L"[Settings]\r\n" + lines + L"\r\n");
}

struct IniEntry {
    std::wstring Section, Key, Value;
};

// The keys of a UTF-16 settings file in the order they stand in it.
inline std::vector<IniEntry> ReadIni(const std::wstring& file) {
    const TBytes bytes = ReadBytes(file);
    std::vector<IniEntry> entries;
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) return entries;
    std::wistringstream lines(DecodeUtf16LE(bytes.data() + 2, bytes.size() - 2));
    std::wstring line, section;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        if (line.size() > 1 && line.front() == L'[' && line.back() == L']') {
            section = line.substr(1, line.size() - 2);
        } else if (const auto eq = line.find(L'='); eq != std::wstring::npos) {
            entries.push_back({section, line.substr(0, eq), line.substr(eq + 1)});
        }
    }
    return entries;
}

inline std::wstring IniValue(const std::vector<IniEntry>& entries, const std::wstring& key) {
    for (const IniEntry& e : entries)
        if (e.Key == key) return e.Value;
    return L"(missing)";
}

// The same key can stand in several sections ("count", "0", ...).
inline std::wstring IniValue(const std::vector<IniEntry>& entries, const std::wstring& section,
                             const std::wstring& key) {
    for (const IniEntry& e : entries)
        if (e.Section == section && e.Key == key) return e.Value;
    return L"(missing)";
}

// The state holds these values within the time; otherwise says what it held.
inline ::testing::AssertionResult StateBecomes(DravikProcess& dravik, const Values& expected,
                                               DWORD timeoutMs = 3000) {
    DravikProcess::StateValues state({});
    auto matches = [&] {
        state = dravik.State();
        for (const auto& [key, value] : expected)
            if (state[key] != value) return false;
        return true;
    };
    if (dravik.WaitUntil(matches, timeoutMs)) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    for (const auto& [key, value] : expected)
        failure << "\n"
                << Narrow(key.Name) << ": expected \"" << Narrow(value) << "\", was \""
                << Narrow(state[key]) << "\"";
    return failure;
}

// A point of the title bar that the window itself reports as this part
// (HTCAPTION, HTCLOSE), so no frame metrics are guessed.
inline bool TitleBarPoint(HWND wnd, LRESULT part, POINT& at) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    POINT client{0, 0};
    ::ClientToScreen(wnd, &client);
    const int y = (r.top + client.y) / 2;
    for (int x = (r.left + r.right) / 2; x < r.right; ++x) {
        if (::SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != part) continue;
        at = {part == HTCLOSE ? x + 4 : x, y}; // into the button, not on its edge
        return true;
    }
    return false;
}

// A tray icon's centre once it shows: the picker's or the ruler's own.
inline bool FindTrayIcon(DravikProcess& dravik, bool picker, POINT& centre) {
    return dravik.WaitUntil([&] {
        for (const TrayIcon& icon : TrayIcons())
            if (icon.Picker == picker) {
                centre = icon.Centre;
                return true;
            }
        return false;
    });
}

// Clicks a tray icon until the click shows its effect. Wine's taskbar now
// and then drops the first click on an icon that has just been added, while
// it still lays its icons out; a user clicks again then.
inline ::testing::AssertionResult ClickTrayIconUntil(DravikProcess& dravik, bool picker,
                                                     const std::function<bool()>& done,
                                                     bool right = false) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        POINT icon{};
        if (!FindTrayIcon(dravik, picker, icon))
            return ::testing::AssertionFailure()
                   << "no " << (picker ? "picker" : "ruler") << " icon in the taskbar";
        if (right)
            RightClickAt(icon.x, icon.y);
        else
            LeftClickAt(icon.x, icon.y);
        if (dravik.WaitUntil(done, 3000)) return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "three clicks on the tray icon had no effect";
}

// Keys go to the foreground window: a click on the ruler makes it that,
// as a user would do, when showing it did not.
inline ::testing::AssertionResult Focused(DravikProcess& dravik) {
    if (::GetForegroundWindow() != dravik.Ruler()) {
        RECT r{};
        ::GetWindowRect(dravik.Ruler(), &r);
        LeftClickAt(r.left + 60, r.top + 20);
    }
    if (dravik.WaitUntil([&] { return ::GetForegroundWindow() == dravik.Ruler(); }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the ruler did not get the focus";
}
