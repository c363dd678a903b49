#include "settings/ColorCombs.h"

#include "util/Numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

struct Vec {
    long double X;
    long double Y;
};

struct RGBFloat {
    long double R, G, B;
};

// The unit hexagon (corners at half a unit) in the order of the corner colours.
std::array<Vec, 6> CombCorners() {
    constexpr long double degrees[6] = {90, 30, -30, -90, -150, -210};
    std::array<Vec, 6> corners{};
    for (std::size_t i = 0; i < 6; ++i) {
        const long double a = degrees[i] * std::numbers::pi_v<long double> / 180;
        corners[i] = {std::cos(a) / 2, std::sin(a) / 2};
    }
    return corners;
}

constexpr std::array<RGBFloat, 6> CornerColors = {{
    {1, 0, 1}, // magenta
    {1, 0, 0}, // red
    {1, 1, 0}, // yellow
    {0, 1, 0}, // green
    {0, 1, 1}, // cyan
    {0, 0, 1}, // blue
}};

RGBFloat Lerp(const RGBFloat& a, const RGBFloat& b, long double t) {
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

int Channel(long double fraction) {
    return static_cast<int>(std::clamp<std::int64_t>(RoundHalfEven(fraction * 255), 0, 255));
}

TColor RGBFromFloat(const RGBFloat& c) {
    return RGBColor(Channel(c.R), Channel(c.G), Channel(c.B));
}

const long double Cos30 = std::cos(std::numbers::pi_v<long double> / 6);

} // namespace

std::vector<TCombEntry> ColorCombLayout(int levels, int radius, double centerIntensity) {
    levels = std::max(levels, 1);
    const long double intensity = std::clamp(centerIntensity, 0.0, 1.0);
    const RGBFloat centre{intensity, intensity, intensity};
    std::vector<TCombEntry> combs;
    combs.reserve(static_cast<std::size_t>(1 + 3 * levels * (levels - 1)));
    combs.push_back({{0, 0}, RGBFromFloat(centre)});

    const auto corners = CombCorners();
    const long double scale = 2 * radius * Cos30;
    for (int c = 1; c < levels; ++c) {
        const long double ring = static_cast<long double>(c) / (levels - 1);
        for (std::size_t k = 0; k < 6; ++k) {
            const std::size_t next = (k + 1) % 6;
            const Vec from{corners[k].X * scale * ring, corners[k].Y * scale * ring};
            const Vec to{corners[next].X * scale * ring, corners[next].Y * scale * ring};
            const RGBFloat colorFrom = Lerp(centre, CornerColors[k], ring);
            const RGBFloat colorTo = Lerp(centre, CornerColors[next], ring);
            for (int j = 0; j < c; ++j) {
                const long double t = static_cast<long double>(j) / c;
                const Point p{static_cast<int>(RoundHalfEven(from.X + (to.X - from.X) * t)),
                              static_cast<int>(RoundHalfEven(from.Y + (to.Y - from.Y) * t))};
                combs.push_back({p, RGBFromFloat(Lerp(colorFrom, colorTo, t))});
            }
        }
    }
    return combs;
}

std::vector<TCombEntry> BWCombLayout(int combSize) {
    const int c = combSize;
    const int step = static_cast<int>(RoundHalfEven(Cos30 * c / 2));
    std::vector<TCombEntry> combs;
    combs.reserve(BWCombCount);
    combs.push_back({{c, c}, clWhite});
    for (int entry = 1; entry < BWCombCount - 1; ++entry) {
        const int n = entry - 1;
        const int grey = 240 - 15 * entry;
        int y = (c / 4) * 3;
        if (n % 2 != 0) y += static_cast<int>(RoundHalfEven(0.75L * c));
        combs.push_back({{static_cast<int>(n * step + 3 * c), y}, RGBColor(grey, grey, grey)});
    }
    combs.push_back({{16 * step + 3 * c + c, c}, clBlack});
    return combs;
}

bool IsLargeBWComb(int index) {
    return index == 0 || index == BWCombCount - 1;
}

bool PtInComb(Point centre, Point p, int radius) {
    const long long dx = p.X - centre.X, dy = p.Y - centre.Y;
    return dx * dx + dy * dy <= static_cast<long long>(radius) * radius;
}

void FillComb(Canvas& canvas, Point centre, double cornerRadius, TColor color) {
    // Pointed at top and bottom: the half width is the inner radius over the
    // middle half of the height and narrows to the corners above and below.
    // Offsets count from the centre pixel, so the shape stays symmetric.
    const double inner = cornerRadius * static_cast<double>(Cos30);
    const int reach = static_cast<int>(std::floor(cornerRadius));
    for (int dy = -reach; dy <= reach; ++dy) {
        const double y = std::abs(dy);
        const double half =
            y <= cornerRadius / 2 ? inner : inner * (cornerRadius - y) / (cornerRadius / 2);
        const int span = static_cast<int>(std::floor(half + 1e-9));
        canvas.FillRect({centre.X - span, centre.Y + dy, centre.X + span + 1, centre.Y + dy + 1},
                        color);
    }
}
