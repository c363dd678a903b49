#include "ruler/TickRules.h"

#include "util/Numbers.h"

#include <cmath>

TTickSize TickSizeFor(TTickPositionOption edge, int width, int height) {
    switch (edge) {
    case tpTop:
    case tpLeft:
        return {5, 8, 12, 15, 17, 17};
    case tpBottom:
        return {height - 5, height - 8, height - 12, height - 15, height - 27, height - 27};
    case tpRight:
        return {width - 5, width - 8, width - 12, width - 15, width - 34, width - 34};
    }
    return {};
}

int TickBaseFor(TTickPositionOption edge, int width, int height) {
    switch (edge) {
    case tpBottom:
        return height;
    case tpRight:
        return width;
    case tpTop:
    case tpLeft:
        return 0;
    }
    return 0;
}

namespace {

constexpr ScaleMark Mark(TickKind tick, LabelKind label = LabelKind::None) {
    return {tick, label, false};
}

bool Multiple(std::int64_t value, std::int64_t of) {
    return value % of == 0;
}

ScaleMark MillimetreMark(std::int64_t v, double pixelsPerMMX) {
    if (Multiple(v, 50))
        return Mark(TickKind::Large,
                    CanDrawMarker(v, pixelsPerMMX) ? LabelKind::Bold : LabelKind::None);
    if (Multiple(v, 10)) {
        if (!CanDrawMarker(v, pixelsPerMMX)) return Mark(TickKind::Large);
        return {TickKind::Large, LabelKind::Normal, true};
    }
    if (Multiple(v, 5) && pixelsPerMMX >= 0.9) return Mark(TickKind::Medium);
    if (pixelsPerMMX >= 2.0) return Mark(TickKind::Small);
    return {};
}

// Every inch a label, half and quarter inches longer, sixteenths short.
ScaleMark SixteenthMark(std::int64_t v) {
    if (Multiple(v, 16)) return Mark(TickKind::Large, LabelKind::Normal);
    if (Multiple(v, 8)) return Mark(TickKind::Large);
    if (Multiple(v, 4)) return Mark(TickKind::Medium);
    return Mark(TickKind::Small);
}

// Points: a label every inch (72 pt), or every half inch where an inch is so
// long on the screen that the labels would stand far apart.
constexpr double SparsePointLabelPixels = 128;
bool HalfInchPointLabels(double pixelsPerMMX) {
    return pixelsPerMMX * 25.4 >= SparsePointLabelPixels;
}
ScaleMark PointMark(std::int64_t v, double pixelsPerMMX) {
    if (Multiple(v, 72)) return Mark(TickKind::Large, LabelKind::Normal);
    if (Multiple(v, 36))
        return Mark(TickKind::Large,
                    HalfInchPointLabels(pixelsPerMMX) ? LabelKind::Normal : LabelKind::None);
    if (Multiple(v, 12)) return Mark(TickKind::Medium);
    if (Multiple(v, 3)) return Mark(TickKind::Small);
    return {};
}

// Centimetres: millimetre ticks, a label every centimetre.
ScaleMark CentimetreMark(std::int64_t v, double pixelsPerMMX) {
    if (Multiple(v, 10)) return Mark(TickKind::Large, LabelKind::Normal);
    if (Multiple(v, 5) && pixelsPerMMX >= 0.9) return Mark(TickKind::Medium);
    if (pixelsPerMMX >= 2.0) return Mark(TickKind::Small);
    return {};
}

ScaleMark Pixel50Mark(std::int64_t v) {
    if (Multiple(v, 200)) return Mark(TickKind::Large, LabelKind::Bold);
    if (Multiple(v, 50)) return Mark(TickKind::Large, LabelKind::Normal);
    if (Multiple(v, 10)) return Mark(TickKind::Medium);
    if (Multiple(v, 2)) return Mark(TickKind::Small);
    return {};
}

} // namespace

