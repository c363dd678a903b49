#include "ruler/TickRules.h"

#include <gtest/gtest.h>

namespace {
ScaleMark Mk(TickKind tick, LabelKind label = LabelKind::None, bool smallText = false) {
    return {tick, label, smallText};
}
} // namespace

TEST(TickPosition, IsOneByteWithTheEdgesBits) {
    EXPECT_EQ(TTickPosition({tpTop}).Byte(), 1);
    EXPECT_EQ(TTickPosition({tpRight}).Byte(), 2);
    EXPECT_EQ(TTickPosition({tpBottom}).Byte(), 4);
    EXPECT_EQ(TTickPosition({tpLeft}).Byte(), 8);
    EXPECT_EQ(HorizontalTickPosition.Byte(), 5);
    EXPECT_EQ(VerticalTickPosition.Byte(), 10);
    EXPECT_EQ(TTickPosition::FromByte(0xFF).Byte(), 0x0F);
    EXPECT_TRUE(HorizontalTickMarkerPosition.Contains(tpTop));
    EXPECT_FALSE(HorizontalTickMarkerPosition.Contains(tpBottom));
    EXPECT_TRUE(TTickPosition{}.Empty());
}

TEST(TickSize, RowsDependOnTheEdgeAndClientSize) {
    EXPECT_EQ(TickSizeFor(tpTop, 600, 49), (TTickSize{5, 8, 12, 15, 17, 17}));
    EXPECT_EQ(TickSizeFor(tpLeft, 57, 400), (TTickSize{5, 8, 12, 15, 17, 17}));
    EXPECT_EQ(TickSizeFor(tpBottom, 600, 49), (TTickSize{44, 41, 37, 34, 22, 22}));
    EXPECT_EQ(TickSizeFor(tpRight, 57, 400), (TTickSize{52, 49, 45, 42, 23, 23}));
    EXPECT_EQ(TickBaseFor(tpTop, 600, 49), 0);
    EXPECT_EQ(TickBaseFor(tpBottom, 600, 49), 49);
    EXPECT_EQ(TickBaseFor(tpLeft, 57, 400), 0);
    EXPECT_EQ(TickBaseFor(tpRight, 57, 400), 57);
}

TEST(ScaleMark, Pixel32UsesPowersOfTwo) {
    EXPECT_EQ(ScaleMarkFor(ruPixel32, 32, 0), Mk(TickKind::Large, LabelKind::Normal));
    EXPECT_EQ(ScaleMarkFor(ruPixel32, 96, 0), Mk(TickKind::Large, LabelKind::Normal));
    EXPECT_EQ(ScaleMarkFor(ruPixel32, 128, 0), Mk(TickKind::Large, LabelKind::Bold));
    EXPECT_EQ(ScaleMarkFor(ruPixel32, 16, 0), Mk(TickKind::Medium));
    EXPECT_EQ(ScaleMarkFor(ruPixel32, 48, 0), Mk(TickKind::Medium));
    EXPECT_EQ(ScaleMarkFor(ruPixel32, 2, 0), Mk(TickKind::Small));
    EXPECT_EQ(ScaleMarkFor(ruPixel32, 3, 0), Mk(TickKind::None));
}

TEST(ScaleMark, Pixel20LabelsEveryFortyAndBoldEveryTwoHundred) {
    EXPECT_EQ(ScaleMarkFor(ruPixel20, 100, 0), Mk(TickKind::Large));
    EXPECT_EQ(ScaleMarkFor(ruPixel20, 40, 0), Mk(TickKind::Medium, LabelKind::Normal));
    EXPECT_EQ(ScaleMarkFor(ruPixel20, 200, 0), Mk(TickKind::Large, LabelKind::Bold));
    EXPECT_EQ(ScaleMarkFor(ruPixel20, 60, 0), Mk(TickKind::Medium));
    EXPECT_EQ(ScaleMarkFor(ruPixel20, 8, 0), Mk(TickKind::Small));
    EXPECT_EQ(ScaleMarkFor(ruPixel20, 6, 0), Mk(TickKind::None));
}

TEST(ScaleMark, Pixel50AndTwip) {
    EXPECT_EQ(ScaleMarkFor(ruPixel50, 400, 0), Mk(TickKind::Large, LabelKind::Bold));
    EXPECT_EQ(ScaleMarkFor(ruPixel50, 150, 0), Mk(TickKind::Large, LabelKind::Normal));
    EXPECT_EQ(ScaleMarkFor(ruPixel50, 30, 0), Mk(TickKind::Medium));
    EXPECT_EQ(ScaleMarkFor(ruPixel50, 4, 0), Mk(TickKind::Small));
    EXPECT_EQ(ScaleMarkFor(ruTwip, 200, 0), Mk(TickKind::Small));
    EXPECT_EQ(ScaleMarkFor(ruTwip, 201, 0), Mk(TickKind::None));
}

TEST(ScaleMark, UnknownUnitDrawsNothing) {
    EXPECT_EQ(ScaleMarkFor(static_cast<TRulerUnit>(7), 200, 3.78), Mk(TickKind::None));
}

