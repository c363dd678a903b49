#pragma once
// Child window ids of the settings dialog, for its own message handling and
// for the test driver, which finds its controls by them. Each caption is a
// control of its own, placed directly before its field in the tab order.
#include <windows.h>

constexpr const wchar_t* SettingsDlgClass = L"TSettingsDlg";
constexpr const wchar_t* PixelsPerMMEditorClass = L"TFrmPixelsPerMMEditor";

enum TSettingsDlgId : int {
    idSettingsOK = IDOK,
    idSettingsCancel = IDCANCEL,
    // "Farben": the colour buttons in the order "Standard..." resets them.
    idColorsGroup = 200,
    idCpbBack,
    idCpbTicks,
    idCpbMouseLine,
    idCpbMousePosPosText,
    idCpbMousePosBack,
    idCpbPinMark,
    idResetColors, // "Standard..."
    // "Systemweite Tastenkürzel ": the hot-key fields in reading order.
    idHotKeysGroup,
    idHkMoveHotKeyUp,
    idHkMoveHotKeyDown,
    idHkMoveHotKeyLeft,
    idHkMoveHotKeyRight,
    idEMoveHotKeyMoveBy,
    idUdMoveHotKeyMoveBy,
    idHkMeasureStart,
    idMeasureStartHelp, // "?"
    idHkEdgeSpan,
    idHkPinMark,
    // The calibration frame (a child window) and its controls.
    idPixelsPerMMEditor,
    idCalibrationGroup,
    idRbAutoPixelPerMM,
    idRbUserPixelPerMM,
    idReferenceBar,
    idEUserCmMeasured,
    idEUserCmMeasuredChangeBy,
    // "Sonstiges".
    idOtherGroup,
    idCbMagnifierSyncVisible,
    idEEdgeTolerance,
    idUdEdgeTolerance,
    // Captions start here, one per label, in the order they are created.
    idFirstCaption = 300,
};
