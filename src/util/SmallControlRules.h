#pragma once
// The small shared controls without their windows: what a link label opens,
// where a line bevel draws its line, and which theme part an edit border takes.
#include "util/Geometry.h"
#include "util/WindowsVersion.h"

#include <optional>
#include <string>

// What a link label opens: its command, or its caption when the command is
// empty, without surrounding blanks. A bare mail address ("name@host") gets
// "mailto:", since the shell opens nothing for it otherwise.
std::wstring LinkLabelTarget(const std::wstring& command, const std::wstring& caption);

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// The one-pixel line a line shape draws while themes are on: the top or bottom
// row, the left or right column of a bevel of that size. None for the other
// shapes, and for an empty bevel (which has no row or column to draw on).
std::optional<Rect> ThemedBevelLine(TBevelShape shape, Size size);

// The "Edit" theme part of an edit border: the border without scroll bars
// from Vista on, the plain edit text part before.
int EditBorderThemePart(TWindowsVersion version);
