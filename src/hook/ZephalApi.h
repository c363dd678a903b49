#pragma once
// The mouse-hook library zephal.dll: system-wide mouse movement, delivered as a
// window message (wParam = screen x, lParam = screen y).
#include <windows.h>

#ifdef ZEPHAL_BUILDING
#define ZEPHAL_API extern "C" __declspec(dllexport)
#else
#define ZEPHAL_API extern "C" __declspec(dllimport)
#endif

// Installs the hook for the target window; the first argument is reserved (0).
// An earlier installation is replaced, so at most one is ever active.
ZEPHAL_API BOOL WINAPI InstallHookMouse(int reserved, HWND target);
ZEPHAL_API BOOL WINAPI IsHookSetMouse();
ZEPHAL_API void WINAPI RemoveHookMouse();
ZEPHAL_API UINT WINAPI GetMonitorMouseMoveMsg();
