#pragma once
// The hexagonal colour combs of the colour popup: a honeycomb of colours
// round a centre whose brightness the intensity slider sets, and a row of
// grey combs from white to black.
#include "util/Canvas.h"
#include "util/Color.h"
#include "util/Geometry.h"

#include <vector>

struct TCombEntry {
    Point Position; // colour combs: from the honeycomb's centre; grey combs: from their area
    TColor Color;
    friend bool operator==(const TCombEntry&, const TCombEntry&) = default;
};

// 1 + 3L(L - 1) combs for L levels (rings including the centre, at least 1):
// the centre in white scaled by the intensity (0..1), then ring by ring the
// six sides from magenta, red, yellow, green, cyan to blue. radius is the
// honeycomb's radius in pixels.
std::vector<TCombEntry> ColorCombLayout(int levels, int radius, double centerIntensity);

// 17 grey combs for the comb size: white, 15 greys from 225 down to 15 on
// a zigzag line, black; the first and the last are twice as large.
constexpr int BWCombCount = 17;
std::vector<TCombEntry> BWCombLayout(int combSize);
bool IsLargeBWComb(int index);

// Inside the circle of the given radius round a comb's centre (edge included).
bool PtInComb(Point centre, Point p, int radius);

// Fills a hexagon with its corners at 90, 30, -30, -90, -150 and -210
// degrees and the given distance from the centre to a corner, row by row:
// a pixel belongs to it when its centre lies inside.
void FillComb(Canvas& canvas, Point centre, double cornerRadius, TColor color);
