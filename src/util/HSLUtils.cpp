#include "util/HSLUtils.h"

#include "util/ColorMath.h"
#include "util/Numbers.h"

#include <algorithm>

namespace {

// One channel from the hue offset h and the two lightness bounds.
int HueToColourValue(double m1, double m2, double h) {
    if (h < 0)
        h += 1;
    else if (h > 1)
        h -= 1;
    double v;
    if (6 * h < 1)
        v = m1 + (m2 - m1) * 6 * h;
    else if (2 * h < 1)
        v = m2;
    else if (3 * h < 2)
        v = m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6;
    else
        v = m1;
    // A saturation above 1 can push v past the byte range; keep the channel valid
    // rather than letting it wrap round to a dark value.
    return static_cast<int>(std::clamp<long long>(RoundHalfEven(v * 255), 0, 255));
}

} // namespace

void RGBtoHSL(std::uint8_t red, std::uint8_t green, std::uint8_t blue, double& h, double& s,
              double& l) {
    const double r = red / 255.0;
    const double g = green / 255.0;
    const double b = blue / 255.0;
    const double maxV = std::max({r, g, b});
    const double minV = std::min({r, g, b});
    l = (maxV + minV) / 2;
    if (maxV == minV) {
        h = 0;
        s = 0;
        return;
    }
    const double d = maxV - minV;
    s = l < 0.5 ? d / (maxV + minV) : d / (2 - maxV - minV);
    double hue;
    if (maxV == r)
        hue = (g - b) / d;
    else if (maxV == g)
        hue = (b - r) / d + 2;
    else
        hue = (r - g) / d + 4;
    h = hue / 6;
    if (h < 0) h += 1;
}

void RGBtoHSL(TColor color, double& h, double& s, double& l) {
    RGBtoHSL(static_cast<std::uint8_t>(RedOf(color)), static_cast<std::uint8_t>(GreenOf(color)),
             static_cast<std::uint8_t>(BlueOf(color)), h, s, l);
}

TColor HSLtoRGB(double h, double s, double l) {
    l = std::clamp(l, 0.0, 1.0);
    if (s == 0) {
        const int grey = static_cast<int>(RoundHalfEven(l * 255));
        return RGBColor(grey, grey, grey);
    }
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    return RGBColor(HueToColourValue(m1, m2, h + 1.0 / 3.0), HueToColourValue(m1, m2, h),
                    HueToColourValue(m1, m2, h - 1.0 / 3.0));
}
