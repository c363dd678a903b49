#include "colour/CssColorSpaces.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

using TMatrix = std::array<TTriple, 3>;

TTriple Times(const TMatrix& m, const TTriple& v) {
    TTriple r{};
    for (std::size_t i = 0; i < 3; ++i)
        r[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return r;
}

// The matrices and white points as CSS Color 4 states them: sRGB's in
// rational form, the Bradford adaptation and Oklab's to 64-bit precision.
constexpr TMatrix LinearToXyzD65{{
    {506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
    {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
    {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270},
}};
constexpr TMatrix XyzD65ToLinear{{
    {12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
    {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
    {705.0 / 12673, -2585.0 / 12673, 705.0 / 667},
}};
constexpr TMatrix D65ToD50{{
    {1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
    {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
    {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371},
}};
constexpr TMatrix D50ToD65{{
    {0.955473421488075, -0.02309845494876471, 0.06325924320057072},
    {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
    {0.012314014864481998, -0.020507649298898964, 1.330365926242124},
}};
constexpr TMatrix XyzToLms{{
    {0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309},
}};
constexpr TMatrix LmsToOklab{{
    {0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
    {0.0259040424655478, 0.7827717124575296, -0.8086757549230774},
}};
constexpr TMatrix LmsToXyz{{
    {1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
    {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
    {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816},
}};
constexpr TMatrix OklabToLms{{
    {1.0, 0.3963377773761749, 0.2158037573099136},
    {1.0, -0.1055613458156586, -0.0638541728258133},
    {1.0, -0.0894841775298119, -1.2914855480194092},
}};
constexpr TTriple D50White{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};

// CIELAB's constants as rational numbers: 6^3/29^3 and 29^3/3^3.
constexpr double LabEpsilon = 216.0 / 24389;
constexpr double LabKappa = 24389.0 / 27;

struct TChannels {
    int R, G, B;
};
TChannels ChannelsOf(TColor color) {
    const TColor c = GetRealColor(color);
    return {RedOf(c), GreenOf(c), BlueOf(c)};
}
bool IsGrey(TColor color) {
    const TChannels c = ChannelsOf(color);
    return c.R == c.G && c.G == c.B;
}

// Hue, saturation and lightness of gamma-encoded sRGB in the order of
// operations CSS Color 4 computes them in: a shown decimal that lies exactly
// halfway in exact arithmetic (136.25 for #84b491) then falls on the same
// side as in every implementation that follows CSS.
TTriple HslOfSrgb(const TTriple& rgb) {
    const double max = std::max({rgb[0], rgb[1], rgb[2]});
    const double min = std::min({rgb[0], rgb[1], rgb[2]});
    const double light = (min + max) / 2, spread = max - min;
    if (spread == 0) return {0, 0, light * 100};
    const double saturation =
        light == 0 || light == 1 ? 0 : (max - light) / std::min(light, 1 - light);
    double hue = 0;
    if (max == rgb[0])
        hue = (rgb[1] - rgb[2]) / spread + (rgb[1] < rgb[2] ? 6 : 0);
    else if (max == rgb[1])
        hue = (rgb[2] - rgb[0]) / spread + 2;
    else
        hue = (rgb[0] - rgb[1]) / spread + 4;
    return {hue * 60, saturation * 100, light * 100};
}

TTriple Clip(const TTriple& srgb) {
    return {std::clamp(srgb[0], 0.0, 1.0), std::clamp(srgb[1], 0.0, 1.0),
            std::clamp(srgb[2], 0.0, 1.0)};
}

bool InsideUnitCube(const TTriple& srgb) {
    return std::all_of(srgb.begin(), srgb.end(), [](double v) { return v >= 0 && v <= 1; });
}

TTriple OklabFromSrgb(const TTriple& srgb) {
    return OklabFromXyzD65(XyzD65FromLinear(LinearFromSrgb(srgb)));
}

TTriple SrgbFromOklch(const TTriple& oklch) {
    return SrgbFromOklab(RectFromPolar(oklch));
}

} // namespace

TTriple SrgbOf(TColor color) {
    const TChannels c = ChannelsOf(color);
    return {c.R / 255.0, c.G / 255.0, c.B / 255.0};
}

TColor ColorOfSrgb(const TTriple& srgb) {
    const auto channel = [](double v) {
        return std::isnan(v) ? 0 : static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    return RGBColor(channel(srgb[0]), channel(srgb[1]), channel(srgb[2]));
}

TTriple LinearFromSrgb(const TTriple& srgb) {
    TTriple r{};
    for (std::size_t i = 0; i < 3; ++i) {
        // Negative values mirror the curve, for colours beyond sRGB on the way in.
        const double v = srgb[i], a = std::abs(v);
        r[i] = a <= 0.04045 ? v / 12.92 : std::copysign(std::pow((a + 0.055) / 1.055, 2.4), v);
    }
    return r;
}

TTriple SrgbFromLinear(const TTriple& linear) {
    TTriple r{};
    for (std::size_t i = 0; i < 3; ++i) {
        const double v = linear[i], a = std::abs(v);
        r[i] = a > 0.0031308 ? std::copysign(1.055 * std::pow(a, 1 / 2.4) - 0.055, v) : 12.92 * v;
    }
    return r;
}

TTriple XyzD65FromLinear(const TTriple& linear) {
    return Times(LinearToXyzD65, linear);
}
TTriple LinearFromXyzD65(const TTriple& xyz) {
    return Times(XyzD65ToLinear, xyz);
}
TTriple XyzD50FromD65(const TTriple& xyz) {
    return Times(D65ToD50, xyz);
}
TTriple XyzD65FromD50(const TTriple& xyz) {
    return Times(D50ToD65, xyz);
}

TTriple LabFromXyzD50(const TTriple& xyz) {
    TTriple f{};
    for (std::size_t i = 0; i < 3; ++i) {
        const double v = xyz[i] / D50White[i];
        f[i] = v > LabEpsilon ? std::cbrt(v) : (LabKappa * v + 16) / 116;
    }
    return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

TTriple XyzD50FromLab(const TTriple& lab) {
    const double fy = (lab[0] + 16) / 116;
    const double fx = lab[1] / 500 + fy;
    const double fz = fy - lab[2] / 200;
    const auto cube = [](double f) {
        const double f3 = f * f * f;
        return f3 > LabEpsilon ? f3 : (116 * f - 16) / LabKappa;
    };
    const double y = lab[0] > LabKappa * LabEpsilon ? fy * fy * fy : lab[0] / LabKappa;
    return {cube(fx) * D50White[0], y * D50White[1], cube(fz) * D50White[2]};
}

TTriple OklabFromXyzD65(const TTriple& xyz) {
    TTriple lms = Times(XyzToLms, xyz);
    for (double& v : lms)
        v = std::cbrt(v);
    return Times(LmsToOklab, lms);
}

TTriple XyzD65FromOklab(const TTriple& oklab) {
    TTriple lms = Times(OklabToLms, oklab);
    for (double& v : lms)
        v = v * v * v;
    return Times(LmsToXyz, lms);
}

TTriple PolarFromRect(const TTriple& rect) {
    const double chroma = std::hypot(rect[1], rect[2]);
    double hue = chroma == 0 ? 0 : std::atan2(rect[2], rect[1]) * 180 / std::numbers::pi;
    if (hue < 0) hue += 360;
    if (hue >= 360) hue -= 360; // a hair below 0 plus 360
    return {rect[0], chroma, hue};
}

TTriple RectFromPolar(const TTriple& polar) {
    const double radians = polar[2] * std::numbers::pi / 180;
    return {polar[0], polar[1] * std::cos(radians), polar[1] * std::sin(radians)};
}

TTriple LabOf(TColor color) {
    TTriple lab = LabFromXyzD50(XyzD50FromD65(XyzD65FromLinear(LinearFromSrgb(SrgbOf(color)))));
    if (IsGrey(color)) lab[1] = lab[2] = 0;
    return lab;
}

TTriple LchOf(TColor color) {
    return PolarFromRect(LabOf(color));
}

TTriple OklabOf(TColor color) {
    TTriple oklab = OklabFromSrgb(SrgbOf(color));
    if (IsGrey(color)) oklab[1] = oklab[2] = 0;
    return oklab;
}

TTriple OklchOf(TColor color) {
    return PolarFromRect(OklabOf(color));
}

TTriple HslOf(TColor color) {
    return HslOfSrgb(SrgbOf(color));
}

TTriple HwbOf(TColor color) {
    const TTriple rgb = SrgbOf(color);
    return {HslOfSrgb(rgb)[0], std::min({rgb[0], rgb[1], rgb[2]}) * 100,
            (1 - std::max({rgb[0], rgb[1], rgb[2]})) * 100};
}

TTriple SrgbFromHsl(const TTriple& hsl) {
    const double hue = std::fmod(std::fmod(hsl[0], 360) + 360, 360);
    const double s = hsl[1] / 100, l = hsl[2] / 100;
    const double a = s * std::min(l, 1 - l);
    const auto channel = [&](double n) {
        const double k = std::fmod(n + hue / 30, 12);
        return l - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    return {channel(0), channel(8), channel(4)};
}

TTriple SrgbFromHwb(const TTriple& hwb) {
    const double white = hwb[1] / 100, black = hwb[2] / 100;
    if (white + black >= 1) {
        const double grey = white / (white + black);
        return {grey, grey, grey};
    }
    TTriple rgb = SrgbFromHsl({hwb[0], 100, 50});
    for (double& v : rgb)
        v = v * (1 - white - black) + white;
    return rgb;
}

TTriple SrgbFromLab(const TTriple& lab) {
    return SrgbFromLinear(LinearFromXyzD65(XyzD65FromD50(XyzD50FromLab(lab))));
}

TTriple SrgbFromOklab(const TTriple& oklab) {
    return SrgbFromLinear(LinearFromXyzD65(XyzD65FromOklab(oklab)));
}

bool InSrgbGamut(const TTriple& srgb) {
    return std::all_of(srgb.begin(), srgb.end(),
                       [](double v) { return v * 255 >= -0.5 && v * 255 < 255.5; });
}

TTriple GamutMapOklchToSrgb(const TTriple& oklch) {
    if (oklch[0] >= 1) return {1, 1, 1};
    if (oklch[0] <= 0) return {0, 0, 0};
    const TTriple origin = SrgbFromOklch(oklch);
    if (InsideUnitCube(origin)) return origin;
    constexpr double JustNoticeable = 0.02, Epsilon = 0.0001;
    TTriple current = oklch;
    const auto clippedError = [&](TTriple& clipped) {
        clipped = Clip(SrgbFromOklch(current));
        return DeltaEOK(OklabFromSrgb(clipped), RectFromPolar(current));
    };
    TTriple clipped;
    if (clippedError(clipped) < JustNoticeable) return clipped;
    double low = 0, high = oklch[1];
    bool lowInGamut = true;
    while (high - low > Epsilon) {
        current[1] = (low + high) / 2;
        if (lowInGamut && InsideUnitCube(SrgbFromOklch(current))) {
            low = current[1];
            continue;
        }
        const double error = clippedError(clipped);
        if (error < JustNoticeable) {
            if (JustNoticeable - error < Epsilon) return clipped;
            lowInGamut = false;
            low = current[1];
        } else {
            high = current[1];
        }
    }
    // The search may end on steps inside the gamut: clip where it stopped.
    current[1] = low;
    return Clip(SrgbFromOklch(current));
}

double DeltaEOK(const TTriple& oklab1, const TTriple& oklab2) {
    return std::hypot(oklab1[0] - oklab2[0], oklab1[1] - oklab2[1], oklab1[2] - oklab2[2]);
}
