#pragma once
// The core's canvas drawn with GDI on a device context. Pens and brushes are
// the DC's own (DC_PEN, DC_BRUSH), so drawing allocates no GDI objects.
#include "util/Canvas.h"
#include "util/win/Handles.h"

#include <windows.h>

class GdiCanvas : public Canvas {
  public:
    // The fonts are borrowed; bold may be null when no bold text is drawn.
    GdiCanvas(HDC dc, HFONT normal, HFONT bold);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void FillRect(const Rect& rect, TColor color) override;
    void MoveTo(Point point) override;
    void LineTo(Point point, TColor color) override;
    Size TextExtent(const std::wstring& text, bool bold) const override;
    void TextAt(int x, int y, const std::wstring& text, TColor color, bool bold) override;

    // Copies a rectangle of another DC to the same place on this one.
    void CopyFrom(HDC source, const Rect& rect);

  private:
    void SelectFont(bool bold) const;

    HDC m_dc;
    HFONT m_normal;
    HFONT m_bold;
    SelectGuard m_pen;
    SelectGuard m_brush;
    SelectGuard m_font;
    // Selecting a font costs, even the one already selected (under Wine each
    // select on a window DC asks the X resources again), so it is done only
    // when the text switches between normal and bold.
    mutable bool m_boldSelected = false;
    int m_oldBkMode;
};
