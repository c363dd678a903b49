#pragma once
// Command ids of the ruler's pop-up menu; the unit items follow the unit
// ordinals (id - idMilimeter is the TRulerUnit).
#include <windows.h>

enum MenuId : UINT {
    idMilimeter = 100,
    idPixel20,
    idPixel32,
    idPixel50,
    idPlus1,
    idMinus1,
    idExit,
};
