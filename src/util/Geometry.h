#pragma once
// Plain geometry of the portable core. Rectangles are half-open: Right and
// Bottom are exclusive, exactly like the platform's RECT.
#include <algorithm>
#include <cstdlib>

struct Point {
    int X = 0;
    int Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(Point p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    Rect Intersect(const Rect& o) const {
        Rect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right),
               std::min(Bottom, o.Bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }
    static Rect FromSize(int left, int top, int width, int height) {
        return {left, top, left + width, top + height};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};
