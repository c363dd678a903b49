#pragma once
// Visual themes for the small controls.
#include <windows.h>

// Whether the program draws with visual themes (the system's theme is on and
// applies to this program).
bool ThemesActive();

// The background of an edit control for the rectangle: the themed "Edit"
// border while themes are active, otherwise a grey (808080) frame filled
// with the window colour.
void ThemePaintEditBorder(HDC dc, const RECT& rect);
// The same with the choice made by the caller.
void ThemePaintEditBorder(HDC dc, const RECT& rect, bool themed);
