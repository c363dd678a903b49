#pragma once
// The look of the owner-drawn pop-up menus: a 24-pixel icon column, a
// 12-pixel "Segoe UI" face and the system's colours, all scaled to the DPI
// of the window that shows the menu; an item's icon is loaded from the
// program's resources in the small-icon size of that DPI.
#include "util/Glyph.h"

#include <windows.h>

#include <commctrl.h>

struct MenuItemLook {
    const wchar_t* Caption = L"";
    const wchar_t* KeyText = L"";
    bool Separator = false;
    bool Radio = false;            // a checked radio item shows a dot, others a tick
    const wchar_t* Icon = nullptr; // icon resource; none without
    GlyphFn Glyph = nullptr;       // or a picture drawn as lines in the text colour
};

void MeasureMenuItem(MEASUREITEMSTRUCT& item, const MenuItemLook& look, UINT dpi);
void DrawMenuItem(const DRAWITEMSTRUCT& item, const MenuItemLook& look, UINT dpi);
