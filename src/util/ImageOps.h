#pragma once
// Whole-image colour operations on a 24-bit pixel buffer; the shell copies a
// bitmap's scan lines in and out.
#include "util/ColorText.h"
#include "util/Geometry.h"

#include <vector>

struct TRGBImage {
    int Width = 0;
    int Height = 0;
    std::vector<TRGBTriple> Pixels; // rows top-down, Width pixels each

    TRGBImage() = default;
    TRGBImage(int width, int height, TRGBTriple fill = {});
    TRGBTriple& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    const TRGBTriple& At(int x, int y) const {
        return Pixels[static_cast<std::size_t>(y) * Width + x];
    }
};

// Recolours every pixel except skipColor (none when clNone): the pixel keeps its
// lightness and takes baseColor's hue and saturation, then, unless mixColor is
// clNone, is mixed half and half with mixColor.
void ImageToColorscale(TRGBImage& image, TColor baseColor, TColor mixColor, TColor skipColor);

// Average colour of the pixels in area, whose Right and Bottom are inclusive
// (two picked corner pixels); clipped to the image, black when nothing is left.
TColor ImageAvgColor(const TRGBImage& image, const Rect& area);
