#include "ruler/MousePosRules.h"

#include "util/Numbers.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int BoxGap = 15;         // between the line and the box
constexpr int BoxPaddingX = 12;    // box width beyond the text
constexpr int BoxPaddingY = 4;     // box height beyond the text
constexpr int BoxTextTop = 2;      // text offset below the box's top
constexpr int FlipMargin = 5;      // the box keeps this far from an edge
constexpr int DragGrip = 50;       // far-end zone of the length drag
constexpr int MinDragLength = 100; // a drag never reaches this length

Rect ClientRect(const CursorRuler& r) {
    return {0, 0, r.Placement.Client.Width, r.Placement.Client.Height};
}

// The one-pixel strip across the ruler at pos.
Rect LineStrip(const CursorRuler& r, int pos) {
    const Size client = r.Placement.Client;
    return r.Horizontal() ? Rect{pos, 0, pos + 1, client.Height}
                          : Rect{0, pos, client.Width, pos + 1};
}

void AddRestore(CursorMarksPlan& plan, const CursorRuler& r, const Rect& area) {
    const Rect clipped = area.Intersect(ClientRect(r));
    if (clipped.IsEmpty()) return;
    // Copying the same strip twice shows nothing new.
    if (std::find(plan.Restore.begin(), plan.Restore.end(), clipped) != plan.Restore.end()) return;
    plan.Restore.Add(clipped);
}

void AddLine(CursorMarksPlan& plan, const CursorRuler& r, int pos, TColor color) {
    if (pos < 0 || pos >= ClientLength(r)) return; // would be clipped away entirely
    const Size client = r.Placement.Client;
    const LineSegment line = r.Horizontal() ? LineSegment{{pos, 0}, {pos, client.Height}, color}
                                            : LineSegment{{0, pos}, {client.Width, pos}, color};
    plan.Lines.Add(line);
}

void PlanMarks(const CursorRuler& r, CursorState& state, const Canvas& measure,
               CursorMarksPlan& plan) {
    if (state.HasStartPos) AddRestore(plan, r, LineStrip(r, state.OldStartPos));
    AddRestore(plan, r, state.MousePosDisplay);

    const int pos = state.MousePos;
    plan.Text = MousePosText(r, state, pos);
    if (state.HasStartPos) AddLine(plan, r, state.StartPos, RulerDefaults::ColorStartLine);
    const RulerMarkColors& colors = r.Model.MarkColors;
    AddLine(plan, r, pos, CanvasColor(colors.FColorMouseLine));

    // Off the ruler the old box stays recorded; it has just been erased.
    if (!MousePosBoxShown(r, pos)) return;
    const Size extent = measure.TextExtent(plan.Text, false);
    state.MousePosDisplay = PlaceMousePosBox(r, pos, extent);
    plan.ShowBox = true;
    plan.Box = state.MousePosDisplay;
    plan.BoxColor = CanvasColor(colors.FColorMousePosBack);
    plan.TextOrigin = MousePosTextOrigin(plan.Box, extent);
    plan.TextColor = CanvasColor(colors.FColorMousePosText);
}
} // namespace

int MousePosFromScreen(const CursorRuler& r, Point screen) {
    const RulerPlacement& p = r.Placement;
    return r.Horizontal() ? screen.X - p.WindowOrigin.X - p.WndBorderX
                          : screen.Y - p.WindowOrigin.Y - p.WndBorderY;
}

int UnitDecimals(TRulerUnit unit) {
    if (unit == ruCentimeter) return 1;
    if (unit == ruInch) return 2;
    return 0;
}

long double InUnitOn(TRulerUnit unit, int pixels, long double perMM, int dpi) {
    const long double mm = pixels / perMM;
    switch (unit) {
    case ruMillimeter:
        return mm;
    case ruCentimeter:
        return mm / 10;
    case ruInch:
        return mm / 25.4L;
    case ruPoint:
        return mm / 25.4L * 72;
    case ruLogicalPixel:
        return pixels * 96.0L / (dpi > 0 ? dpi : 96);
    case ruPixel20:
    case ruPixel32:
    case ruPixel50:
    case ruTwip:
        break;
    }
    return pixels;
}

namespace {

// A pixel distance along the ruler in its own unit, unrounded.
long double InUnit(const CursorRuler& r, int pixels) {
    const TPixelMMConverter& c = r.Converter();
    return InUnitOn(r.Unit(), pixels, r.Horizontal() ? c.PixelsPerMMX() : c.PixelsPerMMY(),
                    r.Model.Scale.Dpi);
}

// The distance between two positions, each monitor's part in its units;
// parts on no monitor in the ruler's own.
long double DistanceInUnit(const CursorRuler& r, int from, int to) {
    const int low = std::min(from, to), high = std::max(from, to);
    const auto& spans = r.Placement.Spans;
    if (spans.size() < 2) return InUnit(r, high - low);
    long double sum = 0;
    int covered = 0;
    for (const AxisSpan& span : spans) {
        const int part = std::min(high, span.To) - std::max(low, span.From);
        if (part <= 0) continue;
        sum += InUnitOn(r.Unit(), part, span.PixelsPerMM, span.Dpi);
        covered += part;
    }
    return sum + InUnit(r, high - low - covered);
}

long double Rounded(long double value, int decimals) {
    long double scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    return static_cast<long double>(MVRound(value * scale)) / scale;
}

} // namespace

Reading PositionReading(const CursorRuler& r, int pos) {
    const TRulerUnit unit = r.Unit();
    if (IsLengthUnit(unit)) return {InUnit(r, pos), UnitDecimals(unit)};
    if (unit == ruLogicalPixel) return {static_cast<long double>(MVRound(InUnit(r, pos)) + 1), 0};
    return {static_cast<long double>(pos) + 1, 0};
}

