#include "storage/IniHelpers.h"
#include "storage/MvIni.h"

#include <gtest/gtest.h>

TEST(IniHelpersTest, ColoursAreStoredAsBlueGreenRed) {
    TMvIni ini(L"");
    INI_WriteColor(ini, L"Colors", L"Face", clRed);
    EXPECT_EQ(ini.ReadString(L"Colors", L"Face", L""), L"0000FF");
    EXPECT_EQ(INI_ReadColor(ini, L"Colors", L"Face", clBlack), clRed);
    ini.WriteString(L"Colors", L"Bad", L"GG0000");
    // A malformed value gives the default as given, a missing key the resolved one.
    EXPECT_EQ(INI_ReadColor(ini, L"Colors", L"Bad", clBtnFace), clBtnFace);
    EXPECT_EQ(INI_ReadColor(ini, L"Colors", L"Missing", clBtnFace), GetRealColor(clBtnFace));
}

TEST(IniHelpersTest, FloatsWithDecimalComma) {
    TMvIni ini(L"");
    INI_WriteFloat(ini, L"S", L"a", 2, 3.14159);
    INI_WriteFloat(ini, L"S", L"b", 0, 3.14159);
    INI_WriteFloat(ini, L"S", L"c", 1, -0.5);
    EXPECT_EQ(ini.ReadString(L"S", L"a", L""), L"3,14");
    EXPECT_EQ(ini.ReadString(L"S", L"b", L""), L"3");
    EXPECT_EQ(ini.ReadString(L"S", L"c", L""), L"-0,5");
    ini.SetStrings(L"[S]\r\na=3,14\r\nb=1.234,5\r\nc=3.14\r\nd=\r\n");
    EXPECT_DOUBLE_EQ(INI_ReadFloat(ini, L"S", L"a", 0), 3.14);
    EXPECT_DOUBLE_EQ(INI_ReadFloat(ini, L"S", L"b", 0), 1234.5);
    EXPECT_DOUBLE_EQ(INI_ReadFloat(ini, L"S", L"c", 0), 314);
    EXPECT_DOUBLE_EQ(INI_ReadFloat(ini, L"S", L"d", -1), -1);
    EXPECT_DOUBLE_EQ(INI_ReadFloat(ini, L"S", L"missing", -1), -1);
}

TEST(IniHelpersTest, StringListsLeaveOutTheSkipValue) {
    TMvIni ini(L"");
    ini.SetStrings(L"[List]\r\nold=1\r\n");
    SL_SaveToIniMini({L"x", L"", L"y"}, ini, L"List", L"");
    TStrings lines;
    ini.ReadSectionValues(L"List", lines);
    EXPECT_EQ(lines, (TStrings{L"count=3", L"0=x", L"2=y"}));
    TStrings list{L"stale"};
    SL_LoadFromIni(list, ini, L"List", L"");
    EXPECT_EQ(list, (TStrings{L"x", L"", L"y"}));
    SL_LoadFromIni(list, ini, L"List", L"def");
    EXPECT_EQ(list, (TStrings{L"x", L"def", L"y"}));
    SL_LoadFromIniAdd(list, ini, L"List", L"");
    EXPECT_EQ(list.size(), 6u);
    SL_LoadFromIni(list, ini, L"Missing", L"");
    EXPECT_TRUE(list.empty());
}

TEST(IniHelpersTest, DamagedCountsDoNotRunAway) {
    TMvIni ini(L"");
    ini.SetStrings(L"[List]\r\ncount=2000000000\r\n0=a\r\n[Neg]\r\ncount=-5\r\n");
    TStrings list;
    SL_LoadFromIni(list, ini, L"List", L"");
    EXPECT_EQ(list.size(), static_cast<std::size_t>(MaxIniListCount));
    EXPECT_EQ(list[0], L"a");
    SL_LoadFromIni(list, ini, L"Neg", L"");
    EXPECT_TRUE(list.empty());
}
