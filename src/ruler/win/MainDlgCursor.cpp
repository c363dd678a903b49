// The ruler's cursor tracking: the hook's positions become the marks on the
// scale (line, start line, position box), the grip cursor at the far end and
// the length drag; and the left button's drag of the window.
#include "ruler/win/MainDlg.h"

#include "ruler/MonitorCalibration.h"
#include "ruler/win/RulerCompanions.h"
#include "util/win/GdiCanvas.h"
#include "util/win/MVUtilWin.h"
#include "util/win/WindowRects.h"

void TMainDlg::OnPointerMoved(Point screen) {
    m_pointer = screen;
    // The magnifier follows here, also while the ruler is hidden.
    m_companions->FollowPointer(screen);
    FollowStartTip(screen);
    if (!::IsWindowVisible(Handle())) return;
    // A move across the ruler keeps the position along it: the marks and the
    // length stay as they are, so there is nothing to draw.
    if (MousePosFromScreen(CursorView(), screen) == m_model.Cursor.MousePos) return;
    UpdateCursor(screen);
}

void TMainDlg::UpdateCursor(Point screen) {
    if (!::IsWindowVisible(Handle())) return;
    const CursorRuler ruler = CursorView();
    GdiCanvas& canvas = CursorCanvas();
    const CursorUpdatePlan update = PlanCursorUpdate(ruler, m_model.Cursor, screen, canvas);
    // While a new face is pending (after a resize) the next paint draws the
    // marks from the state; the position and the length drag go on.
    if (FaceIsCurrent(ruler.Placement.Client)) DrawMarks(canvas, update.Marks);
    m_model.Cursor = update.State;
    ShowGripCursor(update.Drag.Cursor, screen);
    DragLength(update.Drag.NewLength);
}

void TMainDlg::DrawMarks(GdiCanvas& canvas, const CursorMarksPlan& plan) {
    for (const Rect& r : plan.Restore) {
        canvas.CopyFrom(m_face.Dc(), r);
        m_counters.PixelsCopied +=
            static_cast<std::uint64_t>(r.Width()) * static_cast<std::uint64_t>(r.Height());
    }
    DrawCursorMarks(canvas, plan);
}

void TMainDlg::ShowGripCursor(RulerCursor cursor, Point screen) {
    // By RulerCursor: loaded once, since every cursor update may need one.
    static const HCURSOR cursors[] = {::LoadCursorW(nullptr, IDC_ARROW),
                                      ::LoadCursorW(nullptr, IDC_SIZEWE),
                                      ::LoadCursorW(nullptr, IDC_SIZENS)};
    const HCURSOR wanted = cursors[static_cast<int>(cursor)];
    if (wanted == m_cursor) return;
    m_cursor = wanted;
    if (::WindowFromPoint({screen.X, screen.Y}) == Handle()) ::SetCursor(m_cursor);
}

void TMainDlg::DragLength(std::optional<int> newLength) {
    if (newLength) SetLength(*newLength);
}

CursorRuler TMainDlg::CursorView() const {
    if (!m_placement) {
        const Rect client = ClientRect();
        const Rect window = WindowRectOf(Handle());
        m_placement =
            RulerPlacement{{client.Width(), client.Height()},
                           {window.Left, window.Top},
                           m_border.Width,
                           m_border.Height,
                           OwnMonitor().Bounds,
                           AxisSpans({window.Left + m_border.Width, window.Top + m_border.Height})};
    }
    return {m_model, *m_placement};
}

SmallList<AxisSpan, 8> TMainDlg::AxisSpans(Point clientOrigin) const {
    SmallList<AxisSpan, 8> spans;
    if (m_monitors.Monitors().size() < 2) return spans;
    const bool horizontal = m_model.Geometry.FHorizontal;
    const Rect w = WindowRectOf(Handle());
    // The monitors the ruler's axis runs through.
    const int line = horizontal ? (w.Top + w.Bottom) / 2 : (w.Left + w.Right) / 2;
    const int origin = horizontal ? clientOrigin.X : clientOrigin.Y;
    const Monitor& own = ScaleMonitor();
    for (const Monitor& m : m_monitors.Monitors()) {
        const Rect& b = m.Bounds;
        const bool crossed =
            horizontal ? b.Top <= line && line < b.Bottom : b.Left <= line && line < b.Right;
        if (!crossed || spans.size() == spans.Items.size()) continue;
        AxisSpan span{(horizontal ? b.Left : b.Top) - origin,
                      (horizontal ? b.Right : b.Bottom) - origin};
        // The scale's own monitor exactly as the scale converts.
        const PixelsPerMM perMM = &m == &own ? PixelsPerMM{m_model.Scale.Converter.PixelsPerMMX(),
                                                           m_model.Scale.Converter.PixelsPerMMY()}
                                             : PixelsPerMMOn(m_model.Calibration, m);
        span.PixelsPerMM = horizontal ? perMM.X : perMM.Y;
        span.Dpi = &m == &own ? m_model.Scale.Dpi : m.Dpi;
        spans.Add(span);
    }
    return spans;
}

GdiCanvas& TMainDlg::CursorCanvas() {
    if (!m_cursorCanvas)
        m_cursorCanvas = std::make_unique<GdiCanvas>(::GetDC(Handle()), m_boxFont, nullptr);
    return *m_cursorCanvas;
}

void TMainDlg::MeasureStartPoint() {
    m_model.Cursor = SetMeasureStartPoint(m_model.Cursor);
    m_model.Cursor.StartPoint = m_pointer;
    FiguresFromStartChanged();
    UpdateCursor(m_pointer);
}

void TMainDlg::OnMouseDown() {
    m_model.Down = true;
    ::SetCapture(Handle());
}

void TMainDlg::OnMouseUp() {
    m_model.Down = false;
    if (::GetCapture() == Handle()) ::ReleaseCapture();
}

void TMainDlg::OnMouseMove(WPARAM keys) {
    if (!(keys & MK_LBUTTON) || !m_model.Down) return;
    // Before the far-end grip a drag moves the window; in the grip the hook
    // updates change the length instead.
    if (!InDragGrip(CursorView(), m_model.Cursor.MousePos)) {
        m_model.Down = false;
        MoveWnd(Handle());
    }
}
