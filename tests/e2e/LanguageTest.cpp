// The program in English and in German, as a user meets it: chosen by the
// setting or the menu "Sprache"/"Language", kept in the settings file for
// the next start. (The tests run on a German system: "Automatisch" is German.)
#include "Checks.h"
#include "DravikProcess.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr POINT kOnRuler{340 + 100, 200 + 24};

// The ruler's pop-up menu as the test channel lists it, opened and closed
// by the user's right click and Esc.
std::wstring MenuAsShown(DravikProcess& dravik) {
    RightClickAt(kOnRuler.x, kOnRuler.y);
    if (!dravik.WaitUntil([&] { return OpenMenu(dravik) != nullptr; })) return L"(no menu)";
    const std::wstring listing = dravik.Ask(L"menu");
    PressKey(VK_ESCAPE);
    dravik.WaitUntil([&] { return OpenMenu(dravik) == nullptr; });
    return listing;
}

const std::wstring kEnglishMenu = L"on Visible\tS\n"
                                  L"on Always on Top\tO\n"
                                  L"on Change Orientation\tA\n"
                                  L"on Optimal Size\tG\n"
                                  L"on Copy Reading\tCtrl+C\n"
                                  L"on Measure Edges\n"
                                  L"on Pin Mark\n"
                                  L"on Clear Marks\tDel\n"
                                  L"on Center on Screen\n"
                                  L"on Unit\n"
                                  L"on Settings...\n"
                                  L"on Transparency\n"
                                  L"on Language\n"
                                  L"on Show Color Picker Icon\n"
                                  L"-\n"
                                  L"on Pick Color...\tF\n"
                                  L"on Magnifier\tL\n"
                                  L"-\n"
                                  L"on Help...\tF1\n"
                                  L"on Check for Updates...\n"
                                  L"on Suggestions/Feedback...\n"
                                  L"on About...\n"
                                  L"-\n"
                                  L"on Exit\tEsc\n";

} // namespace

TEST(Language, TheSettingGivesEnglishTextsAndTheMenuSwitchesAtOnceAndForTheNextStart) {
    TBytes written;
    {
        DravikProcess dravik({.Settings = SettingsFile(L"Language=en")});
        EXPECT_EQ(MenuAsShown(dravik), kEnglishMenu);
        ASSERT_EQ(dravik.Ask(L"command menLanguageGerman"), L"ok");
        const std::wstring german = MenuAsShown(dravik);
        EXPECT_EQ(german.substr(0, german.find(L'\n')), L"on Sichtbar\tS");
        EXPECT_NE(german.find(L"on Sprache\n"), std::wstring::npos) << Narrow(german);
        EXPECT_NE(german.find(L"on Markierungen l\u00F6schen\tEntf\n"), std::wstring::npos);
        ASSERT_TRUE(dravik.Close());
        EXPECT_EQ(IniValue(ReadIni(dravik.SettingsFile()), L"Settings", L"Language"), L"de");
        written = ReadBytes(dravik.SettingsFile());
    }
    // The choice outlasts the start; "Automatisch" follows the system again.
    DravikProcess dravik({.Settings = written});
    const std::wstring german = MenuAsShown(dravik);
    EXPECT_EQ(german.substr(0, german.find(L'\n')), L"on Sichtbar\tS");
    ASSERT_EQ(dravik.Ask(L"command menLanguageEnglish"), L"ok");
    EXPECT_EQ(MenuAsShown(dravik), kEnglishMenu);
    ASSERT_EQ(dravik.Ask(L"command menLanguageAutomatic"), L"ok");
    EXPECT_EQ(MenuAsShown(dravik), german);
}
