#pragma once
// Small rectangle and point helpers.
#include "util/Geometry.h"

int RectWidth(const Rect& r);  // |Right - Left|
int RectHeight(const Rect& r); // |Bottom - Top|
// Left and Top grow by amount, Right and Bottom shrink by it.
void RectShrink(Rect& r, int amount);
bool SamePoint(const Point& a, const Point& b);
// The other side of the screen for a window that moves out of the pointer's
// way: from any left edge but 0 to 0, from 0 to the right edge.
int OtherSideLeft(int left, int windowWidth, int screenWidth);
// (min x, min y, max x, max y): both corners are taken as they are, so Right and
// Bottom name the last pixel, not the one past it.
Rect PointsToPositiveRect(const Point& a, const Point& b);
