#pragma once
// Command ids of the ruler; the rows that give them meaning are in
// RulerCommands.cpp.
#include <windows.h>

enum RulerCommandId : UINT {
    idVisible = 100,
    idOnTop,
    idOrientation,
    idOptimalSize,
    idCenter,
    idUnitMenu,
    idMilimeter,
    idPixel20,
    idPixel32,
    idPixel50,
    idTwip,
    idPlus1,
    idMinus1,
    idSettings,
    idTransparencyMenu,
    idTransparency0, // ... idTransparency0 + 6 for "60%"
    idShowTrayPicker = idTransparency0 + 7,
    idPickColor,
    idMagnifier,
    idHelp,
    idCheckUpdate,
    idFeedback,
    idAbout,
    idExit,
    // Keys without a menu item of their own.
    idNextUnit,
    idPlusTyped,
    idMinusTyped,
    idArrowLeft,
    idArrowRight,
    idArrowUp,
    idArrowDown,
    idCentimeter,
    idInch,
    idPoint,
    idLogicalPixel,
    idCopyReading,
    idEdgeSpan,
    idPinMark,
    idClearMarks,
};
