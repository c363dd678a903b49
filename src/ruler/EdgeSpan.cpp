#include "ruler/EdgeSpan.h"

#include <cstdlib>

bool PixelsAlike(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > tolerance) return false;
    }
    return true;
}

EdgeSpan FindEdgeSpan(std::span<const std::uint32_t> row, int cursor, int tolerance) {
    const int size = static_cast<int>(row.size());
    if (cursor < 0 || cursor >= size) return {0, -1};
    // Every pixel is compared with the cursor's, not with its neighbour: a
    // slow gradient is one surface until it has drifted past the tolerance.
    const std::uint32_t under = row[static_cast<std::size_t>(cursor)];
    auto alike = [&](int i) {
        return PixelsAlike(row[static_cast<std::size_t>(i)], under, tolerance);
    };
    EdgeSpan span{cursor, cursor};
    while (span.First > 0 && alike(span.First - 1))
        --span.First;
    while (span.Last + 1 < size && alike(span.Last + 1))
        ++span.Last;
    return span;
}
