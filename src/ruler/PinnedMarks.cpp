#include "ruler/PinnedMarks.h"

#include <algorithm>

namespace {
constexpr int LabelGap = 2;   // between a label and the line it belongs to
constexpr int FrameWidth = 1; // the face's frame, which labels leave whole

// The label's box: Along is the start along the ruler; Before puts it at
// the top (vertical: left) edge inside the frame, else at the opposite edge,
// so that it covers ticks rather than the scale's numbers in the middle.
Rect LabelBox(int along, Size extent, Size client, bool horizontal, bool before) {
    if (horizontal) {
        const int top = before ? FrameWidth : client.Height - FrameWidth - extent.Height;
        return Rect::FromSize(along, top, extent.Width, extent.Height);
    }
    const int left = before ? FrameWidth : client.Width - FrameWidth - extent.Width;
    return Rect::FromSize(left, along, extent.Width, extent.Height);
}

// Each kind of label keeps to its half of the ruler's width.
bool InItsHalf(const Rect& box, Size client, bool horizontal, bool before) {
    const int mid = (horizontal ? client.Height : client.Width) / 2;
    const int from = horizontal ? box.Top : box.Left, to = horizontal ? box.Bottom : box.Right;
    return before ? to <= mid : from >= mid;
}

int AlongExtent(Size extent, bool horizontal) {
    return horizontal ? extent.Width : extent.Height;
}

// Whether a label from..to (to excluded) fits between two lines and inside the face.
bool FitsBetween(int from, int to, int low, int high) {
    return from > low && to <= high;
}
} // namespace

void PinMark(PinnedMarks& marks, Point screen) {
    if (marks.Points.size() >= MaxPinnedMarks) marks.Points.erase(marks.Points.begin());
    marks.Points.push_back(screen);
}

FaceMarks MarksOnRuler(const CursorRuler& ruler, const PinnedMarks& marks, TColor color) {
    FaceMarks face;
    face.Color = color;
    face.Horizontal = ruler.Horizontal();
    const int length = ClientLength(ruler);
    for (const Point& p : marks.Points) {
        const int pos = MousePosFromScreen(ruler, p);
        if (pos >= 0 && pos < length) face.Positions.push_back(pos);
    }
    std::sort(face.Positions.begin(), face.Positions.end());
    // Two marks on one pixel are one line.
    face.Positions.erase(std::unique(face.Positions.begin(), face.Positions.end()),
                         face.Positions.end());
    for (std::size_t i = 0; i < face.Positions.size(); ++i) {
        face.PositionTexts.push_back(ReadingText(PositionReading(ruler, face.Positions[i])));
        if (i + 1 < face.Positions.size())
            face.Distances.push_back(
                ReadingText(SpanReading(ruler, face.Positions[i], face.Positions[i + 1])));
    }
    return face;
}

MarksLayout LayoutMarks(const FaceMarks& marks, Size client, const Canvas& measure) {
    const bool horizontal = marks.Horizontal;
    MarksLayout layout;
    layout.Color = marks.Color;
    const int length = horizontal ? client.Width : client.Height;
    const std::size_t count = marks.Positions.size();
    for (int pos : marks.Positions)
        layout.Lines.push_back(horizontal
                                   ? LineSegment{{pos, 0}, {pos, client.Height}, marks.Color}
                                   : LineSegment{{0, pos}, {client.Width, pos}, marks.Color});
    // Each label stays between its own two lines, in its own half of the
    // ruler's width: no two can touch.
    // A label wider than its half (a narrow vertical ruler at a high DPI)
    // is left out too.
    auto place = [&](const Rect& box, const std::wstring& text, bool before) {
        if (InItsHalf(box, client, horizontal, before)) layout.Labels.push_back({box, text});
    };
    for (std::size_t i = 0; i < count; ++i) {
        const int pos = marks.Positions[i];
        const int next = i + 1 < count ? marks.Positions[i + 1] : length;
        const Size extent = measure.TextExtent(marks.PositionTexts[i], false);
        const int from = pos + LabelGap;
        if (FitsBetween(from, from + AlongExtent(extent, horizontal), pos, next))
            place(LabelBox(from, extent, client, horizontal, true), marks.PositionTexts[i], true);
        if (i + 1 >= count) continue;
        const Size distance = measure.TextExtent(marks.Distances[i], false);
        const int along = AlongExtent(distance, horizontal);
        const int start = (pos + next + 1 - along) / 2;
        if (FitsBetween(start - LabelGap, start + along + LabelGap, pos, next))
            place(LabelBox(start, distance, client, horizontal, false), marks.Distances[i], false);
    }
    return layout;
}

void DrawMarksLayout(Canvas& canvas, const MarksLayout& layout, TColor labelBack) {
    for (const LineSegment& line : layout.Lines) {
        canvas.MoveTo(line.From);
        canvas.LineTo(line.To, line.Color);
    }
    // On the face's background, so the numbers read clearly over the ticks.
    for (const MarkLabel& label : layout.Labels) {
        canvas.FillRect(label.Box, labelBack);
        canvas.TextAt(label.Box.Left, label.Box.Top, label.Text, layout.Color, false);
    }
}
