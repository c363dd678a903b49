#include "ruler/RulerGlyphs.h"

namespace RulerGlyphs {

// An eye.
void Visible(Canvas& canvas, const Rect& box, TColor color) {
    GlyphPainter p(canvas, box, color);
    p.Path({{1, 8}, {5, 4}, {11, 4}, {15, 8}, {11, 12}, {5, 12}, {1, 8}});
    p.Fill(6, 6, 10, 10);
}

// A window in front of another.
void OnTop(Canvas& canvas, const Rect& box, TColor color) {
    GlyphPainter p(canvas, box, color);
    p.Frame(1, 1, 11, 10);
    p.Fill(5, 6, 16, 16);
}

// A ruler lying and one standing.
void Turn(Canvas& canvas, const Rect& box, TColor color) {
    GlyphPainter p(canvas, box, color);
    p.Frame(1, 11, 16, 16);
    p.Frame(1, 0, 6, 12);
    for (int x : {8, 11, 14})
        p.Line(x, 11, x, 12);
    for (int y : {3, 6, 9})
        p.Line(1, y, 2, y);
}

// Arrows out to both ends.
void FitLength(Canvas& canvas, const Rect& box, TColor color) {
    GlyphPainter p(canvas, box, color);
    p.Line(0, 8, 15, 8);
    p.Path({{3, 5}, {0, 8}, {3, 11}});
    p.Path({{12, 5}, {15, 8}, {12, 11}});
    p.Line(0, 3, 0, 13);
    p.Line(15, 3, 15, 13);
}

// A screen with a mark in its middle.
void Center(Canvas& canvas, const Rect& box, TColor color) {
    GlyphPainter p(canvas, box, color);
    p.Frame(0, 2, 16, 14);
    p.Line(8, 5, 8, 11);
    p.Line(5, 8, 11, 8);
}

// A piece of scale.
void Unit(Canvas& canvas, const Rect& box, TColor color) {
    GlyphPainter p(canvas, box, color);
    p.Frame(0, 4, 16, 12);
    for (int x : {3, 6, 9, 12})
        p.Line(x, 4, x, x == 9 ? 8 : 6);
}

// Three sliders.
void Settings(Canvas& canvas, const Rect& box, TColor color) {
    GlyphPainter p(canvas, box, color);
    for (int y : {3, 8, 13})
        p.Line(0, y, 15, y);
    p.Fill(3, 1, 7, 6);
    p.Fill(9, 6, 13, 11);
    p.Fill(5, 11, 9, 16);
}

// A chequered square: what lies below shows through.
void Transparency(Canvas& canvas, const Rect& box, TColor color) {
    GlyphPainter p(canvas, box, color);
    p.Frame(0, 0, 16, 16);
    p.Fill(0, 0, 8, 8);
    p.Fill(8, 8, 16, 16);
}

// A pipette.
void PickColor(Canvas& canvas, const Rect& box, TColor color) {
    GlyphPainter p(canvas, box, color);
    p.Line(2, 13, 9, 6);
    p.Line(1, 14, 2, 13);
    p.Line(7, 5, 11, 9);
    p.Fill(10, 1, 15, 6);
}

// A magnifying glass.
void Magnifier(Canvas& canvas, const Rect& box, TColor color) {
    GlyphPainter p(canvas, box, color);
    p.Path({{4, 1}, {8, 1}, {11, 4}, {11, 8}, {8, 11}, {4, 11}, {1, 8}, {1, 4}, {4, 1}});
    p.Line(10, 10, 15, 15);
}

// A question mark.
void Help(Canvas& canvas, const Rect& box, TColor color) {
    GlyphPainter p(canvas, box, color);
    p.Path({{4, 4}, {6, 1}, {10, 1}, {12, 3}, {12, 5}, {8, 8}, {8, 10}});
    p.Fill(7, 12, 10, 15);
}

// A door with an arrow leaving it.
void Exit(Canvas& canvas, const Rect& box, TColor color) {
    GlyphPainter p(canvas, box, color);
    p.Frame(1, 0, 9, 16);
    p.Line(5, 8, 15, 8);
    p.Path({{12, 5}, {15, 8}, {12, 11}});
}

} // namespace RulerGlyphs
