#pragma once
// Where the cursor marks stand on the ruler now.
#include "util/Geometry.h"

struct CursorState {
    int MousePos = 0;       // position along the ruler, client pixels
    Rect MousePosDisplay{}; // the position box now on screen
    int StartPos = 0;       // measuring start point, client pixels
    int OldStartPos = 0;    // the replaced start point, whose line must go
    bool HasStartPos = false;
    int OldMousePosX = 0; // previous positions, for the length drag
    int OldMousePosY = 0;
    friend bool operator==(const CursorState&, const CursorState&) = default;
};
