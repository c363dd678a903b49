#pragma once
// The program's windows and controls as another process finds and reads
// them (the end-to-end tests and the cost driver alike).
#include "DravikProcess.h"

#include <windows.h>

#include <string>

// A window's text through WM_GETTEXT, which reaches another process's edits.
inline std::wstring Text(HWND wnd) {
    wchar_t text[512] = {};
    DWORD_PTR copied = 0;
    if (wnd)
        ::SendMessageTimeoutW(wnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text),
                              SMTO_ABORTIFHUNG, 2000, &copied);
    return text;
}

inline std::wstring ClassOf(HWND wnd) {
    wchar_t cls[64] = {};
    if (wnd) ::GetClassNameW(wnd, cls, 64);
    return cls;
}

// The first child window, at any depth, for which found(child) holds.
template <typename Found> HWND FindChild(HWND parent, Found found) {
    struct Search {
        Found* Test;
        HWND Result = nullptr;
    } search{&found};
    ::EnumChildWindows(
        parent,
        [](HWND wnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (!(*s->Test)(wnd)) return TRUE;
            s->Result = wnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Result;
}

// A control of the form by its id, also inside a page or panel.
inline HWND Control(HWND form, int id) {
    if (HWND direct = ::GetDlgItem(form, id)) return direct;
    return FindChild(form, [id](HWND wnd) { return ::GetDlgCtrlID(wnd) == id; });
}

// The first shown child window of that class, at any depth.
inline HWND ChildOfClass(HWND parent, const wchar_t* cls) {
    return FindChild(parent,
                     [cls](HWND wnd) { return ClassOf(wnd) == cls && ::IsWindowVisible(wnd); });
}

// The window of that class once it shows; null when none does in the time.
inline HWND ShownProgramWindow(DravikProcess& dravik, const wchar_t* cls, DWORD timeoutMs = 5000) {
    HWND wnd = nullptr;
    dravik.WaitUntil(
        [&] {
            wnd = dravik.ProgramWindow(cls);
            return wnd && ::IsWindowVisible(wnd);
        },
        timeoutMs);
    return wnd && ::IsWindowVisible(wnd) ? wnd : nullptr;
}
