#include "ruler/EdgeSpan.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A row from runs of (colour, count).
std::vector<std::uint32_t> Row(std::initializer_list<std::pair<std::uint32_t, int>> runs) {
    std::vector<std::uint32_t> row;
    for (const auto& [colour, count] : runs)
        row.insert(row.end(), static_cast<std::size_t>(count), colour);
    return row;
}

constexpr std::uint32_t White = 0xFFFFFF, Red = 0x0000FF, Grey = 0x808080;

} // namespace

TEST(EdgeSpan, FindsTheNearestEdgeOnEachSide) {
    // White 100, red bar 137, white 63; then a soft edge: a 3-pixel ramp
    // from grey (0x80) towards white in steps of 0x20.
    const auto bar = Row({{White, 100}, {Red, 137}, {White, 63}});
    const auto soft = Row({{Grey, 50}, {0xA0A0A0, 1}, {0xC0C0C0, 1}, {0xE0E0E0, 1}, {White, 47}});
    // A gradient of one step per pixel never leaves a tolerance of 30
    // within 20 pixels of the cursor, but does within 40.
    std::vector<std::uint32_t> gradient;
    for (int i = 0; i < 100; ++i)
        gradient.push_back(static_cast<std::uint32_t>(0x10 + i) * 0x010101);
    struct Case {
        const char* Name;
        const std::vector<std::uint32_t>& Pixels;
        int Cursor;
        int Tolerance;
        EdgeSpan Expected;
    };
    const Case cases[] = {
        {"inside the bar", bar, 180, 30, {100, 236}},
        {"on the bar's first pixel", bar, 100, 30, {100, 236}},
        {"on the bar's last pixel", bar, 236, 30, {100, 236}},
        {"white left of the bar runs to the row's start", bar, 5, 30, {0, 99}},
        {"cursor on the row's last pixel", bar, 299, 30, {237, 299}},
        {"tolerance 0: any difference is an edge", soft, 10, 0, {0, 49}},
        {"tolerance 32 takes the first ramp step to the grey", soft, 10, 32, {0, 50}},
        {"tolerance 64 takes two", soft, 10, 64, {0, 51}},
        {"tolerance 255: no edge, the whole row", bar, 180, 255, {0, 299}},
        {"gradient, tolerance 30", gradient, 50, 30, {20, 80}},
        {"gradient within the tolerance runs to both ends", gradient, 50, 99, {0, 99}},
    };
    for (const Case& c : cases) {
        const EdgeSpan span = FindEdgeSpan(c.Pixels, c.Cursor, c.Tolerance);
        EXPECT_EQ(span, c.Expected) << c.Name << ": " << span.First << ".." << span.Last;
    }
    EXPECT_EQ(FindEdgeSpan(bar, 180, 30).Length(), 137);
}

TEST(EdgeSpan, AnyChannelBeyondTheToleranceIsAnEdgeAndACursorOffTheRowFindsNothing) {
    // One channel 31 away is an edge at 30; 30 away in all three is not.
    for (const std::uint32_t neighbour : {0x80809Fu, 0x809F80u, 0x9F8080u}) {
        const std::vector<std::uint32_t> row{neighbour, 0x808080, neighbour};
        EXPECT_EQ(FindEdgeSpan(row, 1, 30), (EdgeSpan{1, 1})) << std::hex << neighbour;
    }
    const std::vector<std::uint32_t> within{0x9E9E9E, 0x808080, 0x626262};
    EXPECT_EQ(FindEdgeSpan(within, 1, 30), (EdgeSpan{0, 2}));
    // The byte above the colour (as a screen copy may leave it) is no channel.
    const std::vector<std::uint32_t> alpha{0xFF808080, 0x00808080};
    EXPECT_EQ(FindEdgeSpan(alpha, 1, 0), (EdgeSpan{0, 1}));
    EXPECT_EQ(FindEdgeSpan(within, -1, 30).Length(), 0);
    EXPECT_EQ(FindEdgeSpan(within, 3, 30).Length(), 0);
    EXPECT_EQ(FindEdgeSpan({}, 0, 30).Length(), 0);
}
