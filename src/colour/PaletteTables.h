#pragma once
// The palette kinds of the colour window and the cells of the fixed ones.
#include "util/Color.h"

#include <vector>

// Stored as ordinals in this order.
enum class TMVPalette {
    mvPal8,
    mvPal16,
    mvPal256,
    mvPalWin,
    mvPalCreme,
    mvPalList,
    mvPalWeb120,
    mvPalWeb216,
    mvPalWordVista
};

// The cells of a fixed kind in reading order, as 00BBGGRR values; a list
// palette has no table of its own and gives none.
const std::vector<TColor>& FixedPaletteCells(TMVPalette kind);
