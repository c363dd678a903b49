// The ruler's pinned marks and the edge span: marks pinned at screen points
// and shown on the face, and the span between the edges around the pointer
// read from one row (or column) of the screen.
#include "ruler/win/MainDlg.h"

#include "ruler/EdgeSpan.h"
#include "ruler/StartPointDelta.h"
#include "ruler/win/RulerCompanions.h"
#include "ruler/win/ScreenLine.h"
#include "util/win/Clipboard.h"
#include "util/win/ModalLoop.h"
#include "util/win/WindowRects.h"

namespace {

// Time for the windows below the ruler or the magnifier to paint what they
// uncovered, when the line to read runs under one of them.
constexpr DWORD kUncoverMs = 200;

bool Crosses(HWND wnd, const Rect& line) {
    return wnd && ::IsWindowVisible(wnd) && !WindowRectOf(wnd).Intersect(line).IsEmpty();
}

} // namespace

void TMainDlg::PinMarkAtPointer() {
    PinMarkAt(m_pointer);
}

void TMainDlg::PinMarkAt(Point screen) {
    PinMark(m_model.Marks, screen);
    FaceChanged();
}

void TMainDlg::ClearMarks() {
    m_model.Marks.Points.clear();
    FaceChanged();
}

void TMainDlg::PlaceMarks() {
    m_marksShown = MarksOnRuler(CursorView(), m_model.Marks, m_model.MarkColors.ColorPinMark);
}

void TMainDlg::MeasureEdgeSpan() {
    // The wait below runs queued messages: a second press meanwhile is dropped.
    if (m_edgeSpanRunning) return;
    m_edgeSpanRunning = true;
    struct Done {
        bool& Flag;
        ~Done() { Flag = false; }
    } done{m_edgeSpanRunning};

    const Point at = m_pointer;
    const bool horizontal = m_model.Geometry.FHorizontal;
    const Rect screen = m_monitors.VirtualScreen();
    if (!screen.Contains(at)) return;
    const Rect line = horizontal ? Rect{screen.Left, at.Y, screen.Right, at.Y + 1}
                                 : Rect{at.X, screen.Top, at.X + 1, screen.Bottom};
    // What is measured is the screen without the ruler and the magnifier.
    // Only a line that runs under one of them needs them out of the way
    // (hidden as for the colour shot); any other is read at once.
    std::vector<std::uint32_t> pixels;
    if (Crosses(Handle(), line) || Crosses(m_companions->MagnifierWindow(), line)) {
        m_companions->BeforeColorShot();
        if (LetScreenSettle(kUncoverMs)) pixels = CopyScreenLine(line);
        m_companions->AfterColorShot();
    } else {
        pixels = CopyScreenLine(line);
    }
    m_counters.ScreenPixelsRead += pixels.size();
    const int origin = horizontal ? screen.Left : screen.Top;
    const EdgeSpan span =
        FindEdgeSpan(pixels, (horizontal ? at.X : at.Y) - origin, m_model.Options.EdgeTolerance);
    if (span.Length() <= 0) return;
    ++m_counters.EdgeSpans;
    auto pointAt = [&](int i) {
        return horizontal ? Point{origin + i, at.Y} : Point{at.X, origin + i};
    };
    PinMark(m_model.Marks, pointAt(span.First));
    if (span.Last != span.First) PinMark(m_model.Marks, pointAt(span.Last));
    const CursorRuler ruler = CursorView();
    CopyTextToClipboard(
        Handle(), CopyForm(ruler, SpanReading(ruler, MousePosFromScreen(ruler, pointAt(span.First)),
                                              MousePosFromScreen(ruler, pointAt(span.Last)))));
    FaceChanged();
}

void TMainDlg::FiguresFromStartChanged() {
    m_companions->RedrawMagnifier();
    FollowStartTip(m_pointer);
}

void TMainDlg::FollowStartTip(Point screen) {
    // Every pointer move comes here: without a start point it costs a test.
    // An open magnifier shows the figures in its caption already.
    const HWND magnifier = m_companions->MagnifierWindow();
    const bool wanted = m_model.Cursor.HasStartPos && ::IsWindowVisible(Handle()) &&
                        !(magnifier && ::IsWindowVisible(magnifier));
    const Rect ruler = wanted ? WindowRectOf(Handle()) : Rect{};
    if (!ruler.Contains(screen)) {
        m_startTip.Hide();
        return;
    }
    const std::wstring text =
        StartPointDeltaText(DeltaFromStart(CursorView(), m_model.Cursor.StartPoint, screen));
    // Shown first, so that its size for this text is known where it goes.
    auto place = [&] {
        const SIZE size = m_startTip.Size();
        const Point at = StartTipPlace(ruler, m_model.Geometry.FHorizontal, screen,
                                       {size.cx, size.cy}, MonitorRectOf(Handle()), Scale(4));
        return POINT{at.X, at.Y};
    };
    m_startTip.Show(Handle(), text, place());
    m_startTip.MoveTo(place());
}
