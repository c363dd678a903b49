// The menu's pictures: inside their box at every size, each its own, and
// drawn with strokes that grow with the size rather than blurring.
#include "ruler/RulerGlyphs.h"
#include "RasterCanvas.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

const GlyphFn Glyphs[] = {RulerGlyphs::Visible,   RulerGlyphs::OnTop,        RulerGlyphs::Turn,
                          RulerGlyphs::FitLength, RulerGlyphs::Center,       RulerGlyphs::Unit,
                          RulerGlyphs::Settings,  RulerGlyphs::Transparency, RulerGlyphs::PickColor,
                          RulerGlyphs::Magnifier, RulerGlyphs::Help,         RulerGlyphs::Exit};

// The glyph drawn into a box of this size with a margin of 4 pixels round it.
std::vector<bool> Drawn(GlyphFn glyph, int size) {
    RasterCanvas canvas(size + 8, size + 8);
    glyph(canvas, Rect::FromSize(4, 4, size, size), 0x000000);
    std::vector<bool> ink;
    for (int y = 0; y < size + 8; ++y)
        for (int x = 0; x < size + 8; ++x) {
            const bool painted = canvas.At(x, y) != RasterCanvas::Unpainted;
            const bool inside = x >= 4 && x < size + 4 && y >= 4 && y < size + 4;
            EXPECT_TRUE(inside || !painted) << "size " << size << ": ink at " << x << "," << y;
            ink.push_back(painted);
        }
    return ink;
}

int Count(const std::vector<bool>& ink) {
    int n = 0;
    for (bool b : ink)
        n += b;
    return n;
}

} // namespace

TEST(RulerGlyphs, StayInTheirBoxAreDistinctAndThickenWithTheSize) {
    std::set<std::vector<bool>> seen;
    for (std::size_t i = 0; i < std::size(Glyphs); ++i) {
        SCOPED_TRACE(i);
        const std::vector<bool> small = Drawn(Glyphs[i], 16);
        EXPECT_GT(Count(small), 10) << "too little to see";
        EXPECT_TRUE(seen.insert(small).second) << "the same picture as another item";
        Drawn(Glyphs[i], 24);
        // Twice the size with strokes twice as thick: about four times the ink.
        const double ratio = double(Count(Drawn(Glyphs[i], 32))) / Count(small);
        EXPECT_GT(ratio, 3.0);
        EXPECT_LT(ratio, 5.0);
    }
}
