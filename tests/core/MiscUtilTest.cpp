#include "util/CommandLine.h"
#include "util/GeometryUtils.h"
#include "util/HotkeyMath.h"
#include "util/WindowsVersion.h"

#include <gtest/gtest.h>

TEST(HasParam, AcceptsOneLeadingDashOrSlashIgnoringCase) {
    for (const wchar_t* p : {L"/DEBUG", L"-debug", L"debug", L"DeBuG"})
        EXPECT_TRUE(HasParam({L"Dravik.exe", p}, L"debug")) << p;
    for (const wchar_t* p : {L"--debug", L"//debug", L"debugx", L"", L"-"})
        EXPECT_FALSE(HasParam({L"Dravik.exe", p}, L"debug")) << p;
}

TEST(HasParam, ProgramItselfIsNoParameter) {
    EXPECT_FALSE(HasParam({L"debug"}, L"debug"));
    EXPECT_FALSE(HasParam(std::vector<std::wstring>{}, L"debug"));
    EXPECT_TRUE(HasParam({L"p", L"x", L"/debug"}, L"debug"));
}

TEST(HasParam, ByIndex) {
    const std::vector<std::wstring> params = {L"p", L"x", L"-debug", L""};
    EXPECT_TRUE(HasParam(params, 2, L"debug"));
    EXPECT_FALSE(HasParam(params, 1, L"debug"));
    EXPECT_FALSE(HasParam(params, 3, L""));
    EXPECT_FALSE(HasParam(params, 4, L"debug"));
    EXPECT_FALSE(HasParam(params, -1, L"debug"));
}

TEST(HasParam, ProcessWideParameters) {
    SetCommandLineParams({L"Dravik.exe", L"/Debug"});
    EXPECT_TRUE(HasParam(L"debug"));
    EXPECT_TRUE(HasParam(1, L"debug"));
    EXPECT_FALSE(HasParam(2, L"debug"));
    SetCommandLineParams({});
    EXPECT_FALSE(HasParam(L"debug"));
}

TEST(Hotkey, CtrlShiftF1GivesKeyCode70AndModifiers6) {
    const TShortCutParts parts = ShortCutToKey(0x6070);
    EXPECT_EQ(parts.KeyCode, 0x70);
    EXPECT_EQ(parts.ShiftState, (TShortCutShift{true, true, false}));
    EXPECT_EQ(ShiftState2Modifier(parts.ShiftState), 6u);
}

TEST(Hotkey, EachShiftFlagMapsToItsModifier) {
    EXPECT_EQ(ShiftState2Modifier(ShortCutToKey(0x2041).ShiftState), 4u);
    EXPECT_EQ(ShiftState2Modifier(ShortCutToKey(0x4041).ShiftState), 2u);
    EXPECT_EQ(ShiftState2Modifier(ShortCutToKey(0x8041).ShiftState), 1u);
    EXPECT_EQ(ShiftState2Modifier(ShortCutToKey(0xE0FF).ShiftState), 7u);
    EXPECT_EQ(ShortCutToKey(0xE0FF).KeyCode, 0xFF);
    // Bits outside the three flags produce nothing.
    EXPECT_EQ(ShiftState2Modifier(ShortCutToKey(0x1F41).ShiftState), 0u);
}

TEST(Hotkey, GermanLanguageIds) {
    for (const wchar_t* id : {L"0407", L"0807", L"0c07", L"0C07", L"1007", L"1407"})
        EXPECT_TRUE(IsGermanWin(id)) << id;
    for (const wchar_t* id : {L"0409", L"407", L"04070", L"", L"0c7"})
        EXPECT_FALSE(IsGermanWin(id)) << id;
}

TEST(WindowsVersion, NamesAndClassification) {
    EXPECT_EQ(WindowsVersionToStr(wvWindows7), L"wvWindows7");
    EXPECT_EQ(WindowsVersionToStr(wvUnknown), L"wvUnknown");
    EXPECT_EQ(WindowsVersionToStr(wvWindowsNewer), L"wvWindowsNewer");
    EXPECT_EQ(WindowsVersionToStr(static_cast<TWindowsVersion>(99)), L"wvUnknown");
    EXPECT_EQ(static_cast<int>(wvWinServer2008), 12);
    EXPECT_EQ(sizeof(TWindowsVersion), 1u);

    EXPECT_EQ(ClassifyWindowsVersion(6, 1, 7601, false), wvWindows7);
    EXPECT_EQ(ClassifyWindowsVersion(6, 0, 6002, false), wvWinVista);
    EXPECT_EQ(ClassifyWindowsVersion(6, 0, 6002, true), wvWinServer2008);
    EXPECT_EQ(ClassifyWindowsVersion(5, 1, 2600, false), wvWinXP);
    EXPECT_EQ(ClassifyWindowsVersion(5, 2, 3790, true), wvWin2003);
    EXPECT_EQ(ClassifyWindowsVersion(5, 0, 2195, false), wvWin2000);
    EXPECT_EQ(ClassifyWindowsVersion(4, 0, 1381, false), wvWinNT4);
    EXPECT_EQ(ClassifyWindowsVersion(6, 2, 9200, false), wvWindows8);
    EXPECT_EQ(ClassifyWindowsVersion(10, 0, 19045, false), wvWindowsNewer);
    EXPECT_EQ(ClassifyWindowsVersion(4, 0, 950, false, true), wvWin95);
    EXPECT_EQ(ClassifyWindowsVersion(4, 0, 1111, false, true), wvWin95OSR2);
    EXPECT_EQ(ClassifyWindowsVersion(4, 10, 2222, false, true), wvWin98SE);
    EXPECT_EQ(ClassifyWindowsVersion(4, 10, 1998, false, true), wvWin98);
    EXPECT_EQ(ClassifyWindowsVersion(4, 90, 3000, false, true), wvWinME);
    EXPECT_EQ(ClassifyWindowsVersion(2, 0, 0, false), wvUnknown);
}

TEST(Geometry, RectHelpers) {
    EXPECT_EQ(RectWidth(Rect{10, 0, 4, 0}), 6);
    EXPECT_EQ(RectHeight(Rect{0, 3, 0, 9}), 6);
    Rect r{0, 0, 10, 8};
    RectShrink(r, 2);
    EXPECT_EQ(r, (Rect{2, 2, 8, 6}));
    RectShrink(r, -1);
    EXPECT_EQ(r, (Rect{1, 1, 9, 7}));
    EXPECT_TRUE(SamePoint({3, 4}, {3, 4}));
    EXPECT_FALSE(SamePoint({3, 4}, {4, 3}));
    EXPECT_EQ(PointsToPositiveRect({12, 11}, {10, 10}), (Rect{10, 10, 12, 11}));
    EXPECT_EQ(PointsToPositiveRect({10, 11}, {12, 10}), (Rect{10, 10, 12, 11}));
}
