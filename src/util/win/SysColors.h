#pragma once
// System colours for the portable colour routines, and the background colour
// of edit controls.
#include "util/Color.h"

#include <windows.h>

// Lets GetRealColor answer system colours with GetSysColor. Called once at start-up.
void InstallSysColorProvider();

// Win32 edits have no colour of their own: their parent paints them when it
// answers WM_CTLCOLOREDIT (enabled, editable) and WM_CTLCOLORSTATIC (disabled
// or read-only). So the colour is kept as a property of the edit, and every
// parent that hosts coloured edits answers both messages with
//     if (HBRUSH b = EditBackgroundBrush(reinterpret_cast<HWND>(lParam), dc)) return b;
// before its default handling.
void SetEditBackgroundColor(HWND edit, TColor color);
void ClearEditBackgroundColor(HWND edit);

// Gives the edit the background of its state: window colour when enabled,
// button face when disabled. Call again after EnableWindow.
void EnabledColor(HWND edit);

// The brush for an edit that has a background colour (and sets the DC's text
// background to match), or nullptr when it has none. The brush belongs to the
// system (system colours) or to a process-wide cache; callers never free it.
HBRUSH EditBackgroundBrush(HWND edit, HDC dc);

// What the parent paints behind a control: the brush it answers
// WM_CTLCOLORSTATIC with (dialogs and panels answer it; the default handling
// gives the button face). The brush belongs to the parent or the system.
HBRUSH ParentBackgroundBrush(HWND control, HDC dc);
// The colour of that brush; the button face when the brush is not solid.
TColor ParentBackgroundColor(HWND control, HDC dc);
