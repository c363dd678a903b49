#pragma once
// The edge span: from a point on one row (or column) of screen pixels, the
// run of pixels like the one under the cursor, out to the nearest edge on
// each side. Pixels are 0x00BBGGRR, as the screen copy gives them.
#include <cstdint>
#include <span>

// Indexes into the row, both included: a 137-pixel bar gives Last - First = 136.
struct EdgeSpan {
    int First = 0;
    int Last = 0;
    int Length() const { return Last - First + 1; }
    friend bool operator==(const EdgeSpan&, const EdgeSpan&) = default;
};

// Two pixels belong to the same thing when no channel differs by more than
// the tolerance.
bool PixelsAlike(std::uint32_t a, std::uint32_t b, int tolerance);

// Walks outward from cursor to the first pixel on each side that is not like
// the cursor's; the span ends at the last like pixel before it, or at the
// row's end where there is none. A cursor outside the row gives the empty
// span {0, -1}.
EdgeSpan FindEdgeSpan(std::span<const std::uint32_t> row, int cursor, int tolerance);
