#pragma once
// Where the cursor marks stand on the ruler now.
#include "util/Geometry.h"

#include <cstddef>
#include <vector>

struct CursorState {
    int MousePos = 0;       // position along the ruler, client pixels
    Rect MousePosDisplay{}; // the position box now on screen
    int StartPos = 0;       // measuring start point, client pixels
    int OldStartPos = 0;    // the replaced start point, whose line must go
    bool HasStartPos = false;
    Point StartPoint{};   // the screen point the start was set at
    int OldMousePosX = 0; // previous positions, for the length drag
    int OldMousePosY = 0;
    friend bool operator==(const CursorState&, const CursorState&) = default;
};

// Points the user pinned on the screen, oldest first; they last for the run.
struct PinnedMarks {
    std::vector<Point> Points;
    friend bool operator==(const PinnedMarks&, const PinnedMarks&) = default;
};
constexpr std::size_t MaxPinnedMarks = 32;
