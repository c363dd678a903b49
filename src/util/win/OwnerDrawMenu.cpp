#include "util/win/OwnerDrawMenu.h"
#include "util/Dpi.h"

#include "util/win/Fonts.h"
#include "util/win/GdiCanvas.h"
#include "util/win/Handles.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <map>
#include <string>

namespace {

HFONT MenuFont(UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -ScaleToDpi(12, dpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcscpy(font.lfFaceName, L"Segoe UI");
    return CachedFont(font);
}

constexpr int IconColumn = 24;
constexpr int ItemHeight = 22;
constexpr int SeparatorHeight = 7;
constexpr int TextGap = 8;     // between icon column and caption, caption and key text
constexpr int KeyTextGap = 24; // at least this between caption and key text

SIZE TextSize(HDC dc, const wchar_t* text) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &size);
    return size;
}

// A dot for a radio item, a tick for a check item, centred in the icon column.
void DrawCheckMark(HDC dc, const RECT& column, bool radio, COLORREF color, UINT dpi) {
    const int cx = (column.left + column.right) / 2;
    const int cy = (column.top + column.bottom) / 2;
    SelectGuard pen(dc, ::GetStockObject(DC_PEN));
    SelectGuard brush(dc, ::GetStockObject(DC_BRUSH));
    ::SetDCPenColor(dc, color);
    ::SetDCBrushColor(dc, color);
    if (radio) {
        const int r = ScaleToDpi(3, dpi);
        ::Ellipse(dc, cx - r, cy - r, cx + r + 1, cy + r + 1);
        return;
    }
    const int u = ScaleToDpi(2, dpi);
    // Two strokes, each a few pixels thick.
    for (int t = 0; t < std::max(2, u); ++t) {
        const POINT tick[] = {
            {cx - 2 * u, cy - u + t}, {cx - u / 2, cy + u + t}, {cx + 2 * u + 1, cy - 2 * u + t}};
        ::Polyline(dc, tick, 3);
    }
}

// The square a small icon takes in the middle of the icon column.
Rect PictureBox(const RECT& column, UINT dpi) {
    const int size = ::GetSystemMetricsForDpi(SM_CXSMICON, dpi);
    return Rect::FromSize(column.left + (column.right - column.left - size) / 2,
                          column.top + (column.bottom - column.top - size) / 2, size, size);
}

// Loaded once per resource and size: a menu draws its icons on every hover.
HICON MenuIcon(const wchar_t* resource, int size) {
    static std::map<std::pair<std::wstring, int>, UniqueHIcon> loaded;
    UniqueHIcon& icon = loaded[{resource, size}];
    if (!icon)
        icon.Reset(static_cast<HICON>(
            ::LoadImageW(::GetModuleHandleW(nullptr), resource, IMAGE_ICON, size, size, 0)));
    return icon.Get();
}

void DrawMenuIcon(HDC dc, const RECT& column, const wchar_t* resource, UINT dpi, bool grayed) {
    const Rect box = PictureBox(column, dpi);
    const int size = box.Width();
    const HICON icon = MenuIcon(resource, size);
    if (!icon) return;
    const int x = box.Left, y = box.Top;
    if (grayed)
        ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, size, size,
                     DST_ICON | DSS_DISABLED);
    else
        ::DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
}

void DrawPictureFrame(HDC dc, const RECT& column, UINT dpi) {
    const Rect box = PictureBox(column, dpi);
    const int margin = ScaleToDpi(2, dpi);
    RECT frame{box.Left - margin, box.Top - margin, box.Right + margin, box.Bottom + margin};
    ::FillRect(dc, &frame, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    ::InflateRect(&frame, -1, -1);
    ::FillRect(dc, &frame, ::GetSysColorBrush(COLOR_MENU));
}

void DrawMenuGlyph(HDC dc, const RECT& column, GlyphFn glyph, UINT dpi, COLORREF color) {
    GdiCanvas canvas(dc, nullptr, nullptr);
    glyph(canvas, PictureBox(column, dpi), color);
}

} // namespace

void MeasureMenuItem(MEASUREITEMSTRUCT& item, const MenuItemLook& look, UINT dpi) {
    if (look.Separator) {
        item.itemWidth = static_cast<UINT>(ScaleToDpi(IconColumn, dpi));
        item.itemHeight = static_cast<UINT>(ScaleToDpi(SeparatorHeight, dpi));
        return;
    }
    WindowDC screen(nullptr);
    SelectGuard font(screen.Get(), MenuFont(dpi));
    const SIZE caption = TextSize(screen.Get(), look.Caption);
    const SIZE key = TextSize(screen.Get(), look.KeyText);
    int width = ScaleToDpi(IconColumn + TextGap, dpi) + caption.cx + ScaleToDpi(TextGap, dpi);
    if (*look.KeyText) width += ScaleToDpi(KeyTextGap, dpi) + key.cx;
    item.itemWidth = static_cast<UINT>(width);
    item.itemHeight = static_cast<UINT>(
        std::max<LONG>(ScaleToDpi(ItemHeight, dpi), caption.cy + ScaleToDpi(6, dpi)));
}

void DrawMenuItem(const DRAWITEMSTRUCT& item, const MenuItemLook& look, UINT dpi) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool grayed = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    ::FillRect(dc, &r, ::GetSysColorBrush(selected && !grayed ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (look.Separator) {
        RECT line{r.left + ScaleToDpi(IconColumn + TextGap, dpi), (r.top + r.bottom) / 2, r.right,
                  (r.top + r.bottom) / 2 + 1};
        ::FillRect(dc, &line, ::GetSysColorBrush(COLOR_3DSHADOW));
        return;
    }
    const COLORREF text = ::GetSysColor(grayed     ? COLOR_GRAYTEXT
                                        : selected ? COLOR_HIGHLIGHTTEXT
                                                   : COLOR_MENUTEXT);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(dc, text);
    RECT icon{r.left, r.top, r.left + ScaleToDpi(IconColumn, dpi), r.bottom};
    const bool checked = (item.itemState & ODS_CHECKED) != 0;
    if (look.Glyph || look.Icon) {
        // A checked item with a picture shows it framed, as Windows does.
        if (checked) DrawPictureFrame(dc, icon, dpi);
        // Inside the frame the menu's own colours stand, also on a highlight.
        const COLORREF ink =
            checked ? ::GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT) : text;
        if (look.Glyph)
            DrawMenuGlyph(dc, icon, look.Glyph, dpi, ink);
        else
            DrawMenuIcon(dc, icon, look.Icon, dpi, grayed);
    } else if (checked) {
        DrawCheckMark(dc, icon, look.Radio, text, dpi);
    }
    SelectGuard font(dc, MenuFont(dpi));
    RECT caption{icon.right + ScaleToDpi(TextGap, dpi), r.top, r.right - ScaleToDpi(TextGap, dpi),
                 r.bottom};
    ::DrawTextW(dc, look.Caption, -1, &caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (*look.KeyText)
        ::DrawTextW(dc, look.KeyText, -1, &caption,
                    DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
}
