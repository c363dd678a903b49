// The colour window's CSS side: every notation of a table of colours, the way
// back from each, what typed text means or why it is refused, the nearest
// named colour, the WCAG contrast and its verdicts, and the colour history.
#include "colour/ColorContrast.h"
#include "colour/ColorHistory.h"
#include "colour/CssColorParse.h"
#include "colour/CssNamedColors.h"
#include "storage/MvIni.h"
#include "util/Language.h"

#include "../common/UiLanguageScope.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr TColor Rgb(int r, int g, int b) {
    return RGBColor(r, g, b);
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t ch : text)
        out += ch < 128 ? static_cast<char>(ch) : '?';
    return out;
}

// A few dozen colours spread over the cube, the same on every run.
std::vector<TColor> SpreadColours(int count) {
    std::vector<TColor> colours;
    std::uint32_t state = 0x2545F491;
    for (int i = 0; i < count; ++i) {
        state = state * 1664525 + 1013904223;
        colours.push_back(static_cast<TColor>(state >> 8));
    }
    return colours;
}

const std::vector<TColor>& TableColours() {
    static const std::vector<TColor> colours = [] {
        std::vector<TColor> c{Rgb(0, 0, 0),     Rgb(255, 255, 255), Rgb(255, 0, 0),
                              Rgb(0, 255, 0),   Rgb(0, 0, 255),     Rgb(128, 128, 128),
                              Rgb(1, 1, 1),     Rgb(254, 254, 254), Rgb(0x1e, 0x50, 0xb4),
                              Rgb(255, 255, 1), Rgb(0, 128, 0),     Rgb(0x41, 0x69, 0xe1)};
        for (TColor spread : SpreadColours(40))
            c.push_back(spread);
        return c;
    }();
    return colours;
}

TCssTaken Take(const std::wstring& text, std::span<const TColor> preferred = {}) {
    const TCssReading reading = ReadCssColor(text);
    EXPECT_TRUE(reading.Value) << Narrow(text) << ": " << Narrow(reading.Error);
    return reading.Value ? TakeCssColor(*reading.Value, preferred) : TCssTaken{};
}

} // namespace

