#pragma once
// Small routines on controls: popup menus under buttons, focus rectangles,
// moving the focus to a control (also on a hidden tab page), up-down controls.
#include "util/Geometry.h"

#include <windows.h>

#include <string>

// A window's text (also a control's caption), empty for none.
std::wstring WindowText(HWND wnd);

// Opens the popup menu just below the button's left edge (its client point
// (0, height) on the screen), owned by the button's parent. Returns the chosen
// command, 0 when the menu was closed without a choice; the caller acts on it.
int POP_PopUpLeftBottom(HMENU menu, HWND button);

// The rectangle spanned by two picked corner pixels, both included, drawn as a
// dotted XOR focus rectangle: drawing it twice erases it.
void DrawFocusRectMv(HDC dc, const Point& point1, const Point& point2);

// Tab pages: a Win32 tab control does not own its pages, so each page (a child
// window placed over the tab control, usually its sibling) is registered with
// the tab control and its index. SetActiveControl uses this to bring a page to
// the front: it selects the tab, shows the page, hides the other pages of that
// tab control, and sends the tab control's parent TCN_SELCHANGE as a click on
// the tab would, so the parent's own page switching runs too.
void RegisterTabSheet(HWND page, HWND tabControl, int index);
void UnregisterTabSheet(HWND page);

// Moves the focus to control, a descendant of form. A control on a tab page
// that is not the selected one has its page brought to the front first. Gives
// false for a missing form or control, a control outside the form, and a
// control that cannot take the focus (it or a parent below the form is hidden
// or disabled); the form itself may still be hidden.
bool SetActiveControl(HWND form, HWND control);

// Clamps value into the up-down control's range, sets its position and writes
// the decimal value into its buddy edit. An up-down without an edit buddy is a
// programming error: throws EAssertionFailed.
void UD_SetPosition(HWND upDown, int value);
