#pragma once
// The fixed cells of the colour popup: 40 standard colours in two sets and
// the 25 system colours.
#include "util/Color.h"

#include <string>

// Which 40 standard colours the popup offers.
enum class TCpbColorPal { cpOffice, cpSwpCmyk };

constexpr int StandardColorCount = 40;
constexpr int SystemColorCount = 25;

// Index 0..39 in reading order of the 8 x 5 grid, as 00BBGGRR.
TColor StandardColor(TCpbColorPal pal, int index);
// The hint name of a standard colour; the CMYK set has none (empty).
std::wstring StandardColorName(TCpbColorPal pal, int index);
// System colour index 0..24: the system colour value (top byte 0xFF) and its hint.
TColor SystemCellColor(int index);
std::wstring SystemColorName(int index);