TEST(CssColor, NotationsOfKnownColoursAsCssWritesThem) {
    // #1e50b4's true values; the primaries and grey as published for sRGB
    // (Lab with D50 and the Bradford adaptation); greys without hue.
    const struct {
        TColor Colour;
        const wchar_t* Texts[CssNotationCount];
        const wchar_t* Name;
    } rows[] = {
        {Rgb(0x1e, 0x50, 0xb4),
         {L"#1e50b4", L"rgb(30 80 180)", L"hsl(220 71.4% 41.2%)", L"hwb(220 11.8% 29.4%)",
          L"lab(35.6 13.9 -59)", L"lch(35.6 60.6 283.3)", L"oklab(0.461 -0.023 -0.166)",
          L"oklch(0.461 0.168 262.1)"},
         L"darkslateblue (\u0394E 0,087)"},
        {Rgb(0, 0, 0),
         {L"#000000", L"rgb(0 0 0)", L"hsl(0 0% 0%)", L"hwb(0 0% 100%)", L"lab(0 0 0)",
          L"lch(0 0 0)", L"oklab(0 0 0)", L"oklch(0 0 0)"},
         L"black"},
        {Rgb(255, 255, 255),
         {L"#ffffff", L"rgb(255 255 255)", L"hsl(0 0% 100%)", L"hwb(0 100% 0%)", L"lab(100 0 0)",
          L"lch(100 0 0)", L"oklab(1 0 0)", L"oklch(1 0 0)"},
         L"white"},
        {Rgb(255, 0, 0),
         {L"#ff0000", L"rgb(255 0 0)", L"hsl(0 100% 50%)", L"hwb(0 0% 0%)", L"lab(54.3 80.8 69.9)",
          L"lch(54.3 106.8 40.9)", L"oklab(0.628 0.225 0.126)", L"oklch(0.628 0.258 29.2)"},
         L"red"},
        {Rgb(0, 128, 0),
         {L"#008000", L"rgb(0 128 0)", L"hsl(120 100% 25.1%)", L"hwb(120 0% 49.8%)",
          L"lab(46.3 -47.6 48.6)", L"lch(46.3 68 134.4)", L"oklab(0.52 -0.14 0.108)",
          L"oklch(0.52 0.177 142.5)"},
         L"green"},
        {Rgb(0, 0, 255),
         {L"#0000ff", L"rgb(0 0 255)", L"hsl(240 100% 50%)", L"hwb(240 0% 0%)",
          L"lab(29.6 68.3 -112)", L"lch(29.6 131.2 301.4)", L"oklab(0.452 -0.032 -0.312)",
          L"oklch(0.452 0.313 264.1)"},
         L"blue"},
        {Rgb(128, 128, 128),
         {L"#808080", L"rgb(128 128 128)", L"hsl(0 0% 50.2%)", L"hwb(0 50.2% 49.8%)",
          L"lab(53.6 0 0)", L"lch(53.6 0 0)", L"oklab(0.6 0 0)", L"oklch(0.6 0 0)"},
         L"gray"},
        {Rgb(0, 255, 255),
         {L"#00ffff", L"rgb(0 255 255)", L"hsl(180 100% 50%)", L"hwb(180 0% 0%)",
          L"lab(90.7 -50.7 -15)", L"lch(90.7 52.8 196.5)", L"oklab(0.905 -0.149 -0.039)",
          L"oklch(0.905 0.155 194.8)"},
         L"aqua"}, // not "cyan": the first of two names
        {Rgb(254, 254, 254),
         {L"#fefefe", L"rgb(254 254 254)", L"hsl(0 0% 99.6%)", L"hwb(0 99.6% 0.4%)",
          L"lab(99.7 0 0)", L"lch(99.7 0 0)", L"oklab(0.997 0 0)", L"oklch(0.997 0 0)"},
         L"white (\u0394E 0,003)"},
        // Hue 136.25 exactly, in CSS's floating-point steps a hair below.
        {Rgb(0x84, 0xb4, 0x91),
         {L"#84b491", L"rgb(132 180 145)", L"hsl(136.2 24.2% 61.2%)", L"hwb(136.2 51.8% 29.4%)",
          L"lab(69.2 -22 12.6)", L"lch(69.2 25.4 150.3)", L"oklab(0.726 -0.064 0.033)",
          L"oklch(0.726 0.072 152.8)"},
         L"darkseagreen (\u0394E 0,028)"},
    };
    for (const auto& row : rows) {
        const TCssTexts texts = CssTextsOf(row.Colour, false);
        for (int i = 0; i < CssNotationCount; ++i)
            EXPECT_EQ(Narrow(texts.Notations[static_cast<std::size_t>(i)]), Narrow(row.Texts[i]));
        EXPECT_EQ(texts.Name, row.Name) << row.Texts[0];
    }
    EXPECT_EQ(CssNotationText(Rgb(0x1e, 0x50, 0xb4), TCssNotation::Hex, true), L"#1E50B4");
}

TEST(CssColor, EveryModelConvertsBackToTheSameSrgb) {
    for (TColor colour : TableColours()) {
        SCOPED_TRACE(Narrow(CssNotationText(colour, TCssNotation::Hex)));
        const TTriple srgb = SrgbOf(colour);
        const TTriple back[] = {
            SrgbFromHsl(HslOf(colour)),     SrgbFromHwb(HwbOf(colour)),
            SrgbFromLab(LabOf(colour)),     SrgbFromLab(RectFromPolar(LchOf(colour))),
            SrgbFromOklab(OklabOf(colour)), SrgbFromOklab(RectFromPolar(OklchOf(colour))),
        };
        for (const TTriple& b : back)
            for (std::size_t i = 0; i < 3; ++i)
                EXPECT_NEAR(b[i], srgb[i], 1e-6);
        // No hue, chroma or other number of any model is NaN.
        for (const TTriple& values : {HslOf(colour), HwbOf(colour), LabOf(colour), LchOf(colour),
                                      OklabOf(colour), OklchOf(colour)})
            for (double v : values)
                EXPECT_FALSE(std::isnan(v));
    }
}

