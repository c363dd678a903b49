#pragma once
// From the measuring start point to the cursor across the screen: the
// steps along and across, the straight-line distance and the angle, in the
// ruler's unit.
#include "ruler/MousePosRules.h"
#include "util/Geometry.h"

#include <string>

struct StartPointDelta {
    Reading Dx;                   // right is positive
    Reading Dy;                   // down is positive, as the screen counts
    Reading Distance;             // pixel units whole, lengths with the unit's decimals
    long double AngleDegrees = 0; // of (Dx, Dy) against the horizontal, -180..180
};
// Pixel units and twips count pixels; logical pixels at the scale's DPI;
// lengths from the scale's millimetres, each axis by its own density.
StartPointDelta DeltaFromStart(const CursorRuler& ruler, Point start, Point cursor);
// "Δx 120  Δy 90  150  36,9°": the angle with one decimal, the decimals
// with the language's separator ("36.9°" in English).
std::wstring StartPointDeltaText(const StartPointDelta& delta, Language language = UiLanguage());

// Where the tip with these figures goes while the pointer is over the ruler:
// beside the ruler at the pointer (below a horizontal ruler, right of a
// vertical one), so it covers neither the scale nor what is measured; on
// the other side or the pointer's other side where the monitor ends.
Point StartTipPlace(const Rect& ruler, bool horizontal, Point pointer, Size tip,
                    const Rect& monitor, int gap);
