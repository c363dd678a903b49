#pragma once
// Numbers with fixed separators, rounding.
#include <cstdint>

// Rounds halves away from zero (2.5 -> 3, -2.5 -> -3), unlike banker's rounding.
std::int64_t MVRound(long double x);
