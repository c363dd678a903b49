#pragma once
// What a person reads is designed at 96 DPI and shown at the monitor's DPI:
// a design length at a DPI, rounded to the nearest pixel as the platform's
// MulDiv does. A DPI of 0 or below counts as 96.
#include "util/Numbers.h"

inline int ScaleToDpi(int px96, int dpi) {
    return MulDivRound(px96, dpi > 0 ? dpi : 96, 96);
}
inline int ScaleToDpi(int px96, unsigned dpi) {
    return ScaleToDpi(px96, static_cast<int>(dpi));
}
