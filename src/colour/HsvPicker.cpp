#include "colour/HsvPicker.h"

#include <algorithm>
#include <cstdint>

int Clamp(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

THSL RGBTripleToHSL(int r, int g, int b) {
    THSL hsl;
    const int maxValue = std::max({r, g, b});
    const int minValue = std::min({r, g, b});
    hsl.L = maxValue;
    if (maxValue == minValue) return hsl;
    const int d = maxValue - minValue;
    hsl.S = MulDivRound(d, 255, maxValue);
    if (maxValue == r)
        hsl.H = MulDivRound(60, g - b, d);
    else if (maxValue == g)
        hsl.H = MulDivRound(60, b - r, d) + 120;
    else
        hsl.H = MulDivRound(60, r - g, d) + 240;
    if (hsl.H < 0) hsl.H += 360;
    return hsl;
}

THSL RGBTripleToHSL(const TRGBTriple& rgb) {
    return RGBTripleToHSL(rgb.rgbtRed, rgb.rgbtGreen, rgb.rgbtBlue);
}

TRGBTriple HSLToRGBTriple(int h, int s, int l) {
    h = Clamp(h, 0, 360);
    s = Clamp(s, 0, 255);
    l = Clamp(l, 0, 255);
    if (s == 0) return RGBToRGBTriple(l, l, l);
    h %= 360;
    const int f = h % 60;
    const int rising = l - s * l * (60 - f) / 15300;
    const int falling = l - s * l * f / 15300;
    const int low = l - s * l / 255;
    switch (h / 60) {
    case 0:
        return RGBToRGBTriple(l, rising, low);
    case 1:
        return RGBToRGBTriple(falling, l, low);
    case 2:
        return RGBToRGBTriple(low, l, rising);
    case 3:
        return RGBToRGBTriple(low, falling, l);
    case 4:
        return RGBToRGBTriple(rising, low, l);
    default:
        return RGBToRGBTriple(l, low, falling);
    }
}

TRGBTriple HSLToRGBTriple(const THSL& hsl) {
    return HSLToRGBTriple(hsl.H, hsl.S, hsl.L);
}

TRGBTriple TColorToRGBTriple(TColor color) {
    TRGBTriple rgb;
    ColorToRGBTriple(color, rgb);
    return rgb;
}

TColor RGBTripleToTColor(const TRGBTriple& rgb) {
    return RGBTripleToColor(rgb);
}

TRGBTriple RGBToRGBTriple(int r, int g, int b) {
    TRGBTriple rgb;
    rgb.rgbtRed = static_cast<std::uint8_t>(Clamp(r, 0, 255));
    rgb.rgbtGreen = static_cast<std::uint8_t>(Clamp(g, 0, 255));
    rgb.rgbtBlue = static_cast<std::uint8_t>(Clamp(b, 0, 255));
    return rgb;
}

int RGBMaxValue(const TRGBTriple& rgb) {
    return std::max({rgb.rgbtRed, rgb.rgbtGreen, rgb.rgbtBlue});
}

int RGBMinValue(const TRGBTriple& rgb) {
    return std::min({rgb.rgbtRed, rgb.rgbtGreen, rgb.rgbtBlue});
}

int HexCharToInt(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

int HexStringToInt(const std::wstring& text) {
    std::uint32_t value = 0;
    for (const wchar_t c : text) {
        const int digit = HexCharToInt(c);
        if (digit < 0) return 0;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<int>(value);
}

TRGBImage CreateGradient(TGradientType type, int hue, Size size) {
    if (size.Width <= 0 || size.Height <= 0) return {};
    TRGBImage image(size.Width, size.Height);
    for (int x = 0; x < size.Width; ++x) {
        if (type == tHue) {
            // Every row of the bar is the same.
            const TRGBTriple c = HSLToRGBTriple(MulDivRound(360, x, size.Width), 255, 255);
            for (int y = 0; y < size.Height; ++y)
                image.At(x, y) = c;
        } else {
            const int s = MulDivRound(255, x, size.Width);
            for (int y = 0; y < size.Height; ++y)
                image.At(x, y) =
                    HSLToRGBTriple(hue, s, MulDivRound(255, size.Height - y, size.Height));
        }
    }
    return image;
}

Point MarkerPoint(TGradientType type, const THSL& hsl, Size size) {
    if (type == tHue) return {MulDivRound(hsl.H, size.Width, 360), size.Height / 2};
    return {MulDivRound(hsl.S, size.Width, 255), MulDivRound(255 - hsl.L, size.Height, 255)};
}

bool ClampPickPoint(TGradientType type, Point& p, Size size) {
    if (size.Width <= 0 || size.Height <= 0) return false;
    p.X = Clamp(p.X, 0, size.Width - 1);
    p.Y = type == tHue ? size.Height / 2 : Clamp(p.Y, 0, size.Height - 1);
    return true;
}

Rect PickCircleBox(Point p, int radius) {
    return {p.X - radius, p.Y - radius, p.X + radius + 1, p.Y + radius + 1};
}

bool UpdateHSL(TGradientType type, Point p, Size size, THSL& hsl) {
    if (size.Width <= 0 || size.Height <= 0) return false;
    if (type == tHue) {
        hsl.H = MulDivRound(360, p.X, size.Width);
    } else {
        hsl.S = MulDivRound(255, p.X, size.Width);
        hsl.L = MulDivRound(255, size.Height - p.Y, size.Height);
    }
    return true;
}
