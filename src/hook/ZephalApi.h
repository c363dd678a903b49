#pragma once
// The mouse-hook library zephal.dll: system-wide mouse movement, delivered as a
// window message (wParam = screen x, lParam = screen y). At most one
// notification waits in the window's queue, and it carries the newest position
// when the window takes it: a busy window skips stale ones.
#include <windows.h>

#ifdef ZEPHAL_BUILDING
#define ZEPHAL_API extern "C" __declspec(dllexport)
#else
#define ZEPHAL_API extern "C" __declspec(dllimport)
#endif

// Installs the hook for the target window; the first argument is reserved (0).
// An earlier installation is replaced, so at most one is ever active: when the
// earlier one cannot be stopped within 5 s, it stays and the call fails.
ZEPHAL_API BOOL WINAPI InstallHookMouse(int reserved, HWND target);
ZEPHAL_API BOOL WINAPI IsHookSetMouse();
// Stops the installation; if its thread does not end in time it stays set, and
// a later call tries again.
ZEPHAL_API void WINAPI RemoveHookMouse();
ZEPHAL_API UINT WINAPI GetMonitorMouseMoveMsg();