TEST(CssColor, EveryShownNotationPastedBackGivesTheSameColour) {
    for (TColor colour : TableColours()) {
        for (int i = 0; i < CssNotationCount; ++i) {
            const auto notation = static_cast<TCssNotation>(i);
            const std::wstring text = CssNotationText(colour, notation, i % 2 == 0);
            SCOPED_TRACE(Narrow(text));
            // The window's colour is preferred: what it shows means it.
            const TColor inWindow[] = {Rgb(1, 2, 3), colour};
            const TCssTaken taken = Take(text, inWindow);
            EXPECT_EQ(taken.Color, colour);
            EXPECT_FALSE(taken.Mapped);
            EXPECT_FALSE(taken.AlphaIgnored);
            // Read on its own, a rounded notation lands on the colour, or, where
            // its decimals cannot tell the colour from a neighbour, on a colour
            // whose values differ by at most one in the last shown decimal.
            const TColor alone = Take(text).Color;
            if (notation <= TCssNotation::Hwb) {
                EXPECT_EQ(alone, colour);
                continue;
            }
            const double unit = notation >= TCssNotation::Oklab ? 0.001 : 0.1;
            const TTriple shown = ShownCssValues(colour, notation),
                          read = ShownCssValues(alone, notation);
            for (std::size_t k = 0; k < 3; ++k) {
                const bool hue =
                    k == 2 && (notation == TCssNotation::Lch || notation == TCssNotation::Oklch);
                double gap = std::abs(shown[k] - read[k]);
                if (hue) gap = std::min(gap, 360 - gap);
                EXPECT_LE(gap, (hue ? 0.1 : unit) + 1e-9) << k;
            }
        }
    }
}

TEST(CssColor, ReadsEverySyntax) {
    const TColor blue = Rgb(0x1e, 0x50, 0xb4);
    const struct {
        const wchar_t* Text;
        TColor Colour;
        bool AlphaIgnored;
    } rows[] = {
        {L"#1e50b4", blue, false},
        {L"  #1E50B4  ", blue, false},
        {L"#15b", Rgb(0x11, 0x55, 0xbb), false},
        {L"#15b8", Rgb(0x11, 0x55, 0xbb), true},
        {L"#1e50b480", blue, true},
        {L"#1e50b4ff", blue, false},
        {L"rgb(30 80 180)", blue, false},
        {L"rgb(30, 80, 180)", blue, false},
        {L"RGBA(30,80,180,0.5)", blue, true},
        {L"rgb(30 80 180 / 50%)", blue, true},
        {L"rgb(30 80 180 / 1)", blue, false},
        {L"rgb(11.8% 31.4% 70.6%)", blue, false},
        {L"rgb(29.6 80.4 179.5)", blue, false},
        {L"rgb(300 -5 0)", Rgb(255, 0, 0), false}, // channels clamp
        {L"rgb(none 0 0)", Rgb(0, 0, 0), false},
        {L"hsl(220 71.4% 41.2%)", blue, false},
        {L"hsl(220deg, 71.4%, 41.2%)", blue, false},
        {L"hsla(220, 71.4%, 41.2%, 0.3)", blue, true},
        {L"hsl(0.5turn 100 50)", Rgb(0, 255, 255), false},
        {L"hsl(200grad 100% 50%)", Rgb(0, 255, 255), false},
        {L"hsl(3.14159265rad 100% 50%)", Rgb(0, 255, 255), false},
        {L"hsl(-120 100% 50%)", Rgb(0, 0, 255), false},
        {L"hwb(220 11.8% 29.4%)", blue, false},
        {L"hwb(0 60% 60%)", Rgb(128, 128, 128), false},
        {L"lab(35.6 13.9 -59)", blue, false},
        {L"lab(35.6% 11.12% -47.2%)", blue, false},
        {L"lch(35.6 60.6 283.3)", blue, false},
        {L"lch(35.6 40.4% 283.3deg)", blue, false},
        {L"oklab(0.461 -0.023 -0.166)", blue, false},
        {L"oklab(46.1% -5.75% -41.5%)", blue, false},
        {L"oklch(0.461 0.168 262.1)", blue, false},
        {L"OKLCH(46.1% 42% 262.1 / .5)", blue, true},
        {L"oklch(0.6 0 none)", Rgb(128, 128, 128), false},
        {L"oklch(1e0 0 0)", Rgb(255, 255, 255), false},
        {L"royalblue", Rgb(0x41, 0x69, 0xe1), false},
        {L"RebeccaPurple", Rgb(0x66, 0x33, 0x99), false},
    };
    for (const auto& row : rows) {
        const TCssTaken taken = Take(row.Text);
        EXPECT_EQ(taken.Color, row.Colour) << Narrow(row.Text);
        EXPECT_EQ(taken.AlphaIgnored, row.AlphaIgnored) << Narrow(row.Text);
        EXPECT_FALSE(taken.Mapped) << Narrow(row.Text);
    }
    EXPECT_EQ(CssTakenNote(Take(L"#1e50b480")), L"Deckkraft nicht übernommen.");
    EXPECT_EQ(CssTakenNote(Take(L"#1e50b4")), L"");
}

