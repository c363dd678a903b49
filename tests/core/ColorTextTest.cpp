#include "util/ColorText.h"
#include "util/ConvertError.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t FakeSysColor(int index) {
    return index == 15 ? 0x123456u : 0xABCDEFu;
}

// Installs a known system-colour answer for one test and restores the default.
struct FakeSysColors {
    FakeSysColors() { SetSysColorProvider(&FakeSysColor); }
    ~FakeSysColors() { SetSysColorProvider(nullptr); }
};

} // namespace

TEST(ColorText, ShortHexBGRWritesBlueFirstInUpperCase) {
    EXPECT_EQ(ColorToShortHexBGR(0x0000FF), L"0000FF");
    EXPECT_EQ(ColorToShortHexBGR(0xFF0000), L"FF0000");
    EXPECT_EQ(ColorToShortHexBGR(0x0A0B0C), L"0A0B0C");
    EXPECT_EQ(ColorToShortHexRGB(0x0A0B0C), L"0C0B0A");
}

TEST(ColorText, SystemColoursAreWrittenAsTheirCurrentRGB) {
    FakeSysColors fake;
    EXPECT_EQ(ColorToShortHexBGR(clBtnFace), L"123456");
    EXPECT_EQ(ColorToShortHexRGB(clBtnFace), L"563412");
    EXPECT_EQ(ColorToInt(clBtnFace), 0x123456);
    TRGBTriple t;
    ColorToRGBTriple(clBtnFace, t);
    EXPECT_EQ(t, (TRGBTriple{0x12, 0x34, 0x56}));
}

TEST(ColorText, ShortHexBGRParsesAnyCaseAndIgnoresTrailingCharacters) {
    EXPECT_EQ(ShortHexBGRToColor(L"0000ff", clNone), 0x0000FF);
    EXPECT_EQ(ShortHexBGRToColor(L"0000FF99", clNone), 0x0000FF);
    EXPECT_EQ(ShortHexBGRToColor(L"123456", clNone), 0x123456);
    EXPECT_EQ(ShortHexRGBToColor(L"123456", clNone), 0x563412);
}

TEST(ColorText, MalformedShortHexGivesTheDefault) {
    for (const wchar_t* bad : {L"0000F", L"GG0000", L"", L"00 0FF", L"+10000", L"00000\u00E4"}) {
        EXPECT_EQ(ShortHexBGRToColor(bad, clWindow), clWindow) << bad;
        EXPECT_EQ(ShortHexRGBToColor(bad, 7), 7) << bad;
    }
}

TEST(ColorText, RaisingFormThrowsOnBadDigitOrShortText) {
    EXPECT_EQ(ShortHexBGRToColorEx(L"0000fF"), 0x0000FF);
    EXPECT_THROW(ShortHexBGRToColorEx(L"00GG00"), EConvertError);
    EXPECT_THROW(ShortHexBGRToColorEx(L"0000F"), EConvertError);
}

TEST(ColorText, IsHexNeedsNonEmptyHexText) {
    EXPECT_TRUE(IsHex(L"09afAF", false));
    EXPECT_FALSE(IsHex(L"", false));
    EXPECT_FALSE(IsHex(L"", true));
    EXPECT_FALSE(IsHex(L"#FF", false));
    EXPECT_TRUE(IsHex(L"#FF", true));
    EXPECT_FALSE(IsHex(L"FG", true));
    EXPECT_FALSE(IsHex(L"1 2", false));
}

TEST(ColorText, IntToColorClampsToTheRGBRange) {
    EXPECT_EQ(IntToColor(-5), 0);
    EXPECT_EQ(IntToColor(0x123456), 0x123456);
    EXPECT_EQ(IntToColor(0x1000000), 0xFFFFFF);
    EXPECT_EQ(ColorToInt(0x7F123456), 0x123456);
}

TEST(ColorText, RGBTripleKeepsBlueFirstInMemory) {
    TRGBTriple t;
    ColorToRGBTriple(0x112233, t); // red 0x33, green 0x22, blue 0x11
    EXPECT_EQ(t.rgbtBlue, 0x11);
    EXPECT_EQ(t.rgbtGreen, 0x22);
    EXPECT_EQ(t.rgbtRed, 0x33);
    EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(&t)[0], 0x11);
    EXPECT_EQ(sizeof(TRGBTriple), 3u);
    EXPECT_EQ(RGBTripleToColor(t), 0x112233);
}

TEST(ColorText, EnabledColorPicksUnresolvedSystemColours) {
    EXPECT_EQ(EnabledColor(true), static_cast<TColor>(0xFF000005));
    EXPECT_EQ(EnabledColor(false), static_cast<TColor>(0xFF00000F));
}
