#include "colour/ColorFormModel.h"

#include "storage/MvIni.h"

#include <gtest/gtest.h>

namespace {

TColor Pixel(const TRGBImage& image, int x, int y) {
    return RGBTripleToColor(image.At(x, y));
}

} // namespace

TEST(ColorFormFields, EveryFormOfTheColourInStep) {
    struct Case {
        TColor color;
        const wchar_t *rgb, *bgr, *dec;
        std::array<int, 3> hsl;
        TCMYK cmyk;
    };
    const Case cases[] = {
        {clRed, L"FF0000", L"0000FF", L"255", {0, 100, 50}, {0, 255, 255, 0}},
        {0x996633, L"336699", L"996633", L"10053171", {58, 50, 40}, {102, 51, 0, 102}},
        {0x808080, L"808080", L"808080", L"8421504", {0, 0, 50}, {0, 0, 0, 127}},
        // "No colour" has no RGB form: the window starts from black.
        {clNone, L"000000", L"000000", L"0", {0, 0, 0}, {0, 0, 0, 255}},
    };
    for (const Case& c : cases) {
        const TColorFieldTexts texts = ColorFieldTexts(c.color, {});
        EXPECT_EQ(texts.RGB, c.rgb);
        EXPECT_EQ(texts.BGR, c.bgr);
        EXPECT_EQ(texts.Dec, c.dec);
        EXPECT_EQ(texts.HSL, c.hsl) << c.rgb;
        EXPECT_EQ(texts.CMYK, c.cmyk) << c.rgb;
    }
    const TColorFieldTexts red = ColorFieldTexts(clRed, {});
    EXPECT_EQ((std::array<int, 3>{red.Red, red.Green, red.Blue}), (std::array<int, 3>{255, 0, 0}));

    // The fields being typed in are left alone.
    const TColorFieldTexts typing = ColorFieldTexts(clRed, {true, true, true, false, false});
    EXPECT_FALSE(typing.RGB || typing.BGR || typing.Dec || typing.HSL || typing.CMYK);
    EXPECT_EQ(typing.Red, 255);
}

TEST(ColorFormFields, TypedAndPastedText) {
    struct Case {
        TTypedColor (*parse)(const std::wstring&);
        const wchar_t* text;
        TColor color;
        const LocalText* error;
    };
    const Case cases[] = {
        {ParseRGBField, L"AB", 0x0000AB, nullptr}, // grows from the left
        {ParseRGBField, L"FF8", 0x0080FF, nullptr},
        {ParseRGBField, L"", clBlack, nullptr},
        {ParseRGBField, L"ff0000", clRed, nullptr},
        {ParseRGBField, L"#00FF00", 0x00FF00, nullptr}, // what "mit #" copies pastes back
        {ParseRGBField, L"#", clBlack, nullptr},
        {ParseRGBField, L"XYZ", 0, &InvalidRGBText},
        {ParseRGBField, L"FF00001", 0, &InvalidRGBText},
        {ParseRGBField, L"##FF", 0, &InvalidRGBText},
        {ParseBGRField, L"AB", 0xAB0000, nullptr},
        {ParseBGRField, L"#AB", 0, &InvalidBGRText},
        {ParseBGRField, L"0000G0", 0, &InvalidBGRText},
        {ParseDecField, L"", clBlack, nullptr},
        {ParseDecField, L"255", clRed, nullptr},
        {ParseDecField, L"16777215", clWhite, nullptr},
        {ParseDecField, L"16777216", 0, &InvalidDecText},
        {ParseDecField, L"-1", 0, &InvalidDecText},
        {ParseDecField, L"12a", 0, &InvalidDecText},
    };
    for (const Case& c : cases) {
        const TTypedColor typed = c.parse(c.text);
        if (c.error) {
            EXPECT_EQ(typed.Error, std::wstring((*c.error)())) << c.text;
        } else {
            EXPECT_FALSE(typed.Error) << c.text;
            EXPECT_EQ(typed.Color, c.color) << c.text;
        }
    }

    // Numbers out of range are clamped, not cut to their low bits.
    EXPECT_EQ(ChannelFromText(L"300"), 255);
    EXPECT_EQ(ChannelFromText(L"-4"), 0);
    EXPECT_EQ(ChannelFromText(L"abc"), 0);
    EXPECT_EQ(PercentFromText(L"50,5", SatLumUpper), 50.5);
    EXPECT_EQ(PercentFromText(L"50.5", SatLumUpper), 50.5);
    EXPECT_EQ(PercentFromText(L"150", HueUpper), 99);
    EXPECT_EQ(PercentFromText(L"-", SatLumUpper), 0);
    EXPECT_EQ(ColorFromHSLTexts(L"0", L"100", L"50"), clRed);
    EXPECT_EQ(ColorFromHSLTexts(L"0", L"0", L"500"), clWhite);
    EXPECT_EQ(ColorFromCMYKTexts(L"102", L"51", L"0", L"102"), 0x996633);
    EXPECT_EQ(ColorFromCMYKTexts(L"0", L"0", L"0", L"300"), clBlack);
}