TEST(CssColor, ColoursBeyondSrgbAreMappedKeepingLightnessAndHue) {
    for (const wchar_t* text : {L"oklch(0.9 0.4 30)", L"lab(50 150 0)", L"oklch(0.5 0.4 140)",
                                L"lch(70 150 250)", L"oklab(0.7 -0.3 0.3)"}) {
        SCOPED_TRACE(Narrow(text));
        const TCssColorValue value = *ReadCssColor(text).Value;
        const TCssTaken taken = TakeCssColor(value);
        EXPECT_TRUE(taken.Mapped);
        EXPECT_EQ(CssTakenNote(taken), L"Außerhalb von sRGB: auf sRGB abgebildet.");
        // Plain clamping of the channels, for comparison.
        TTriple origin{};
        switch (value.Notation) {
        case TCssNotation::Lab:
            origin = PolarFromRect(OklabFromXyzD65(XyzD65FromD50(XyzD50FromLab(value.Values))));
            break;
        case TCssNotation::Lch:
            origin = PolarFromRect(
                OklabFromXyzD65(XyzD65FromD50(XyzD50FromLab(RectFromPolar(value.Values)))));
            break;
        case TCssNotation::Oklab:
            origin = PolarFromRect(value.Values);
            break;
        default:
            origin = value.Values;
        }
        const TColor clamped = ColorOfSrgb(SrgbFromOklab(RectFromPolar(origin)));
        const TTriple mapped = OklchOf(taken.Color), plain = OklchOf(clamped);
        // Only the chroma gives way: lightness within a just noticeable
        // difference, the hue close, and both nearer than plain clamping.
        EXPECT_NEAR(mapped[0], origin[0], 0.02);
        EXPECT_LT(mapped[1], origin[1]);
        const auto hueGap = [&](double hue) {
            const double gap = std::fmod(std::abs(hue - origin[2]), 360);
            return std::min(gap, 360 - gap);
        };
        EXPECT_LT(hueGap(mapped[2]), 5);
        EXPECT_LE(std::abs(mapped[0] - origin[0]), std::abs(plain[0] - origin[0]) + 1e-9);
    }
    // Beyond white or black, white or black.
    EXPECT_EQ(Take(L"oklch(1 0.4 30)").Color, Rgb(255, 255, 255));
    EXPECT_TRUE(Take(L"oklch(1 0.4 30)").Mapped);
    EXPECT_EQ(Take(L"lab(0 0 80)").Color, Rgb(0, 0, 0));
    // A hair outside sRGB that rounds into it is no mapping.
    EXPECT_FALSE(Take(L"lab(29.6 68.3 -112)").Mapped);
}

