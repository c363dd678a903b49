#pragma once
// Pop-up menus as Windows' context menus behave: the window they belong to
// takes the foreground first and the activation is dispatched, so the menu
// has the keyboard from the moment it opens (the arrow keys, Enter, Esc) and
// closes on a click elsewhere.
#include <windows.h>

// Dispatches what is queued for the thread now; a WM_QUIT is posted again.
void ProcessPendingMessages();

// Opens menu for owner at a screen point and gives the chosen command (0
// for none); the command is not sent. With exclude, the menu opens beside
// that rectangle rather than over it (a menu opened from the keyboard for a
// window).
UINT TrackPopupMenuFor(HWND owner, HMENU menu, POINT at, const RECT* exclude = nullptr);