TEST(ColorFormFields, KeyFiltersAndCopyTexts) {
    EXPECT_EQ(HexFieldKey(L'a', L""), TKeyVerdict::Pass);
    EXPECT_EQ(HexFieldKey(L'F', L"12345"), TKeyVerdict::Pass);
    EXPECT_EQ(HexFieldKey(L'F', L"123456"), TKeyVerdict::DropWithBeep);
    EXPECT_EQ(HexFieldKey(L'F', L"#12345"), TKeyVerdict::Pass);
    EXPECT_EQ(HexFieldKey(L'g', L""), TKeyVerdict::DropWithBeep);
    EXPECT_EQ(HexFieldKey(L'#', L""), TKeyVerdict::DropWithBeep);
    for (wchar_t control : {L'\b', wchar_t(3), wchar_t(22), wchar_t(24), wchar_t(26)}) {
        EXPECT_EQ(HexFieldKey(control, L"123456"), TKeyVerdict::Pass);
        EXPECT_EQ(DecFieldKey(control), TKeyVerdict::Pass);
    }
    EXPECT_EQ(DecFieldKey(L'7'), TKeyVerdict::Pass);
    EXPECT_EQ(DecFieldKey(L'a'), TKeyVerdict::Drop);
    EXPECT_EQ(DecFieldKey(L'-'), TKeyVerdict::Drop);

    EXPECT_EQ(CopyTextRGB(L"FF0000", true), L"#FF0000");
    EXPECT_EQ(CopyTextRGB(L"FF0000", false), L"FF0000");
    EXPECT_EQ(CopyTextRGB(L"AB", true), L"#AB0000");
    EXPECT_EQ(CopyTextRGB(L"#AB", false), L"AB0000");
    EXPECT_EQ(CopyTextBGR(L"AB"), L"AB0000");
    EXPECT_EQ(CopyTextDec(L""), L"0");
    EXPECT_EQ(CopyTextDec(L"255"), L"255");
}