TEST(CssColor, UnreadableTextSaysWhatWasUnderstood) {
    const std::wstring lead = L"Die Eingabe ";
    const struct {
        const wchar_t* Text;
        std::wstring Message;
    } rows[] = {
        {L"", L"Bitte eine CSS-Farbe eingeben, zum Beispiel #1e50b4, rgb(30 80 180) oder "
              L"oklch(0.461 0.168 262.1)."},
        {L"transparent", L"Die Eingabe \"transparent\" ist völlig durchsichtig und hat keine "
                         L"Farbe, die das Fenster übernehmen könnte."},
        {L"#1e50b", lead + L"\"#1e50b\" ist keine lesbare CSS-Farbe: \"#\" mit 5 "
                           L"Hexadezimalziffern erkannt, es braucht 3, 4, 6 oder 8."},
        {L"#1g50b4", lead + L"\"#1g50b4\" ist keine lesbare CSS-Farbe: nach \"#\" steht \"g\", "
                            L"keine Hexadezimalziffer."},
        {L"royalblu", lead + L"\"royalblu\" ist keine lesbare CSS-Farbe: \"royalblu\" ist weder "
                             L"ein CSS-Farbname noch eine Schreibweise wie #1e50b4, rgb(), hsl(), "
                             L"hwb(), lab(), lch(), oklab() oder oklch()."},
        {L"color(srgb 1 0 0)",
         lead + L"\"color(srgb 1 0 0)\" ist keine lesbare CSS-Farbe: die Funktion \"color()\" "
                L"ist keine der Farbfunktionen rgb(), hsl(), hwb(), lab(), lch(), oklab() und "
                L"oklch()."},
        {L"rgb(30 80 180", lead + L"\"rgb(30 80 180\" ist keine lesbare CSS-Farbe: \"rgb(\" "
                                  L"erkannt, aber die schließende Klammer fehlt."},
        {L"rgb(30 80 180);", lead + L"\"rgb(30 80 180);\" ist keine lesbare CSS-Farbe: "
                                    L"\"rgb(30 80 180)\" erkannt, aber danach steht noch \";\"."},
        {L"rgb(30 80)", lead + L"\"rgb(30 80)\" ist keine lesbare CSS-Farbe: \"rgb(\" erkannt, "
                               L"aber 2 Werte gelesen, es braucht 3."},
        {L"rgb(30 80 zz)", lead + L"\"rgb(30 80 zz)\" ist keine lesbare CSS-Farbe: \"rgb(\" "
                                  L"erkannt, aber der 3. Wert \"zz\" ist keine Zahl."},
        {L"rgb(30px 80 180)",
         lead + L"\"rgb(30px 80 180)\" ist keine lesbare CSS-Farbe: \"rgb(\" erkannt, aber der "
                L"1. Wert \"30px\" hat eine Einheit, die hier nicht gilt."},
        {L"hsl(20% 50% 50%)",
         lead + L"\"hsl(20% 50% 50%)\" ist keine lesbare CSS-Farbe: \"hsl(\" erkannt, aber der "
                L"1. Wert \"20%\" ist kein Farbton (Zahl oder Winkel mit deg, grad, rad oder "
                L"turn)."},
        {L"lab(35,6 13,9 -59)",
         lead + L"\"lab(35,6 13,9 -59)\" ist keine lesbare CSS-Farbe: \"lab(\" erkannt, aber "
                L"lab() trennt seine Werte mit Leerzeichen, nicht mit Kommas (Dezimalzahlen "
                L"schreibt CSS mit Punkt)."},
        {L"rgb(30, 80 180)",
         lead + L"\"rgb(30, 80 180)\" ist keine lesbare CSS-Farbe: \"rgb(\" erkannt, aber "
                L"zwischen zwei Kommas steht nicht genau ein Wert (Dezimalzahlen schreibt CSS "
                L"mit Punkt)."},
        {L"lab(50 1e9 0)", lead + L"\"lab(50 1e9 0)\" ist keine lesbare CSS-Farbe: \"lab(\" "
                                  L"erkannt, aber der 2. Wert \"1e9\" ist zu groß."},
        {L"rgb(30 80 180 / )",
         lead + L"\"rgb(30 80 180 / )\" ist keine lesbare CSS-Farbe: \"rgb(\" erkannt, aber "
                L"nach \"/\" steht nicht genau ein Wert für die Deckkraft."},
    };
    for (const auto& row : rows) {
        const TCssReading reading = ReadCssColor(row.Text);
        EXPECT_FALSE(reading.Value) << Narrow(row.Text);
        EXPECT_EQ(reading.Error, row.Message) << Narrow(row.Text);
    }
}

