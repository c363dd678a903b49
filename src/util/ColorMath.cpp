#include "util/ColorMath.h"
#include "util/Numbers.h"

#include "util/ConvertError.h"
#include "util/LocalText.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr LocalText PercentOutOfRange{L"Color1Percent %1 muss zwischen 0 und 100 liegen!",
                                      L"Color1Percent %1 must be between 0 and 100!"};

int ClampByte(long long v) {
    return static_cast<int>(std::clamp<long long>(v, 0, 255));
}

std::uint8_t SubtractFromFull(int part, int black) {
    const int sum = part + black; // up to 510, no byte overflow
    return static_cast<std::uint8_t>(sum >= 255 ? 0 : 255 - sum);
}

std::uint8_t FractionToByte(double part, double black) {
    const double sum = part + black;
    if (sum >= 1.0) return 0;
    // Fractions below 0 would give more than full intensity; keep the byte valid.
    return static_cast<std::uint8_t>(ClampByte(RoundHalfEven((1.0 - sum) * 255.0)));
}

} // namespace

TColor ColorBrightness(TColor color, int delta) {
    const TColor c = GetRealColor(color);
    auto shift = [delta](int channel) {
        return ClampByte(static_cast<long long>(channel) + delta);
    };
    return RGBColor(shift(RedOf(c)), shift(GreenOf(c)), shift(BlueOf(c)));
}

TColor MixColor(TColor color1, TColor color2, int color1Percent) {
    if (color1Percent < 0 || color1Percent > 100)
        throw EConvertError(FormatText(PercentOutOfRange, {std::to_wstring(color1Percent)}));
    const TColor c1 = GetRealColor(color1);
    const TColor c2 = GetRealColor(color2);
    const double share1 = color1Percent / 100.0;
    const double share2 = 1.0 - share1;
    auto mix = [share1, share2](int a, int b) {
        return ClampByte(RoundHalfEven(a * share1 + b * share2));
    };
    return RGBColor(mix(RedOf(c1), RedOf(c2)), mix(GreenOf(c1), GreenOf(c2)),
                    mix(BlueOf(c1), BlueOf(c2)));
}

TColor InvertColor(TColor color) {
    const TColor c = GetRealColor(color);
    return RGBColor(255 - RedOf(c), 255 - GreenOf(c), 255 - BlueOf(c));
}

TColor InvertColorUnique(TColor color) {
    return InvertColor(color);
}

std::uint32_t TCMYK::ToPacked() const {
    return static_cast<std::uint32_t>(C) | (static_cast<std::uint32_t>(M) << 8) |
           (static_cast<std::uint32_t>(Y) << 16) | (static_cast<std::uint32_t>(K) << 24);
}

TCMYK TCMYK::FromPacked(std::uint32_t packed) {
    return {static_cast<std::uint8_t>(packed & 0xFF),
            static_cast<std::uint8_t>((packed >> 8) & 0xFF),
            static_cast<std::uint8_t>((packed >> 16) & 0xFF),
            static_cast<std::uint8_t>((packed >> 24) & 0xFF)};
}

TCMYK RGBtoCMYK(const TRGBTriple& rgb) {
    TCMYK cmyk;
    cmyk.C = static_cast<std::uint8_t>(255 - rgb.rgbtRed);
    cmyk.M = static_cast<std::uint8_t>(255 - rgb.rgbtGreen);
    cmyk.Y = static_cast<std::uint8_t>(255 - rgb.rgbtBlue);
    cmyk.K = std::min({cmyk.C, cmyk.M, cmyk.Y});
    if (cmyk.K > 0) {
        cmyk.C = static_cast<std::uint8_t>(cmyk.C - cmyk.K);
        cmyk.M = static_cast<std::uint8_t>(cmyk.M - cmyk.K);
        cmyk.Y = static_cast<std::uint8_t>(cmyk.Y - cmyk.K);
    }
    return cmyk;
}

void CMYKtoRGB(const TCMYK& cmyk, TRGBTriple& rgb) {
    rgb.rgbtRed = SubtractFromFull(cmyk.C, cmyk.K);
    rgb.rgbtGreen = SubtractFromFull(cmyk.M, cmyk.K);
    rgb.rgbtBlue = SubtractFromFull(cmyk.Y, cmyk.K);
}

void CMYKtoRGB(double c, double m, double y, double k, TRGBTriple& rgb) {
    rgb.rgbtRed = FractionToByte(c, k);
    rgb.rgbtGreen = FractionToByte(m, k);
    rgb.rgbtBlue = FractionToByte(y, k);
}
