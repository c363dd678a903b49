// The program in English and in German, as a user meets it: chosen by the
// setting or the menu "Sprache"/"Language", kept in the settings file for
// the next start. (The tests run on a German system: "Automatisch" is German.)
#include "Checks.h"
#include "Clipboard.h"
#include "ColorWindowDriver.h"
#include "DravikProcess.h"
#include "WindowDriver.h"

#include "../common/VendorServer.h"
#include "online/win/MVOnlineUpdate.h"
#include "online/win/OnlineIds.h"
#include "ruler/win/RulerCommands.h"
#include "settings/win/SettingsDlgIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// The texts of a window and all its controls.
std::vector<std::wstring> TextsOf(HWND wnd) {
    std::vector<std::wstring> texts{Text(wnd)};
    ::EnumChildWindows(
        wnd,
        [](HWND child, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(Text(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// Words that only the German texts of these windows hold.
bool LooksGerman(const std::wstring& text) {
    for (const wchar_t* word :
         {L"Lineal", L"Farbe", L"verschieben", L"Abbrechen", L"Sonstiges", L"Kanten", L"Markierung",
          L"Hintergrund", L"Einstellungen", L"Automatisch", L"Eigenen", L"Messen", L"Angabe",
          L"Taste", L"Strg", L"Umschalt", L"Weitere", L"Lupe"})
        if (text.find(word) != std::wstring::npos) return true;
    return text.find_first_of(L"\u00E4\u00F6\u00FC\u00C4\u00D6\u00DC\u00DF") != std::wstring::npos;
}

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

TEST(Language, TheSettingsDialogSpeaksEnglishAndSaysWhatIsWrongInEnglish) {
    DravikProcess dravik({.Settings = SettingsFile(L"Language=en\r\nMagnifier=0")});
    ::PostMessageW(dravik.Ruler(), WM_COMMAND, MAKEWPARAM(idSettings, 0), 0);
    const HWND dlg = ShownProgramWindow(dravik, SettingsDlgClass);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Text(dlg), L"Settings");
    for (const std::wstring& text : TextsOf(dlg))
        EXPECT_FALSE(LooksGerman(text)) << Narrow(text);
    EXPECT_EQ(Text(Control(dlg, idResetColors)), L"&Default...");
    EXPECT_EQ(Text(Control(dlg, idSettingsCancel)), L"Cancel");
    // A tolerance beyond a channel is refused in English.
    HWND tolerance = Control(dlg, idEEdgeTolerance);
    ::SendMessageW(tolerance, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"256"));
    ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(idSettingsOK, BN_CLICKED), 0);
    EXPECT_EQ(AnswerMessageBox(dravik),
              L"Please enter a whole number from 0 to 255 for \"Edge tolerance\".");
    // The calibration shows a decimal point; a step typed with one is
    // stored with the comma every settings file has.
    EXPECT_EQ(Text(Control(dlg, idEUserCmMeasured)), L"5.4800");
    HWND step = Control(dlg, idEUserCmMeasuredChangeBy);
    EXPECT_EQ(Text(step), L"0.1000");
    ::SendMessageW(tolerance, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"30"));
    ::SendMessageW(step, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"0.25"));
    ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(idSettingsOK, BN_CLICKED), 0);
    ASSERT_TRUE(dravik.WaitUntil([&] { return !::IsWindow(dlg); }))
        << Narrow(dravik.WaitForMessageBox(0));
    EXPECT_EQ(IniValue(ReadIni(dravik.SettingsFile()), L"Settings", L"RefCmSizeChangeBy"), L"0,25");
}

// The ruler's fractions in English: the box, the magnifier's figures from
// the start point and the copied reading have a decimal point.
TEST(Language, InEnglishTheRulerShowsAndCopiesItsFractionsWithAPoint) {
    DravikProcess dravik({.Settings = SettingsFile(L"Language=en\r\nLeft=340\r\nTop=200")});
    const HWND magnifier = ShownProgramWindow(dravik, L"TMagnifierDlg");
    ASSERT_NE(magnifier, nullptr);
    ASSERT_EQ(dravik.Ask(L"pixelspermm 3.78"), L"ok"); // 37.8 pixels to the centimetre
    ASSERT_EQ(dravik.Ask(L"command menCentimeter"), L"ok");
    const auto moveTo = [&](int x, int y) {
        MoveMouseTo(x, y);
        return StateBecomes(dravik, {{RulerState::ActX, std::to_wstring(x)},
                                     {RulerState::ActY, std::to_wstring(y)}});
    };
    ASSERT_TRUE(moveTo(400, 600));
    ASSERT_TRUE(dravik.PressHotkey({VK_CONTROL, VK_SHIFT}, 'A'));
    ASSERT_TRUE(moveTo(520, 690));
    // 180 pixels along the ruler, 120 from the start point.
    EXPECT_TRUE(StateBecomes(dravik, {{RulerState::BoxText, L"4.8  (3.2)"}}));
    const std::wstring figures = L"\u0394x 3.2  \u0394y 2.4  4.0  36.9\u00B0   Zoom: 4x";
    EXPECT_TRUE(dravik.WaitUntil([&] {
        const std::wstring caption = Text(magnifier);
        return caption.size() >= figures.size() &&
               caption.compare(caption.size() - figures.size(), figures.size(), figures) == 0;
    })) << "the magnifier's caption reads \""
        << Narrow(Text(magnifier)) << "\"";
    ASSERT_TRUE(PutOnClipboard(L"-"));
    ASSERT_EQ(dravik.Ask(L"command menCopyReading"), L"ok");
    EXPECT_TRUE(ClipboardBecomes(dravik, L"3.2 cm"));
}

