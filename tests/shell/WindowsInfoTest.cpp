// What the running system reports about its language and version.
#include "util/win/WindowsInfo.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cwctype>
#include <string>

namespace {

TEST(WindowsInfo, LanguageIdIsFourHexDigitsOfTheUserLocale) {
    const std::wstring id = GetWindowsLanguage(LOCALE_ILANGUAGE);
    ASSERT_EQ(id.size(), 4u) << std::string(id.begin(), id.end());
    for (wchar_t c : id)
        EXPECT_TRUE(std::iswxdigit(c));
    EXPECT_EQ(std::stoul(id, nullptr, 16), LANGIDFROMLCID(::GetUserDefaultLCID()));
}

TEST(WindowsInfo, UnknownLocaleItemGivesEmptyText) {
    EXPECT_EQ(GetWindowsLanguage(0x7FFFFFF0), L"");
}

TEST(WindowsInfo, VersionIsKnownAndNamed) {
    std::wstring fullName;
    const TWindowsVersion version = GetWindowsVersion(fullName);
    EXPECT_GE(version, wvWinXP);
    EXPECT_EQ(GetWindowsVersion(), version);
    EXPECT_NE(fullName.find(L"Build "), std::wstring::npos);
    EXPECT_NE(WindowsVersionToStr(version), L"wvUnknown");
}

} // namespace