Reading DistanceReading(const CursorRuler& r, int pos, int startPos) {
    const TRulerUnit unit = r.Unit();
    if (IsPixelUnit(unit)) return {static_cast<long double>(std::abs(pos - startPos)) + 1, 0};
    return {DistanceInUnit(r, startPos, pos), UnitDecimals(unit)};
}

Reading SpanReading(const CursorRuler& r, int first, int last) {
    const int low = std::min(first, last), high = std::max(first, last);
    // The pixel after the last is where the run ends: every unit counts it.
    return {DistanceInUnit(r, low, high + 1), UnitDecimals(r.Unit())};
}

std::wstring ReadingText(const Reading& reading, Language language) {
    const int decimals = std::max(reading.Decimals, 0);
    long double scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    return DecimalText(MVRound(Rounded(reading.Value, decimals) * scale), decimals,
                       ShownDecimalSeparator(language));
}

std::wstring MousePosText(const CursorRuler& r, const CursorState& state, int pos) {
    std::wstring text = ReadingText(PositionReading(r, pos));
    if (state.HasStartPos)
        text += L"  (" + ReadingText(DistanceReading(r, pos, state.StartPos)) + L")";
    return text;
}

std::wstring ReadingCopyText(const CursorRuler& r, const CursorState& state) {
    const Reading reading = state.HasStartPos ? DistanceReading(r, state.MousePos, state.StartPos)
                                              : PositionReading(r, state.MousePos);
    return CopyForm(r, reading);
}

std::wstring CopyForm(const CursorRuler& r, const Reading& reading, Language language) {
    return ReadingText(reading, language) + L" " + UnitSymbol(r.Unit());
}

bool MousePosBoxShown(const CursorRuler& r, int pos) {
    return pos >= 0 && pos <= ClientLength(r);
}

Rect PlaceMousePosBox(const CursorRuler& r, int pos, Size textExtent) {
    const int width = textExtent.Width + BoxPaddingX;
    const int height = textExtent.Height + BoxPaddingY;
    const RulerPlacement& p = r.Placement;
    if (r.Horizontal()) {
        int left = pos + BoxGap;
        if (left + width >= p.Client.Width - FlipMargin ||
            left + width >= p.Screen.Right - p.WindowOrigin.X - FlipMargin)
            left = pos - BoxGap - width;
        return Rect::FromSize(left, (p.Client.Height - height) / 2, width, height);
    }
    int top = pos + BoxGap;
    if (top + height >= p.Client.Height - FlipMargin ||
        top + height >= p.Screen.Bottom - p.WindowOrigin.Y - FlipMargin)
        top = pos - BoxGap - height;
    return Rect::FromSize((p.Client.Width - width) / 2, top, width, height);
}

Point MousePosTextOrigin(const Rect& box, Size textExtent) {
    return {box.Left + (box.Width() - textExtent.Width) / 2, box.Top + BoxTextTop};
}

CursorState SetMeasureStartPoint(const CursorState& state) {
    CursorState next = state;
    if (state.HasStartPos && state.MousePos == state.StartPos) {
        next.OldStartPos = 0;
        next.StartPos = state.MousePos;
        next.HasStartPos = false;
    } else {
        next.OldStartPos = state.StartPos;
        next.StartPos = state.MousePos;
        next.HasStartPos = true;
    }
    return next;
}

bool InDragGrip(const CursorRuler& r, int pos) {
    return pos >= ClientLength(r) - DragGrip;
}

LengthDragStep LengthDrag(const CursorRuler& r, int oldPos, int pos) {
    LengthDragStep step;
    if (!InDragGrip(r, oldPos)) return step;
    step.Cursor = r.Horizontal() ? RulerCursor::SizeWE : RulerCursor::SizeNS;
    if (r.Model.Down) {
        const int newLength = RulerLength(r.Model.Geometry) + pos - oldPos;
        if (newLength > MinDragLength) step.NewLength = newLength;
    }
    return step;
}

CursorMarksResult PlanCursorMarks(const CursorRuler& ruler, const CursorState& state,
                                  const Canvas& measure) {
    CursorMarksResult result{{}, state};
    PlanMarks(ruler, result.State, measure, result.Plan);
    return result;
}

CursorUpdatePlan PlanCursorUpdate(const CursorRuler& ruler, const CursorState& state, Point screen,
                                  const Canvas& measure) {
    CursorUpdatePlan update{{}, state, {}};
    CursorState& next = update.State;
    AddRestore(update.Marks, ruler, LineStrip(ruler, state.MousePos));
    AddRestore(update.Marks, ruler, state.MousePosDisplay);

    next.MousePos = MousePosFromScreen(ruler, screen);
    PlanMarks(ruler, next, measure, update.Marks);

    int& oldPos = ruler.Horizontal() ? next.OldMousePosX : next.OldMousePosY;
    update.Drag = LengthDrag(ruler, oldPos, next.MousePos);
    oldPos = next.MousePos;
    return update;
}

void DrawCursorMarks(Canvas& canvas, const CursorMarksPlan& plan) {
    for (const LineSegment& line : plan.Lines) {
        canvas.MoveTo(line.From);
        canvas.LineTo(line.To, line.Color);
    }
    if (!plan.ShowBox) return;
    canvas.FillRect(plan.Box, plan.BoxColor);
    canvas.TextAt(plan.TextOrigin.X, plan.TextOrigin.Y, plan.Text, plan.TextColor, false);
}
