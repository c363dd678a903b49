#include "util/win/GdiCanvas.h"

GdiCanvas::GdiCanvas(HDC dc, HFONT normal, HFONT bold)
    : m_dc(dc), m_normal(normal), m_bold(bold ? bold : normal), m_pen(dc, ::GetStockObject(DC_PEN)),
      m_brush(dc, ::GetStockObject(DC_BRUSH)), m_font(dc, normal),
      m_oldBkMode(::SetBkMode(dc, TRANSPARENT)) {}

GdiCanvas::~GdiCanvas() {
    ::SetBkMode(m_dc, m_oldBkMode);
}

void GdiCanvas::FillRect(const Rect& rect, TColor color) {
    if (rect.IsEmpty()) return;
    ::SetDCBrushColor(m_dc, static_cast<COLORREF>(color));
    ::PatBlt(m_dc, rect.Left, rect.Top, rect.Width(), rect.Height(), PATCOPY);
}

void GdiCanvas::MoveTo(Point point) {
    ::MoveToEx(m_dc, point.X, point.Y, nullptr);
}

void GdiCanvas::LineTo(Point point, TColor color) {
    ::SetDCPenColor(m_dc, static_cast<COLORREF>(color));
    ::LineTo(m_dc, point.X, point.Y);
}

void GdiCanvas::SelectFont(bool bold) const {
    if (m_bold == m_normal || bold == m_boldSelected) return;
    ::SelectObject(m_dc, bold ? m_bold : m_normal);
    m_boldSelected = bold;
}

Size GdiCanvas::TextExtent(const std::wstring& text, bool bold) const {
    SelectFont(bold);
    SIZE size{};
    ::GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
    return {size.cx, size.cy};
}

void GdiCanvas::TextAt(int x, int y, const std::wstring& text, TColor color, bool bold) {
    SelectFont(bold);
    ::SetTextColor(m_dc, static_cast<COLORREF>(color));
    ::TextOutW(m_dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void GdiCanvas::CopyFrom(HDC source, const Rect& rect) {
    if (rect.IsEmpty()) return;
    ::BitBlt(m_dc, rect.Left, rect.Top, rect.Width(), rect.Height(), source, rect.Left, rect.Top,
             SRCCOPY);
}