ScaleMark ScaleMarkFor(TRulerUnit unit, std::int64_t v, double pixelsPerMMX) {
    switch (unit) {
    case ruPixel20:
        if (Multiple(v, 200)) return Mark(TickKind::Large, LabelKind::Bold);
        if (Multiple(v, 100)) return Mark(TickKind::Large);
        if (Multiple(v, 40)) return Mark(TickKind::Medium, LabelKind::Normal);
        if (Multiple(v, 20)) return Mark(TickKind::Medium);
        if (Multiple(v, 4)) return Mark(TickKind::Small);
        return {};
    case ruPixel32:
        if (Multiple(v, 128)) return Mark(TickKind::Large, LabelKind::Bold);
        if (Multiple(v, 32)) return Mark(TickKind::Large, LabelKind::Normal);
        if (Multiple(v, 16)) return Mark(TickKind::Medium);
        if (Multiple(v, 2)) return Mark(TickKind::Small);
        return {};
    case ruPixel50:
    case ruLogicalPixel:
        return Pixel50Mark(v);
    case ruCentimeter:
        return CentimetreMark(v, pixelsPerMMX);
    case ruInch:
        return SixteenthMark(v);
    case ruPoint:
        return PointMark(v, pixelsPerMMX);
    case ruTwip:
        if (Multiple(v, 2)) return Mark(TickKind::Small);
        return {};
    case ruMillimeter:
        return MillimetreMark(v, pixelsPerMMX);
    }
    return {};
}

std::int64_t MarkerSpacingMM(double pixelsPerMMX) {
    // A density of zero, below zero or NaN has no sensible label spacing.
    if (!(pixelsPerMMX > 0)) return 0;
    const long double steps =
        std::trunc(std::pow(16.5L / pixelsPerMMX, 1.2033694344163658L) / 10) + 1;
    // Beyond this the spacing exceeds any screen; it would only overflow.
    if (!(steps < 1e15L)) return 0;
    return MVRound(steps) * 10;
}

bool CanDrawMarker(std::int64_t value, double pixelsPerMMX) {
    const std::int64_t spacing = MarkerSpacingMM(pixelsPerMMX);
    return spacing > 0 && value % spacing == 0;
}

std::int64_t ScaleValue(const RulerScale& scale, bool vertical, int pos) {
    switch (scale.fRulerUnit) {
    case ruMillimeter:
        return vertical ? scale.Converter.Pixel2MM_V(pos) : scale.Converter.Pixel2MM_H(pos);
    case ruCentimeter:
    case ruInch:
    case ruPoint:
        // Each value's tick on the pixel nearest to where the length ends.
        return static_cast<std::int64_t>(std::floor(
            (pos + 0.5L) / static_cast<long double>(PixelsPerScaleValue(scale, vertical))));
    case ruLogicalPixel:
        return MVRound(pos / static_cast<long double>(PixelsPerScaleValue(scale, vertical))) + 1;
    case ruTwip:
        if (vertical) break;
        // A device without a pixel density gives no twip numbers at all.
        if (!(scale.TwipsPerPixelY > 0)) return 0;
        return MVRound(pos / scale.TwipsPerPixelY);
    case ruPixel20:
    case ruPixel32:
    case ruPixel50:
        break;
    }
    return static_cast<std::int64_t>(pos) + 1;
}

bool ScaleSkipsRepeatedValues(TRulerUnit unit, bool vertical) {
    return IsLengthUnit(unit) || unit == ruLogicalPixel || (unit == ruTwip && !vertical);
}

std::int64_t LabelStepValue(TRulerUnit unit, double pixelsPerMMX) {
    switch (unit) {
    case ruPixel20:
        return 40;
    case ruPixel32:
        return 32;
    case ruPixel50:
    case ruLogicalPixel:
        return 50;
    case ruMillimeter:
        return MarkerSpacingMM(pixelsPerMMX);
    case ruCentimeter:
        return 10;
    case ruInch:
        return 16;
    case ruPoint:
        return HalfInchPointLabels(pixelsPerMMX) ? 36 : 72;
    case ruTwip:
        return 0;
    }
    return 0;
}

std::int64_t LabelNumber(TRulerUnit unit, std::int64_t value) {
    if (unit == ruCentimeter) return value / 10;
    if (unit == ruInch) return value / 16;
    return value;
}

int LabelStride(double stepPixels, int labelExtent, int gap) {
    if (!(stepPixels > 0)) return 1;
    const double needed = static_cast<double>(labelExtent) + gap;
    int stride = 1;
    // A face is at most a few thousand pixels long: past that, one label is all.
    while (stride * stepPixels < needed && stride < (1 << 20))
        stride *= 2;
    return stride;
}

bool LabelKept(std::int64_t value, std::int64_t stepValue, int stride) {
    if (stride <= 1 || stepValue <= 0) return true;
    return (value / stepValue) % stride == 0;
}
