#include "util/ImageOps.h"

#include "util/ColorMath.h"
#include "util/HSLUtils.h"

#include <algorithm>
#include <cstdint>

TRGBImage::TRGBImage(int width, int height, TRGBTriple fill)
    : Width(std::max(width, 0)), Height(std::max(height, 0)),
      Pixels(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height), fill) {}

void ImageToColorscale(TRGBImage& image, TColor baseColor, TColor mixColor, TColor skipColor) {
    const TColor base = GetRealColor(baseColor);
    const TColor mix = GetRealColor(mixColor);
    const TColor skip = GetRealColor(skipColor);
    double baseH = 0, baseS = 0, baseL = 0;
    RGBtoHSL(base, baseH, baseS, baseL);
    for (TRGBTriple& pixel : image.Pixels) {
        const TColor original = RGBTripleToColor(pixel);
        if (skip != clNone && original == skip) continue;
        double h = 0, s = 0, l = 0;
        RGBtoHSL(original, h, s, l);
        TColor recoloured = HSLtoRGB(baseH, baseS, l);
        if (mix != clNone) recoloured = MixColor(recoloured, mix, 50);
        ColorToRGBTriple(recoloured, pixel);
    }
}

TColor ImageAvgColor(const TRGBImage& image, const Rect& area) {
    const int left = std::max(area.Left, 0);
    const int top = std::max(area.Top, 0);
    const int right = std::min(area.Right, image.Width - 1);
    const int bottom = std::min(area.Bottom, image.Height - 1);
    if (left > right || top > bottom) return clBlack;
    std::uint64_t red = 0, green = 0, blue = 0;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const TRGBTriple& p = image.At(x, y);
            red += p.rgbtRed;
            green += p.rgbtGreen;
            blue += p.rgbtBlue;
        }
    }
    const std::uint64_t count =
        static_cast<std::uint64_t>(right - left + 1) * static_cast<std::uint64_t>(bottom - top + 1);
    return RGBColor(static_cast<int>(red / count), static_cast<int>(green / count),
                    static_cast<int>(blue / count));
}