TEST(CssColor, InEnglishTheMessagesOrderTheirPartsAsEnglishDoes) {
    const UiLanguageScope english(Language::English);
    const struct {
        const wchar_t* Text;
        const wchar_t* Message;
    } rows[] = {
        {L"#1g50b4", L"The input \"#1g50b4\" is not a readable CSS color: \"g\" after \"#\" is not "
                     L"a hexadecimal digit."},
        {L"rgb(30 80 180);", L"The input \"rgb(30 80 180);\" is not a readable CSS color: found "
                             L"\"rgb(30 80 180)\", but \";\" follows it."},
        {L"rgb(30)", L"The input \"rgb(30)\" is not a readable CSS color: found \"rgb(\", but "
                     L"read 1 value where 3 are needed."},
        {L"rgb(30 80 zz)", L"The input \"rgb(30 80 zz)\" is not a readable CSS color: found "
                           L"\"rgb(\", but the third value \"zz\" is not a number."},
        {L"lab(35,6 13,9 -59)",
         L"The input \"lab(35,6 13,9 -59)\" is not a readable CSS color: found \"lab(\", but "
         L"lab() separates its values with spaces, not commas (CSS writes decimal numbers with a "
         L"point)."},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ReadCssColor(row.Text).Error, row.Message) << Narrow(row.Text);
    EXPECT_EQ(CssTakenNote(Take(L"oklch(0.9 0.4 30 / 50%)")),
              L"Outside sRGB: mapped into sRGB. Opacity ignored.");
}

TEST(CssColor, NearestNameByDistanceInOklab) {
    EXPECT_EQ(CssNamedColors().size(), 148u);
    // Every name finds itself, with no distance shown.
    for (const TCssNamedColor& named : CssNamedColors()) {
        const TNearestCssName nearest = NearestCssName(named.Color);
        EXPECT_TRUE(nearest.Exact) << Narrow(named.Name);
        EXPECT_EQ(CssColorByName(nearest.Name), named.Color);
    }
    // One step off a name: that name, nearer than any other.
    for (const TCssNamedColor& named : CssNamedColors()) {
        const TColor off = named.Color ^ 0x010000;
        if (NearestCssName(off).Exact) continue; // another name's colour
        const TNearestCssName nearest = NearestCssName(off);
        EXPECT_EQ(CssColorByName(nearest.Name), named.Color) << Narrow(named.Name);
        EXPECT_NEAR(nearest.DeltaE, DeltaEOK(OklabOf(off), OklabOf(named.Color)), 1e-12);
        EXPECT_GT(nearest.DeltaE, 0);
    }
}

