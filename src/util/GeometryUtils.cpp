#include "util/GeometryUtils.h"

#include <algorithm>
#include <cstdlib>

int RectWidth(const Rect& r) {
    return std::abs(r.Right - r.Left);
}

int RectHeight(const Rect& r) {
    return std::abs(r.Bottom - r.Top);
}

void RectShrink(Rect& r, int amount) {
    r.Left += amount;
    r.Top += amount;
    r.Right -= amount;
    r.Bottom -= amount;
}

bool SamePoint(const Point& a, const Point& b) {
    return a.X == b.X && a.Y == b.Y;
}

Rect PointsToPositiveRect(const Point& a, const Point& b) {
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

int OtherSideLeft(int left, int windowWidth, int screenWidth) {
    return left != 0 ? 0 : screenWidth - windowWidth;
}