TEST(Language, TheColourWindowSpeaksEnglish) {
    DravikProcess dravik({.Settings = SettingsFile(L"Language=en\r\nMagnifier=0")});
    const HWND form = OpenByKey(dravik);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Text(form), L"Color Picker");
    for (const std::wstring& text : TextsOf(form))
        EXPECT_FALSE(LooksGerman(text)) << Narrow(text);
    EXPECT_EQ(Text(Control(form, idColCapture)), L"&Capture...");
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(dravik.WaitUntil([&] { return !::IsWindow(form); }));
}

TEST(Language, TheUpdateDialogAndTheAboutWindowSpeakEnglish) {
    VendorServer server; // this version is the newest; the address "Kai 1"
    DravikProcess dravik({.Settings = SettingsFile(L"Language=en\r\nMagnifier=0")});
    ::PostMessageW(dravik.Ruler(), WM_COMMAND, MAKEWPARAM(idCheckUpdate, 0), 0);
    const HWND dlg = ShownProgramWindow(dravik, UpdateDlgClass);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Text(dlg), L"Check for Updates");
    const HWND message = Control(dlg, idUpdMessage);
    EXPECT_EQ(Text(message), L"Please click \"Check Now\".");
    ASSERT_TRUE(ClickUntil(dravik, Control(dlg, idUpdSearch),
                           [&] { return !Text(message).starts_with(L"Please"); }));
    EXPECT_TRUE(
        dravik.WaitUntil([&] { return Text(message) == L"Your version is up to date."; }, 10000))
        << Narrow(Text(message));
    for (const std::wstring& text : TextsOf(dlg))
        EXPECT_FALSE(LooksGerman(text)) << Narrow(text);
    ASSERT_TRUE(ClickUntil(dravik, Control(dlg, idUpdClose), [&] { return !::IsWindow(dlg); }));

    ::PostMessageW(dravik.Ruler(), WM_COMMAND, MAKEWPARAM(idAbout, 0), 0);
    const HWND about = ShownProgramWindow(dravik, InfoFormClass);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(Text(about), L"About");
    EXPECT_TRUE(dravik.WaitUntil([&] {
        return Text(Control(about, idInfoTelFax)).starts_with(L"Phone: ");
    })) << Narrow(Text(Control(about, idInfoTelFax)));
    for (const std::wstring& text : TextsOf(about))
        EXPECT_FALSE(LooksGerman(text)) << Narrow(text);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(dravik.WaitUntil([&] { return !::IsWindow(about); }));
}

// This suite runs on a system with an English locale (the test command
// starts it so): without a setting the program speaks English, also in what
// it says before it has read its settings.
TEST(EnglishSystem, WithoutASettingTheMenuAndTheMessagesBeforeAnySettingAreEnglish) {
    {
        DravikProcess dravik;
        EXPECT_EQ(MenuAsShown(dravik), kEnglishMenu);
    }
    {
        DravikProcess dravik({.HookFile = DravikOptions::Hook::Missing});
        HWND box = nullptr;
        const std::wstring text = dravik.WaitForMessageBox(10000, &box);
        EXPECT_NE(text.find(L"zephal.dll\" is missing. Without it Dravik cannot follow the mouse."),
                  std::wstring::npos)
            << Narrow(text);
        if (box) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(dravik.WaitForExit(5000));
    }
    // A settings file too large to read, or one that another program holds
    // locked: said in the system's language, as no setting could be read.
    {
        DravikProcess dravik({.Settings = Utf16File(std::wstring(3u << 20, L' '))});
        HWND box = nullptr;
        const std::wstring text = dravik.WaitForMessageBox(10000, &box);
        EXPECT_NE(text.find(L"is larger than 4 MB and is not read as a settings file. The file "
                            L"will not be overwritten."),
                  std::wstring::npos)
            << Narrow(text);
        if (box) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    HANDLE lock = INVALID_HANDLE_VALUE;
    DravikProcess dravik(
        {.Settings = SettingsFile(L"Magnifier=0"), .BeforeStart = [&](const std::wstring& file) {
             lock = ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
         }});
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    HWND box = nullptr;
    const std::wstring text = dravik.WaitForMessageBox(10000, &box);
    ::CloseHandle(lock);
    EXPECT_NE(text.find(L"cannot be opened."), std::wstring::npos) << Narrow(text);
    EXPECT_NE(text.find(L"The file will not be overwritten."), std::wstring::npos) << Narrow(text);
    EXPECT_FALSE(LooksGerman(text)) << Narrow(text);
    if (box) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}
