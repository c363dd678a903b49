#pragma once
// The pictures beside the ruler's menu items, drawn as lines on the 16 x 16
// design grid (GlyphPainter), so they are sharp at every DPI and take the
// item's text colour (greyed with a disabled item).
#include "util/Glyph.h"

namespace RulerGlyphs {
void Visible(Canvas& canvas, const Rect& box, TColor color);
void OnTop(Canvas& canvas, const Rect& box, TColor color);
void Turn(Canvas& canvas, const Rect& box, TColor color);
void FitLength(Canvas& canvas, const Rect& box, TColor color);
void Center(Canvas& canvas, const Rect& box, TColor color);
void Unit(Canvas& canvas, const Rect& box, TColor color);
void Settings(Canvas& canvas, const Rect& box, TColor color);
void Transparency(Canvas& canvas, const Rect& box, TColor color);
void PickColor(Canvas& canvas, const Rect& box, TColor color);
void Magnifier(Canvas& canvas, const Rect& box, TColor color);
void Help(Canvas& canvas, const Rect& box, TColor color);
void Exit(Canvas& canvas, const Rect& box, TColor color);
} // namespace RulerGlyphs