TEST(ScaleMark, MillimetresAtNormalDensity) {
    const double d = 3.78;
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 1, d), Mk(TickKind::Small));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 5, d), Mk(TickKind::Medium));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 10, d), Mk(TickKind::Large, LabelKind::Normal, true));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 50, d), Mk(TickKind::Large, LabelKind::Bold));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 100, d), Mk(TickKind::Large, LabelKind::Bold));
}

TEST(ScaleMark, MillimetresAtLowDensityLabelEveryTwenty) {
    const double d = 1.5;
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 1, d), Mk(TickKind::None));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 5, d), Mk(TickKind::Medium));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 10, d), Mk(TickKind::Large));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 20, d), Mk(TickKind::Large, LabelKind::Normal, true));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 50, d), Mk(TickKind::Large));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 150, d), Mk(TickKind::Large));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 100, d), Mk(TickKind::Large, LabelKind::Bold));
}

TEST(ScaleMark, MillimetresBelowPointNineKeepOnlyTheTenMillimetreTicks) {
    const double d = 0.85;
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 5, d), Mk(TickKind::None));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 3, d), Mk(TickKind::None));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 10, d).Tick, TickKind::Large);
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 50, d).Tick, TickKind::Large);
    // The small and medium thresholds are inclusive.
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 5, 0.9), Mk(TickKind::Medium));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 1, 2.0), Mk(TickKind::Small));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 1, 1.99), Mk(TickKind::None));
}

TEST(CanDrawMarker, SpacingGrowsInStepsOfTenAsTheScaleGetsDenser) {
    EXPECT_EQ(MarkerSpacingMM(3.78), 10);
    EXPECT_EQ(MarkerSpacingMM(2.44), 10);
    EXPECT_EQ(MarkerSpacingMM(2.43), 20);
    EXPECT_EQ(MarkerSpacingMM(1.37), 20);
    EXPECT_EQ(MarkerSpacingMM(1.368), 30);
    EXPECT_EQ(MarkerSpacingMM(0.978), 30);
    EXPECT_EQ(MarkerSpacingMM(0.976), 40);
    EXPECT_TRUE(CanDrawMarker(60, 1.0));
    EXPECT_FALSE(CanDrawMarker(40, 1.0));
}

TEST(CanDrawMarker, DegenerateDensitiesGiveNoLabels) {
    EXPECT_EQ(MarkerSpacingMM(0), 0);
    EXPECT_EQ(MarkerSpacingMM(-2), 0);
    EXPECT_EQ(MarkerSpacingMM(1e-30), 0);
    EXPECT_FALSE(CanDrawMarker(10, 0));
    EXPECT_EQ(ScaleMarkFor(ruMillimeter, 100, 0), Mk(TickKind::Large));
}

TEST(ScaleValue, EachUnitNumbersThePositionsAlongTheRulerAndSaysWhetherItRepeats) {
    TPixelMMConverter c;
    c.SetPixelsPerMMX(4.0);
    c.SetPixelsPerMMY(2.0);
    struct Case {
        TRulerUnit Unit;
        bool Vertical;
        int Pos;
        long double Twips;
        int Dpi;
        std::int64_t Value;
        bool Skips;
    };
    const Case cases[] = {
        // Pixel units count pixels from 1, in either orientation.
        {ruPixel20, false, 31, 15, 96, 32, false},
        {ruPixel32, true, 31, 15, 96, 32, false},
        {ruPixel50, false, 31, 15, 96, 32, false},
        // Millimetres follow the converter by orientation; 0.5 rounds up.
        {ruMillimeter, false, 40, 15, 96, 10, true},
        {ruMillimeter, true, 40, 15, 96, 20, true},
        {ruMillimeter, false, 2, 15, 96, 1, true},
        // Centimetres tick in millimetres; inches in sixteenths (6.35 px at
        // 4 px/mm), points in 1/72 inch (1.41 px).
        {ruCentimeter, false, 40, 15, 96, 10, true},
        {ruInch, false, 102, 15, 96, 16, true},
        {ruInch, true, 102, 15, 96, 32, true},
        {ruPoint, false, 141, 15, 96, 100, true},
        // Logical pixels: 96-DPI pixels from 1; at 144 DPI 150 pixels are 100.
        {ruLogicalPixel, false, 150, 10, 144, 101, true},
        {ruLogicalPixel, true, 31, 15, 96, 32, true},
        // Horizontal twips divide, vertical twips count pixels.
        {ruTwip, false, 7, 15, 96, 0, true},
        {ruTwip, false, 8, 15, 96, 1, true}, // 0.533
        {ruTwip, false, 300, 15, 96, 20, true},
        {ruTwip, true, 300, 15, 96, 301, false},
        {ruTwip, false, 300, 0, 96, 0, true},
    };
    for (const Case& k : cases) {
        RulerScale scale;
        scale.fRulerUnit = k.Unit;
        scale.Converter = c;
        scale.TwipsPerPixelY = k.Twips;
        scale.Dpi = k.Dpi;
        SCOPED_TRACE(::testing::Message()
                     << int(k.Unit) << (k.Vertical ? " vertical " : " ") << k.Pos);
        EXPECT_EQ(ScaleValue(scale, k.Vertical, k.Pos), k.Value);
        EXPECT_EQ(ScaleSkipsRepeatedValues(k.Unit, k.Vertical), k.Skips);
    }
}
