#pragma once
// The 148 named colours of CSS and the nearest of them to any colour.
#include "util/Color.h"

#include <optional>
#include <span>
#include <string>

struct TCssNamedColor {
    const wchar_t* Name; // lower case, as CSS lists them (alphabetically)
    TColor Color;
};
std::span<const TCssNamedColor> CssNamedColors();

// The colour of a name, in any letter case.
std::optional<TColor> CssColorByName(const std::wstring& name);

// The named colour nearest by ΔE OK (Euclidean distance in Oklab); of names
// for the same colour ("aqua", "cyan") the first in the list.
struct TNearestCssName {
    const wchar_t* Name;
    double DeltaE; // 0 when the colour is that named colour exactly
    bool Exact;
};
TNearestCssName NearestCssName(TColor color);
