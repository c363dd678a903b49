#pragma once
// Small pictures drawn from lines and boxes on a 16 x 16 design grid, mapped
// onto a square box of any size: every stroke lands on whole pixels, so the
// picture is as sharp at 24 or 32 pixels as at 16, and strokes grow one
// pixel thicker per 16 pixels of size.
#include "util/Canvas.h"

#include <initializer_list>

using GlyphFn = void (*)(Canvas& canvas, const Rect& box, TColor color);

class GlyphPainter {
  public:
    GlyphPainter(Canvas& canvas, const Rect& box, TColor color);

    // A line in design units, both ends included.
    void Line(int x0, int y0, int x1, int y1);
    // Lines through the points in turn.
    void Path(std::initializer_list<Point> points);
    // A filled box and a box's outline, in design units (right and bottom
    // exclusive, as for Rect).
    void Fill(int left, int top, int right, int bottom);
    void Frame(int left, int top, int right, int bottom);

  private:
    int X(int v) const;
    int Y(int v) const;

    Canvas& m_canvas;
    Rect m_box;
    TColor m_color;
    int m_size;
    int m_stroke;
};
