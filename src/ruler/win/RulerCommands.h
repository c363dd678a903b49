#pragma once
// Command ids of the ruler; the rows that give them meaning are in
// RulerCommands.cpp.
#include <windows.h>

enum RulerCommandId : UINT {
    idOrientation = 100,
    idUnitMenu,
    idMilimeter,
    idPixel20,
    idPixel32,
    idPixel50,
    idTwip,
    idPlus1,
    idMinus1,
    idExit,
};
