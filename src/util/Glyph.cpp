#include "util/Glyph.h"

#include <algorithm>
#include <cstdlib>

GlyphPainter::GlyphPainter(Canvas& canvas, const Rect& box, TColor color)
    : m_canvas(canvas), m_box(box), m_color(color),
      m_size(std::max(std::min(box.Width(), box.Height()), 1)), m_stroke(std::max(m_size / 16, 1)) {
}

int GlyphPainter::X(int v) const {
    return m_box.Left + v * m_size / 16;
}

int GlyphPainter::Y(int v) const {
    return m_box.Top + v * m_size / 16;
}

void GlyphPainter::Line(int x0, int y0, int x1, int y1) {
    // A thick stroke is the line drawn again beside itself, across its
    // longer direction.
    const bool steep = std::abs(y1 - y0) > std::abs(x1 - x0);
    for (int t = 0; t < m_stroke; ++t) {
        const Point offset = steep ? Point{t, 0} : Point{0, t};
        const Point from{X(x0) + offset.X, Y(y0) + offset.Y};
        const Point to{X(x1) + offset.X, Y(y1) + offset.Y};
        m_canvas.MoveTo(from);
        m_canvas.LineTo(to, m_color);
        m_canvas.FillRect(Rect::FromSize(to.X, to.Y, 1, 1), m_color);
    }
}

void GlyphPainter::Path(std::initializer_list<Point> points) {
    const Point* previous = nullptr;
    for (const Point& p : points) {
        if (previous) Line(previous->X, previous->Y, p.X, p.Y);
        previous = &p;
    }
}

void GlyphPainter::Fill(int left, int top, int right, int bottom) {
    m_canvas.FillRect({X(left), Y(top), X(right), Y(bottom)}, m_color);
}

void GlyphPainter::Frame(int left, int top, int right, int bottom) {
    const Rect r{X(left), Y(top), X(right), Y(bottom)};
    const int s = m_stroke;
    m_canvas.FillRect({r.Left, r.Top, r.Right, r.Top + s}, m_color);
    m_canvas.FillRect({r.Left, r.Bottom - s, r.Right, r.Bottom}, m_color);
    m_canvas.FillRect({r.Left, r.Top, r.Left + s, r.Bottom}, m_color);
    m_canvas.FillRect({r.Right - s, r.Top, r.Right, r.Bottom}, m_color);
}