TEST(ColorContrast, RatiosAndVerdictsAtTheThresholds) {
    // Ratios against white worked out by hand with WCAG 2.x's formula; those
    // just below a threshold fail it, and the text never rounds up.
    const struct {
        TColor Foreground;
        TColor Background;
        const wchar_t* Text;
        bool NormalAA, NormalAAA, LargeAA, LargeAAA;
    } rows[] = {
        {Rgb(0, 0, 0), Rgb(255, 255, 255), L"21,00 : 1", true, true, true, true},
        {Rgb(255, 255, 255), Rgb(0, 0, 0), L"21,00 : 1", true, true, true, true},
        {Rgb(0x1e, 0x50, 0xb4), Rgb(0x1e, 0x50, 0xb4), L"1,00 : 1", false, false, false, false},
        {Rgb(150, 142, 200), Rgb(255, 255, 255), L"2,99 : 1", false, false, false, false},
        {Rgb(34, 161, 200), Rgb(255, 255, 255), L"3,00 : 1", false, false, true, false},
        {Rgb(0x77, 0x77, 0x77), Rgb(255, 255, 255), L"4,47 : 1", false, false, true, false},
        {Rgb(0, 133, 128), Rgb(255, 255, 255), L"4,49 : 1", false, false, true, false},
        {Rgb(236, 6, 64), Rgb(255, 255, 255), L"4,50 : 1", true, false, true, true},
        {Rgb(0x76, 0x76, 0x76), Rgb(255, 255, 255), L"4,54 : 1", true, false, true, true},
        {Rgb(177, 24, 0), Rgb(255, 255, 255), L"6,99 : 1", true, false, true, true},
        {Rgb(136, 73, 0), Rgb(255, 255, 255), L"7,00 : 1", true, true, true, true},
        {Rgb(0x1e, 0x50, 0xb4), Rgb(255, 255, 255), L"7,33 : 1", true, true, true, true},
    };
    for (const auto& row : rows) {
        const double ratio = ContrastRatio(row.Foreground, row.Background);
        EXPECT_EQ(ContrastRatioText(ratio), row.Text);
        const TContrastVerdicts v = ContrastVerdicts(ratio);
        EXPECT_EQ(v.NormalAA, row.NormalAA) << Narrow(row.Text);
        EXPECT_EQ(v.NormalAAA, row.NormalAAA) << Narrow(row.Text);
        EXPECT_EQ(v.LargeAA, row.LargeAA) << Narrow(row.Text);
        EXPECT_EQ(v.LargeAAA, row.LargeAAA) << Narrow(row.Text);
    }
    EXPECT_EQ(VerdictText(true), L"bestanden");
    EXPECT_EQ(VerdictText(false), L"nicht bestanden");
    const UiLanguageScope english(Language::English);
    EXPECT_EQ(VerdictText(true) + L"/" + VerdictText(false), L"passed/failed");
}

TEST(ColorHistory, NewestFirstNoRepeatsSixteenKeptAndReadDefensively) {
    TColorHistory history;
    EXPECT_TRUE(history.Add(Rgb(1, 0, 0)));
    EXPECT_TRUE(history.Add(Rgb(2, 0, 0)));
    EXPECT_FALSE(history.Add(Rgb(2, 0, 0))); // the same again in a row
    EXPECT_TRUE(history.Add(Rgb(1, 0, 0)));  // back again after another
    EXPECT_EQ(history.Colors(), (std::vector<TColor>{Rgb(1, 0, 0), Rgb(2, 0, 0), Rgb(1, 0, 0)}));
    for (int i = 0; i < 20; ++i)
        history.Add(Rgb(10 + i, 0, 0));
    ASSERT_EQ(history.Colors().size(), 16u);
    EXPECT_EQ(history.Colors().front(), Rgb(29, 0, 0));
    EXPECT_EQ(history.Colors().back(), Rgb(14, 0, 0));

    TMvIni ini(L"");
    history.Save(ini);
    EXPECT_EQ(ini.ReadString(L"ColorHistory", L"0", L""), L"00001D"); // blue, green, red
    TColorHistory shorter;
    shorter.Add(Rgb(0x1e, 0x50, 0xb4));
    shorter.Save(ini);
    EXPECT_FALSE(ini.ValueExists(L"ColorHistory", L"1")) << "a longer list's keys stayed";

    // Garbage, gaps and keys beyond 15 are skipped; the rest keeps its order.
    ini.SetStrings(L"[ColorHistory]\r\n0=B4501E\r\n1=zz\r\n3=0000FF\r\n4=\r\n5=FFFFFF\r\n"
                   L"16=00FF00\r\nfoo=123456\r\n");
    TColorHistory loaded;
    loaded.Load(ini);
    EXPECT_EQ(loaded.Colors(),
              (std::vector<TColor>{Rgb(0x1e, 0x50, 0xb4), Rgb(255, 0, 0), Rgb(255, 255, 255)}));
}
