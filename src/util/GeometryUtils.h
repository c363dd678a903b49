#pragma once
// Small rectangle and point helpers.
#include "util/Geometry.h"

int RectWidth(const Rect& r);  // |Right - Left|
int RectHeight(const Rect& r); // |Bottom - Top|
// Left and Top grow by amount, Right and Bottom shrink by it.
void RectShrink(Rect& r, int amount);
bool SamePoint(const Point& a, const Point& b);
// (min x, min y, max x, max y): both corners are taken as they are, so Right and
// Bottom name the last pixel, not the one past it.
Rect PointsToPositiveRect(const Point& a, const Point& b);
