#pragma once
// A window's rectangles as the core's Rect, and back.
#include "util/Geometry.h"

#include <windows.h>

inline Rect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
inline RECT ToRECT(const Rect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

// The window's outer bounds in screen coordinates (empty for no window).
inline Rect WindowRectOf(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return ToRect(r);
}

// The client area, from 0, 0.
inline Rect ClientRectOf(HWND wnd) {
    RECT r{};
    ::GetClientRect(wnd, &r);
    return ToRect(r);
}

// Every monitor together, in screen coordinates: its corner may lie left of
// or above the primary monitor's.
inline Rect VirtualScreenRect() {
    return Rect::FromSize(
        ::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
        ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

// The monitor the window mostly lies on (the nearest for a window on none).
inline Rect MonitorRectOf(HWND wnd) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &info);
    return ToRect(info.rcMonitor);
}
