#pragma once
// Everything the ruler is: its look, scale, calibration, geometry, options and
// cursor state. The window keeps one of these; the face renderer and the
// cursor rules read projections of it.
#include "ruler/CursorState.h"
#include "ruler/PixelMMConverter.h"
#include "ruler/RulerDefaults.h"
#include "ruler/RulerScale.h"
#include "ruler/RulerUnit.h"
#include "ruler/TickRules.h"
#include "screens/MonitorLayout.h"
#include "util/Color.h"
#include "util/Geometry.h"
#include "util/Language.h"

#include <cstdint>
#include <map>
#include <string>

// What the rendered face shows besides the scale.
struct RulerFaceLook {
    TColor FColorBack = RulerDefaults::ColorBack;
    TColor FColorTicks = RulerDefaults::ColorTicks;
    TTickPosition fTickPosition = HorizontalTickPosition;             // edges with ticks
    TTickPosition FTickMarkerPosition = HorizontalTickMarkerPosition; // edges with labels
    bool FCenterMarker = true;
    friend bool operator==(const RulerFaceLook&, const RulerFaceLook&) = default;
};

// Colours of the marks drawn over the face.
struct RulerMarkColors {
    TColor FColorMouseLine = RulerDefaults::ColorMouseLine;
    TColor FColorMousePosBack = RulerDefaults::ColorMousePosBack;
    TColor FColorMousePosText = RulerDefaults::ColorMousePosText;
    TColor ColorPinMark = RulerDefaults::ColorPinMark;
};

// The user's calibration against a real ruler. FCmAuto and FRefCmSize are the
// calibration of the monitor the ruler stands on (MonitorId); each monitor
// the user calibrated has its own stored entry, and every other one takes
// the file's general keys (DefaultAuto, DefaultRefCmSize).
struct RulerCalibration {
    bool FCmAuto = true;
    double FRefCmSize = RulerDefaults::RefCmSize;
    double FRefCmSizeChangeBy = RulerDefaults::RefCmSizeChangeBy;
    bool DefaultAuto = true;
    double DefaultRefCmSize = RulerDefaults::RefCmSize;
    // Monitor id to its stored text ("auto" or centimetres), kept as read,
    // so an entry of a monitor that is not connected now, or one a user
    // mistyped, is written back unchanged.
    std::map<std::wstring, std::wstring> PerMonitor;
    std::wstring MonitorId;
};

struct RulerGeometry {
    bool FHorizontal = true;
    int HWidth = RulerDefaults::HWidth;   // length while horizontal
    int VHeight = RulerDefaults::VHeight; // length while vertical
    Point Position{};                     // window left and top
};

// Values the ruler keeps for its companions and its hotkeys.
struct RulerOptions {
    bool FirstStart = true;
    // The checks of "Immer oben", "Sichtbar", "Lupe" and
    // "Farbauswahlicon anzeigen".
    bool OnTop = true;
    bool Visible = true;
    bool Magnifier = true;
    bool ColorPickerIcon = true;
    int fTransparency = 0;
    // The colour window's colour, kept with the ruler's keys.
    TColor ColorDlgColor = 0;
    int Zoom = RulerDefaults::Zoom;
    bool NeutralPointScreen = true;
    bool MoveMagnifierWithClick = true;
    bool MagnifierSyncVisible = true;
    std::uint16_t MoveHotKeyUp = 0;
    std::uint16_t MoveHotKeyDown = 0;
    std::uint16_t MoveHotKeyLeft = 0;
    std::uint16_t MoveHotKeyRight = 0;
    int MoveHotKeyMoveBy = RulerDefaults::MoveHotKeyMoveBy;
    std::uint16_t HotKeyMeasureStart = RulerDefaults::HotKeyMeasureStart;
    std::uint16_t HotKeyEdgeSpan = RulerDefaults::HotKeyEdgeSpan;
    std::uint16_t HotKeyPinMark = RulerDefaults::HotKeyPinMark;
    int EdgeTolerance = RulerDefaults::EdgeTolerance;
    // "Sprache": automatic follows the system's user interface language.
    LanguageChoice Language = LanguageChoice::Automatic;
};

struct RulerModel {
    RulerFaceLook Look;
    RulerMarkColors MarkColors;
    RulerScale Scale;
    RulerCalibration Calibration;
    RulerGeometry Geometry;
    RulerOptions Options;
    CursorState Cursor;
    PinnedMarks Marks;
    bool Down = false; // the left button went down on the ruler
};

// The length along the ruler's axis: HWidth or VHeight by orientation.
int RulerLength(const RulerGeometry& geometry);
// Client size for the orientation: 49 high and HWidth long, or 57 wide and
// VHeight long.
Size RulerClientSize(const RulerGeometry& geometry);
// Turns the ruler: orientation and the edges that carry ticks and labels.
void SetOrientation(RulerModel& model, bool horizontal);

// Pixels per millimetre from the monitor (automatic) or from the calibration.
void ApplyCalibration(RulerModel& model, PixelsPerMM automatic);
// One step of the calibration keys. A step while the scale is automatic is a
// wish to calibrate by hand: it leaves automatic mode from the spacing the
// screen shows now, so the step is visible at once. Returns whether to beep.
bool StepCalibration(RulerModel& model, double delta);

// The twips of one pixel at a DPI (a DPI of 0 or less counts as 96).
long double TwipsPerPixelAt(int dpi);
