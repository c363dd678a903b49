#pragma once
// The rules of the scale: which edges carry ticks, where ticks end, which
// number a position carries and what each number gets drawn as.
#include "ruler/RulerScale.h"

#include <cstdint>
#include <initializer_list>

enum TTickPositionOption : std::uint8_t { tpTop = 0, tpRight = 1, tpBottom = 2, tpLeft = 3 };

// A set of edges, held in one byte (tpTop 1, tpRight 2, tpBottom 4, tpLeft 8).
class TTickPosition {
  public:
    constexpr TTickPosition() = default;
    constexpr TTickPosition(std::initializer_list<TTickPositionOption> options) {
        for (auto o : options)
            FBits |= Bit(o);
    }
    static constexpr TTickPosition FromByte(std::uint8_t bits) {
        TTickPosition p;
        p.FBits = bits & 0x0F;
        return p;
    }
    constexpr std::uint8_t Byte() const { return FBits; }
    constexpr bool Contains(TTickPositionOption o) const { return (FBits & Bit(o)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    friend constexpr bool operator==(TTickPosition, TTickPosition) = default;

  private:
    static constexpr std::uint8_t Bit(TTickPositionOption o) {
        return static_cast<std::uint8_t>(1u << o);
    }
    std::uint8_t FBits = 0;
};

// Edges with ticks and edges with labels for each orientation.
constexpr TTickPosition HorizontalTickPosition{tpTop, tpBottom};
constexpr TTickPosition HorizontalTickMarkerPosition{tpTop};
constexpr TTickPosition VerticalTickPosition{tpRight, tpLeft};
constexpr TTickPosition VerticalTickMarkerPosition{tpLeft};

// Coordinates across the ruler (y for top/bottom, x for left/right) where a
// tick ends or an uncentred label would be placed. BigTick is never drawn.
struct TTickSize {
    int SmallTick = 0;
    int MediumTick = 0;
    int LargeTick = 0;
    int BigTick = 0;
    int SmallText = 0;
    int LargeText = 0;
    friend bool operator==(const TTickSize&, const TTickSize&) = default;
};

// The row of one edge for a client area of width x height.
TTickSize TickSizeFor(TTickPositionOption edge, int width, int height);
// The coordinate of an edge's base line: 0, the height or the width.
int TickBaseFor(TTickPositionOption edge, int width, int height);

enum class TickKind : std::uint8_t { None, Small, Medium, Large };
enum class LabelKind : std::uint8_t { None, Normal, Bold };

// What one scale number gets: a tick, maybe a label, and for the 10-millimetre
// labels the SmallText coordinate in place of LargeText.
struct ScaleMark {
    TickKind Tick = TickKind::None;
    LabelKind Label = LabelKind::None;
    bool UseSmallText = false;
    friend bool operator==(const ScaleMark&, const ScaleMark&) = default;
};

// The first matching rule of the unit decides. Millimetre rules use the
// horizontal density for both orientations. An unknown unit draws nothing.
ScaleMark ScaleMarkFor(TRulerUnit unit, std::int64_t value, double pixelsPerMMX);

// Millimetre label test: labels every N millimetres, N growing in steps of 10
// as the scale gets denser, so that the numbers do not run into each other.
bool CanDrawMarker(std::int64_t value, double pixelsPerMMX);
// The N of CanDrawMarker; 0 when the density allows no labels at all.
std::int64_t MarkerSpacingMM(double pixelsPerMMX);

// The distance in scale numbers between two labels of a unit (Pixel 32: 32,
// millimetres: the label spacing above); 0 for a unit without labels.
std::int64_t LabelStepValue(TRulerUnit unit, double pixelsPerMMX);
// The number a label shows for a scale value: centimetres for the
// millimetre values of "Zentimeter", inches for the sixteenths of "Zoll".
std::int64_t LabelNumber(TRulerUnit unit, std::int64_t value);

// Labels thin out rather than touch: of the labels a step apart, only every
// stride-th is drawn, stride 1, 2, 4, ... the first that leaves at least gap
// pixels between labels of the given extent along the ruler.
int LabelStride(double stepPixels, int labelExtent, int gap);
// Whether a label number survives the thinning.
bool LabelKept(std::int64_t value, std::int64_t stepValue, int stride);

// The number the scale position pos (1-based loop over the client) carries.
// Pixel units count pixels from 1, logical pixels likewise in 96-DPI pixels;
// millimetres are pos / pixels per millimetre rounded; centimetres (in
// millimetres), sixteenths of an inch and points put each value on the pixel
// nearest to its exact length; all by orientation. Horizontal twips are
// pos / twipsPerPixelY rounded, vertical twips count like pixels.
std::int64_t ScaleValue(const RulerScale& scale, bool vertical, int pos);

// Lengths, logical pixels and horizontal twips draw only the first position
// of each number; the pixel units never repeat a number.
bool ScaleSkipsRepeatedValues(TRulerUnit unit, bool vertical);
