#pragma once
// Pinned marks: points the user pinned on the screen, shown on the ruler as
// lines across the scale with their positions, and the distance between
// neighbours. They keep their screen points: a moved ruler shows those still
// over it, a turned ruler shows them along its new axis.
#include "ruler/CursorState.h"
#include "ruler/MousePosRules.h"
#include "util/Canvas.h"
#include "util/Color.h"
#include "util/Geometry.h"

#include <cstddef>
#include <string>
#include <vector>

// Pins a mark; beyond MaxPinnedMarks the oldest goes.
void PinMark(PinnedMarks& marks, Point screen);

// What the ruler's face shows of the marks: the marks over the ruler in
// order along it, their positions' texts and the distances between
// neighbours (Distances[i] between Positions[i] and Positions[i + 1]).
struct FaceMarks {
    std::vector<int> Positions; // client positions along the ruler, ascending
    std::vector<std::wstring> PositionTexts;
    std::vector<std::wstring> Distances;
    TColor Color = 0;
    bool Horizontal = true;
    friend bool operator==(const FaceMarks&, const FaceMarks&) = default;
};
FaceMarks MarksOnRuler(const CursorRuler& ruler, const PinnedMarks& marks, TColor color);

// Where the marks are drawn on a face of the given size: one line per mark,
// and the labels that fit. Position labels sit beside their line at the top
// (vertical: left) edge, distance labels centred between their marks at the
// opposite edge, each within its half of the ruler's width; a label that
// would leave its half or the face, or cross another mark's line, is left
// out, so no two labels can touch.
struct MarkLabel {
    Rect Box;
    std::wstring Text;
    friend bool operator==(const MarkLabel&, const MarkLabel&) = default;
};
struct MarksLayout {
    std::vector<LineSegment> Lines;
    std::vector<MarkLabel> Labels;
    TColor Color = 0; // of the lines and the labels' text
};
MarksLayout LayoutMarks(const FaceMarks& marks, Size client, const Canvas& measure);
// The lines, then each label on labelBack.
void DrawMarksLayout(Canvas& canvas, const MarksLayout& layout, TColor labelBack);
