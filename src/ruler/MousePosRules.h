#pragma once
// The cursor marks on the ruler: the line at the cursor, the start line of a
// measurement and the position box, plus the length drag at the far end.
// Pure rules; the window executes the plans they produce.
#include "ruler/RulerModel.h"
#include "util/Canvas.h"
#include "util/Color.h"
#include "util/Geometry.h"
#include "util/Language.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// A short list of fixed capacity, so a cursor update needs no allocation for it.
template <class T, std::size_t N> struct SmallList {
    std::array<T, N> Items{};
    std::size_t Count = 0;
    void Add(const T& item) { Items[Count++] = item; }
    const T* begin() const { return Items.data(); }
    const T* end() const { return Items.data() + Count; }
    std::size_t size() const { return Count; }
    const T& operator[](std::size_t i) const { return Items[i]; }
};

// A stretch of the ruler's axis (client positions, From included, To not)
// that lies on one monitor, with that monitor's millimetres and DPI: a
// distance across monitors adds up each monitor's part in its own units.
struct AxisSpan {
    int From = 0;
    int To = 0;
    double PixelsPerMM = 96.0 / 25.4;
    int Dpi = 96;
    friend bool operator==(const AxisSpan&, const AxisSpan&) = default;
};

// Where the window stands: what the cursor rules need besides the model.
struct RulerPlacement {
    Size Client{RulerDefaults::HWidth, RulerDefaults::HorizontalClientHeight};
    Point WindowOrigin{}; // window left and top, screen coordinates
    int WndBorderX = 0;
    int WndBorderY = 0;
    Rect Screen{}; // the monitor the ruler stands on
    // With several monitors along the axis, one span each; empty otherwise.
    SmallList<AxisSpan, 8> Spans;
};

// The ruler as the cursor rules see it: the model where the window stands.
struct CursorRuler {
    const RulerModel& Model;
    RulerPlacement Placement;
    bool Horizontal() const { return Model.Geometry.FHorizontal; }
    TRulerUnit Unit() const { return Model.Scale.fRulerUnit; }
    const TPixelMMConverter& Converter() const { return Model.Scale.Converter; }
};

// Client length along the ruler's axis.
inline int ClientLength(const CursorRuler& r) {
    return r.Horizontal() ? r.Placement.Client.Width : r.Placement.Client.Height;
}

// Screen coordinate to position along the ruler (relative to its own edge).
int MousePosFromScreen(const CursorRuler& ruler, Point screen);

// A reading: the number the box shows and a copy puts on the clipboard,
// with the decimals its unit shows.
struct Reading {
    long double Value = 0;
    int Decimals = 0;
    friend bool operator==(const Reading&, const Reading&) = default;
};
// The decimals the box shows for a unit.
int UnitDecimals(TRulerUnit unit);
// A pixel distance in the unit, unrounded, at a monitor's millimetres and DPI.
long double InUnitOn(TRulerUnit unit, int pixels, long double perMM, int dpi);
// For a position: pixel units and twips count pixels from 1, logical pixels
// 96-DPI pixels from 1; lengths from the millimetre conversion by
// orientation: whole millimetres, centimetres with one decimal, inches with
// two, whole points.
Reading PositionReading(const CursorRuler& ruler, int pos);
// For the distance from the start point: pixel units count both end pixels,
// twips and logical pixels the difference, lengths as for a position; across
// monitors, lengths and logical pixels add up each monitor's part in its own
// units.
Reading DistanceReading(const CursorRuler& ruler, int pos, int startPos);
// For a run of pixels from first to last, both included (an edge span, the
// stretch between two pinned marks): pixel units and twips count its pixels,
// the others convert that many pixels as a distance is converted.
Reading SpanReading(const CursorRuler& ruler, int first, int last);
// The reading's number with its decimals, rounded half away from zero, with
// the language's decimal separator: "70", "7,0", "2,77" ("7.0", "2.77").
std::wstring ReadingText(const Reading& reading, Language language = UiLanguage());
// "161" or, with a start point, "161  (61)".
std::wstring MousePosText(const CursorRuler& ruler, const CursorState& state, int pos);
// What Ctrl+C puts on the clipboard: the distance from the start point when
// one is set, else the position, as the box shows it, then the unit's
// symbol: "61 px", "4,2 cm" ("4.2 cm" in English).
std::wstring ReadingCopyText(const CursorRuler& ruler, const CursorState& state);
// A reading with the unit's symbol, as it is copied.
std::wstring CopyForm(const CursorRuler& ruler, const Reading& reading,
                      Language language = UiLanguage());

// The box is drawn only for positions on the ruler (both ends included).
bool MousePosBoxShown(const CursorRuler& ruler, int pos);
// Box of the given text extent beside the line at pos; it flips to the other
// side near the ruler's end and near its monitor's far edge.
Rect PlaceMousePosBox(const CursorRuler& ruler, int pos, Size textExtent);
// Where the text starts inside a box: centred across, 2 pixels below its top.
Point MousePosTextOrigin(const Rect& box, Size textExtent);

// The measure hotkey: sets a start point, moves it to the cursor, or ends
// measuring when pressed again without the cursor having moved.
CursorState SetMeasureStartPoint(const CursorState& state);

enum class RulerCursor : std::uint8_t { Arrow, SizeWE, SizeNS };

// The length drag, judged by the previous position: the last 50 client pixels
// are the grip; a drag never makes the ruler 100 pixels or shorter.
// A left drag that starts before the grip moves the window instead.
bool InDragGrip(const CursorRuler& ruler, int pos);
struct LengthDragStep {
    RulerCursor Cursor = RulerCursor::Arrow;
    std::optional<int> NewLength; // new HWidth / VHeight and client length
    friend bool operator==(const LengthDragStep&, const LengthDragStep&) = default;
};
LengthDragStep LengthDrag(const CursorRuler& ruler, int oldPos, int pos);

// A line with GDI semantics: From is drawn, To is not.
struct LineSegment {
    Point From;
    Point To;
    TColor Color = 0;
    friend bool operator==(const LineSegment&, const LineSegment&) = default;
};

// The drawing of one cursor update, in order: copy each Restore rectangle from
// BackImg to the window (already clipped to the client), then draw Lines, then
// the box. Colours are resolved.
struct CursorMarksPlan {
    SmallList<Rect, 4> Restore;
    SmallList<LineSegment, 2> Lines;
    bool ShowBox = false;
    Rect Box{};
    TColor BoxColor = 0;
    Point TextOrigin{};
    std::wstring Text;
    TColor TextColor = 0;
};

// Redraws the marks for state.MousePos (after a render, or a start point
// change); the new state differs only in MousePosDisplay.
struct CursorMarksResult {
    CursorMarksPlan Plan;
    CursorState State;
};
CursorMarksResult PlanCursorMarks(const CursorRuler& ruler, const CursorState& state,
                                  const Canvas& measure);

// A cursor movement to a screen position: erase the old marks, draw the new
// ones, and the length drag. The window applies Drag after drawing.
struct CursorUpdatePlan {
    CursorMarksPlan Marks;
    CursorState State;
    LengthDragStep Drag;
};
CursorUpdatePlan PlanCursorUpdate(const CursorRuler& ruler, const CursorState& state, Point screen,
                                  const Canvas& measure);

// Draws the lines and the box of a plan (the restores are the window's job).
void DrawCursorMarks(Canvas& canvas, const CursorMarksPlan& plan);
