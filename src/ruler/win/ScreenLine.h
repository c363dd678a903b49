#pragma once
// One row or column of the screen's pixels, copied in one block copy of
// 1 x N from the screen's DC: the edge span reads no more than that.
#include "util/Geometry.h"

#include <cstdint>
#include <vector>

// The pixels of line (one pixel high or wide, screen coordinates) in order
// along it, one byte per channel in the low three bytes; empty when the copy
// failed.
std::vector<std::uint32_t> CopyScreenLine(const Rect& line);
