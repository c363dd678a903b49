#pragma once
// The few drawing operations the core's rendering rules need. The program
// draws them with GDI; tests record or rasterise them.
//
// Colours handed to a canvas are always plain 0x00BBGGRR values: callers
// resolve system colours first, so an implementation never has to.
#include "util/Color.h"
#include "util/Geometry.h"

#include <string>

class Canvas {
  public:
    virtual ~Canvas() = default;

    // Solid fill of the half-open rectangle (a pattern copy with a solid brush).
    virtual void FillRect(const Rect& rect, TColor color) = 0;

    // GDI pen semantics with a one-pixel pen: LineTo draws from the current
    // position up to, but not including, the end point, which then becomes
    // the current position.
    virtual void MoveTo(Point point) = 0;
    virtual void LineTo(Point point, TColor color) = 0;

    // Size of a single line of text in the canvas's font, normal or bold.
    virtual Size TextExtent(const std::wstring& text, bool bold) const = 0;

    // Draws text with its top-left corner at (x, y) on a transparent background.
    virtual void TextAt(int x, int y, const std::wstring& text, TColor color, bool bold) = 0;
};

// A colour as a canvas takes it: system colours resolved, top byte cleared.
inline TColor CanvasColor(TColor color) {
    return GetRealColor(color) & 0x00FFFFFF;
}
