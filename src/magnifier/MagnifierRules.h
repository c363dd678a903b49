#pragma once
// What the magnifier shows for a pointer position: its caption, the screen
// square it enlarges, the black strips where that square leaves the screen,
// and the marker of the pixel under the pointer.
#include "util/Geometry.h"
#include "util/GeometryUtils.h"

#include <string>
#include <vector>

constexpr int MinZoom = 1;
constexpr int MaxZoom = 20;
constexpr int DefaultZoom = 4;

// A zoom from a hand-edited file may be anything: outside 1..20 it is
// brought to the nearest end, so nothing ever divides by zero.
int ClampZoom(int zoom);

// The position the caption shows: the screen's, or the ruler's, counted from
// its bottom-left corner (horizontal) or top-right corner (vertical).
struct RulerFrame {
    Rect Bounds; // the ruler window's outer bounds
    bool Horizontal = true;
};
Point ShownPosition(Point pointer, bool screenCoordinates, const RulerFrame& ruler);
// " X: %d, Y: %d    Zoom: %dx", counted from 1; with the figures from a
// measuring start point between the position and the zoom.
std::wstring MagnifierCaption(Point shown, int zoom, const std::wstring& fromStart = {});

struct MagnifierFrame {
    Rect Source;                   // screen pixels (left, top, width, height as a rect)
    std::vector<Rect> BlackStrips; // on the picture, painted before the copy
    Rect Marker;                   // one magnified pixel, right of and below the centre
};
MagnifierFrame PlanMagnifierFrame(Point pointer, Size picture, int zoom, Rect screen);