TEST(ColorFormBars, GradientBandsAndMarkers) {
    TRGBImage bar(26, 256);
    GradFill3Colors(bar, clWhite, clRed, clBlack);
    EXPECT_EQ(Pixel(bar, 0, 0), clWhite);
    EXPECT_EQ(Pixel(bar, 25, 127), 0x0101FF); // the last band above the middle
    EXPECT_EQ(Pixel(bar, 13, 128), clRed);
    EXPECT_EQ(Pixel(bar, 0, 255), 0x000001);
    for (int y = 0; y < bar.Height; ++y)
        ASSERT_EQ(Pixel(bar, 0, y), Pixel(bar, 25, y)) << y;

    TRGBImage odd(3, 7); // fewer rows than bands: every row still filled, none beyond
    GradFill3Colors(odd, clWhite, clWhite, clBlack);
    EXPECT_EQ(Pixel(odd, 0, 0), clWhite);
    EXPECT_NE(Pixel(odd, 0, 5), clWhite);

    const auto saturation = SaturationBarColors(0x406080);
    EXPECT_EQ(saturation.Middle, 0x406080);
    EXPECT_EQ(saturation.Top, 0x0060C0);    // same hue and lightness, fully saturated
    EXPECT_EQ(saturation.Bottom, 0x606060); // no saturation

    const Size image{26, 256};
    EXPECT_EQ(CentredBarMarker(image), (Point{10, 126}));
    EXPECT_EQ(DraggedBarMarker(image, 40), (Point{10, 38}));
    EXPECT_EQ(DraggedBarMarker(image, 400), (Point{10, 253}));
    EXPECT_EQ(CentredBarMarker({39, 384}, 7), (Point{16, 189})); // 144 DPI
    EXPECT_EQ(BarPickPoint(image, -9), (Point{13, 0}));
    EXPECT_EQ(ClampToImage({300, -2}, {256, 256}), (Point{255, 0}));
}

TEST(ColorFormSpectrum, HueAcrossLightnessDown) {
    const TRGBImage spectrum = SpectrumImage();
    EXPECT_EQ(Pixel(spectrum, 0, 0), clWhite);
    EXPECT_EQ(Pixel(spectrum, 200, 0), clWhite);
    EXPECT_EQ(Pixel(spectrum, 0, 255), clBlack);
    // The middle rows hold the pure hues: red, green at a third, blue at two thirds.
    EXPECT_EQ(Pixel(spectrum, 0, 128) & 0x0000FF, 0x0000FE);
    TRGBTriple green = spectrum.At(85, 128), blue = spectrum.At(171, 128);
    EXPECT_GT(green.rgbtGreen, 250);
    EXPECT_LT(green.rgbtRed + green.rgbtBlue, 10);
    EXPECT_GT(blue.rgbtBlue, 250);
    EXPECT_LT(blue.rgbtRed + blue.rgbtGreen, 10);
}

TEST(ColorFormSettings, StoredPageHashOptionContrastBackgroundAndHexCase) {
    struct Case {
        const wchar_t* file;
        int page;
        bool withHash;
        TColor back;
        bool upperHex;
    };
    const Case cases[] = {
        {L"", 0, true, clWhite, false},
        {L"[ColorPal]\r\nActivePal=6\r\nRGBwithNumSign=0\r\nContrastBack=B4501E\r\n"
         L"CssHexUpper=1\r\n",
         6, false, 0xB4501E, true},
        {L"[ColorPal]\r\nActivePal=9\r\n", 0, true, clWhite, false}, // out of the list: first page
        {L"[ColorPal]\r\nActivePal=-1\r\nContrastBack=zz\r\n", 0, true, clWhite, false},
        {L"[ColorPal]\r\nActivePal=sechs\r\nCssHexUpper=ja\r\n", 0, true, clWhite, false},
    };
    for (const Case& c : cases) {
        TMvIni ini(L"");
        ini.SetStrings(c.file);
        const TColorFormSettings settings = LoadColorFormSettings(ini);
        EXPECT_EQ(settings.ActivePal, c.page) << c.file;
        EXPECT_EQ(settings.RGBwithNumSign, c.withHash) << c.file;
        EXPECT_EQ(settings.ContrastBack, c.back) << c.file;
        EXPECT_EQ(settings.CssHexUpper, c.upperHex) << c.file;
    }
    TMvIni ini(L"");
    SaveColorFormSettings(ini, {8, false, 0x123456, true});
    EXPECT_EQ(ini.ReadString(L"ColorPal", L"ContrastBack", L""), L"123456");
    const TColorFormSettings back = LoadColorFormSettings(ini);
    EXPECT_EQ(back.ActivePal, 8);
    EXPECT_FALSE(back.RGBwithNumSign);
    EXPECT_EQ(back.ContrastBack, 0x123456);
    EXPECT_TRUE(back.CssHexUpper);
}
