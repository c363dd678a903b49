#pragma once
// Banded linear gradient: a row of solid-colour bands from one colour to another.
#include "util/Canvas.h"
#include "util/Color.h"
#include "util/Geometry.h"

#include <array>
#include <cstdint>

// Direction values of LinearBlendFill.
constexpr std::uint8_t bfLeftToRight = 0;
constexpr std::uint8_t bfTopToBottom = 1;

using TBlendColors = std::array<TColor, 256>;

// The number of colour steps actually used: fewer than three make no gradient.
std::uint8_t CorrectColBands(std::uint8_t bands);

// Colors[0] is Color1, Colors[count] is Color2, the steps between are rounded
// per channel (halves to even). count must lie in 1..255.
void PrepareColors(TColor color1, TColor color2, int count, TBlendColors& colors);

// Fills rect with count + 1 bands running left to right (direction 0) or top
// to bottom (direction 1); any other direction leaves the whole rectangle in
// Color2. Bands never reach outside rect, nor outside clip when one is given.
// System colours are resolved first.
void LinearBlendFill(Canvas& canvas, const Rect* clip, const Rect& rect, TColor color1,
                     TColor color2, std::uint8_t direction, std::uint8_t bands);
