#pragma once
// The hue/saturation/lightness colour model; H, S and L run from 0 to 1.
#include "util/Color.h"

#include <cstdint>

// Takes red, green and blue from the low three bytes as they are: a system
// colour is not resolved here.
void RGBtoHSL(TColor color, double& h, double& s, double& l);
void RGBtoHSL(std::uint8_t r, std::uint8_t g, std::uint8_t b, double& h, double& s, double& l);

// L is clamped to 0..1; channels round to nearest with ties to even.
TColor HSLtoRGB(double h, double s, double l);
