#pragma once
// Fonts: every window takes the system's message font.
#include <windows.h>

// The system's message-box font (name, size, style, character set) for a DPI.
LOGFONTW GetSysGuiFont(UINT dpi = 96);

// Copies name and size only.
void FontSetNameSize(const LOGFONTW& source, LOGFONTW& target);

// The form and all its child controls take the system message font at the
// form's DPI. Password edits show their dots in "Wingdings" ("l" is a filled
// dot there). Fonts are owned by a process-wide cache and live until exit.
void FixSysGuiFont(HWND form);

// A cached font for a LOGFONT (never freed before exit; a handful exist).
HFONT CachedFont(const LOGFONTW& font);

// The DPI of the monitor a window is on (96 where the system cannot tell).
UINT WindowDpi(HWND wnd);
