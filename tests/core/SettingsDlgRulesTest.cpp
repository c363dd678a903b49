#include "settings/SettingsDlgRules.h"

#include "settings/PixelsPerMMEditor.h"
#include "util/HotkeyMath.h"
#include "util/ShortCutText.h"

#include "../common/UiLanguageScope.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t CtrlShiftA = 0x6041;
constexpr std::uint16_t CtrlAltDown = 0xC028; // 49192 in the settings file

TSettingsDlgState Shown(wchar_t decimal = L',') {
    TSettingsExchange values;
    values.MoveHotKeyUp = 0x8026;
    return FormShowState(values, decimal);
}

} // namespace

TEST(SettingsDlgRulesTest, FieldsShowTheRulersValuesInTheLocalesNotation) {
    TSettingsExchange values;
    values.MoveHotKeyMoveBy = 250;
    const TSettingsDlgState german = FormShowState(values, L',');
    EXPECT_EQ(german.UserCmMeasured, L"5,4800");
    EXPECT_EQ(german.UserCmMeasuredChangeBy, L"0,1000");
    EXPECT_EQ(german.MoveHotKeyMoveBy, L"100");
    EXPECT_EQ(german.HotKeys[4], CtrlShiftA);
    EXPECT_EQ(german.Colors[0], RulerDefaults::ColorBack); // cpbBack comes first
    EXPECT_EQ(FormShowState(values, L'.').UserCmMeasured, L"5.4800");
    // A stored 250 is saved as the 100 shown.
    EXPECT_EQ(FormCloseValues(german, L',', values).MoveHotKeyMoveBy, 100);
}

TEST(SettingsDlgRulesTest, OkChecksInReadingOrder) {
    struct Case {
        bool Auto;
        const wchar_t* Length;
        const wchar_t* Step;
        const wchar_t* Move;
        std::uint16_t MeasureStart;
        TSettingsField Focus;
        const wchar_t* Message;
    };
    const wchar_t* lengthMessage = L"Bitte geben Sie unter \"Länge des schwarzen Balkens\" eine "
                                   L"Fließkommazahl größer als 0 und kleiner als 1000 an.";
    const wchar_t* stepMessage = L"Bitte geben Sie unter \"Änderung mit +/- Taste um\" eine "
                                 L"Fließkommazahl größer als 0 und kleiner als 99 an.";
    const wchar_t* moveMessage =
        L"Bitte geben Sie unter \"Lineal verschieben um\" eine ganze Zahl von 0 bis 100 an.";
    using enum TSettingsField;
    const Case cases[] = {
        {false, L"10,00", L"0,1", L"5", CtrlShiftA, None, L""},
        {false, L"999,9", L"98,99", L"0", CtrlShiftA, None, L""},
        {false, L"1000", L"0,1", L"5", CtrlShiftA, eUserCmMeasured, lengthMessage},
        {false, L"0", L"0,1", L"5", CtrlShiftA, eUserCmMeasured, lengthMessage},
        {false, L" 5,48", L"0,1", L"5", CtrlShiftA, eUserCmMeasured, lengthMessage},
        {false, L"5.48", L"0,1", L"5", CtrlShiftA, eUserCmMeasured, lengthMessage},
        {true, L"abc", L"0,1", L"5", CtrlShiftA, None, L""}, // not checked in automatic mode
        {true, L"abc", L"99", L"5", CtrlShiftA, eUserCmMeasuredChangeBy, stepMessage},
        {false, L"5,48", L"", L"5", CtrlShiftA, eUserCmMeasuredChangeBy, stepMessage},
        {false, L"5,48", L"0,1", L"250", CtrlShiftA, eMoveHotKeyMoveBy, moveMessage},
        {false, L"5,48", L"0,1", L"", CtrlShiftA, eMoveHotKeyMoveBy, moveMessage},
        {false, L"5,48", L"0,1", L"1a", CtrlShiftA, eMoveHotKeyMoveBy, moveMessage},
        {false, L"5,48", L"0,1", L"5", 0x8026, HotKey,
         L"Das Tastenkürzel \"Alt+Nach-oben\" ist unter \"Lineal nach oben verschieben\" und "
         L"unter \"Strecke messen: Startpunkt setzen\" eingetragen. Bitte geben Sie unter "
         L"\"Strecke messen: Startpunkt setzen\" ein anderes Tastenkürzel an."},
    };
    for (const Case& c : cases) {
        TSettingsDlgState state = Shown();
        state.AutoPixelPerMM = c.Auto;
        state.UserCmMeasured = c.Length;
        state.UserCmMeasuredChangeBy = c.Step;
        state.MoveHotKeyMoveBy = c.Move;
        state.HotKeys[4] = c.MeasureStart;
        const TSettingsCheck check = CheckSettings(state, L',');
        EXPECT_EQ(check.Ok, c.Focus == None) << c.Length << " " << c.Step << " " << c.Move;
        EXPECT_EQ(check.Focus, c.Focus) << c.Length;
        EXPECT_EQ(check.Message, c.Message) << c.Length;
        EXPECT_EQ(check.HotKeyIndex, c.Focus == HotKey ? 4 : -1);
    }
}

TEST(SettingsDlgRulesTest, EdgeToleranceAndTheSevenHotKeysAreCheckedAndReadBack) {
    const wchar_t* message =
        L"Bitte geben Sie unter \"Kantentoleranz\" eine ganze Zahl von 0 bis 255 an.";
    const struct {
        const wchar_t* Text;
        bool Ok;
        int Read; // after OK
    } cases[] = {{L"0", true, 0},   {L"255", true, 255}, {L"30", true, 30}, {L"256", false, 0},
                 {L"-1", false, 0}, {L"", false, 0},     {L"1a", false, 0}, {L"1000", false, 0}};
    for (const auto& c : cases) {
        TSettingsDlgState state = Shown();
        EXPECT_EQ(state.EdgeTolerance, L"30");
        state.EdgeTolerance = c.Text;
        const TSettingsCheck check = CheckSettings(state, L',');
        EXPECT_EQ(check.Ok, c.Ok) << c.Text;
        if (c.Ok) {
            EXPECT_EQ(FormCloseValues(state, L',', {}).EdgeTolerance, c.Read) << c.Text;
        } else {
            EXPECT_EQ(check.Focus, TSettingsField::eEdgeTolerance) << c.Text;
            EXPECT_EQ(check.Message, message);
        }
    }
    TSettingsExchange stored;
    stored.EdgeTolerance = 900; // a hand-edited file shows the nearest allowed value
    EXPECT_EQ(FormShowState(stored, L',').EdgeTolerance, L"255");

    // The edge span's and the mark's keys by default, and a clash with them.
    TSettingsDlgState state = Shown();
    EXPECT_EQ(state.HotKeys[5], 0x604B); // Ctrl+Shift+K
    EXPECT_EQ(state.HotKeys[6], 0x604D); // Ctrl+Shift+M
    state.HotKeys[6] = CtrlShiftA;
    const TSettingsCheck clash = CheckSettings(state, L',');
    EXPECT_EQ(clash.HotKeyIndex, 6);
    EXPECT_EQ(clash.Message,
              L"Das Tastenkürzel \"Strg+Umschalt+A\" ist unter \"Strecke messen: Startpunkt "
              L"setzen\" und unter \"Markierung setzen\" eingetragen. Bitte geben Sie unter "
              L"\"Markierung setzen\" ein anderes Tastenkürzel an.");
    state.HotKeys[6] = 0;
    state.HotKeys[5] = 0x4045; // Ctrl+E
    state.Colors[5] = 0x00FFFF;
    const TSettingsExchange read = FormCloseValues(state, L',', {});
    EXPECT_EQ(read.HotKeyEdgeSpan, 0x4045);
    EXPECT_EQ(read.HotKeyPinMark, 0);
    EXPECT_EQ(read.ColorPinMark, 0x00FFFF);
}

TEST(SettingsDlgRulesTest, OkReadsBackWithoutLosingTheStoredDigits) {
    TSettingsExchange shown;
    shown.RefCmSize = 5.48372;
    struct Case {
        bool Auto;
        const wchar_t* Length;
        double Expected;
    };
    const Case cases[] = {
        {false, L"5,4837", 5.48372}, // untouched: all digits stay
        {false, L"10,00", 10.0},
        {true, L"10,00", 10.0},     // a good length is taken in automatic mode too
        {true, L"kaputt", 5.48372}, // but a broken one does not replace the calibration
    };
    for (const Case& c : cases) {
        TSettingsDlgState state = FormShowState(shown, L',');
        state.AutoPixelPerMM = c.Auto;
        state.UserCmMeasured = c.Length;
        state.HotKeys[1] = CtrlAltDown;
        state.Colors[2] = 0x00FF00;
        const TSettingsExchange read = FormCloseValues(state, L',', shown);
        EXPECT_DOUBLE_EQ(read.RefCmSize, c.Expected) << c.Length;
        EXPECT_EQ(read.CmAuto, c.Auto);
        EXPECT_EQ(read.MoveHotKeyDown, CtrlAltDown);
        EXPECT_EQ(read.ColorMouseLine, 0x00FF00);
    }
    // "Standard..." resets the swatches and nothing else.
    TSettingsDlgState state = FormShowState(shown, L',');
    state.Colors.fill(0x123456);
    state.UserCmMeasured = L"7";
    SelectDefaultColors(state);
    const TSettingsExchange read = FormCloseValues(state, L',', shown);
    EXPECT_EQ(read.ColorMousePosText, 0x041F9A);
    EXPECT_EQ(read.ColorMousePosBack, 0x20CDA2);
    EXPECT_EQ(read.RefCmSize, 7.0);

    RulerModel model;
    ApplyExchangeToRuler(read, model);
    EXPECT_EQ(ExchangeFromRuler(model), read);
}

TEST(HotKeyTest, ShortcutAndHotKeyControlValues) {
    struct Case {
        std::uint16_t ShortCut;
        std::uint16_t HotKey;
        std::uint16_t WithRule;
        const wchar_t* Text;
    };
    const Case cases[] = {
        {0x6041, 0x0341, 0x6041, L"Strg+Umschalt+A"},
        {0xC041, 0x0641, 0xC041, L"Strg+Alt+A"},
        {0xC028, 0x0E28, 0xC028, L"Strg+Alt+Nach-unten"}, // arrows are extended keys
        {0x0041, 0x0041, 0x8041, L"A"},                   // a plain letter gets Alt
        {0x2025, 0x0925, 0xA025, L"Umschalt+Nach-links"}, // so does Shift alone
        {0x4070, 0x0270, 0x4070, L"Strg+F1"},
        {0x8060, 0x0460, 0x8060, L"Alt+Num 0"},
        {0x80BB, 0x04BB, 0x80BB, L"Alt++"},
        {0, 0, 0, L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortCutToHotKey(c.ShortCut), c.HotKey) << std::hex << c.ShortCut;
        EXPECT_EQ(HotKeyToShortCut(c.HotKey), c.ShortCut) << std::hex << c.ShortCut;
        EXPECT_EQ(ApplyHotKeyRule(c.ShortCut), c.WithRule) << std::hex << c.ShortCut;
        EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text);
    }
    EXPECT_EQ(HotKeyToShortCut(0x0600), 0); // modifiers without a key are no hotkey

    const std::uint16_t fields[] = {0, 0x6041, 0, 0xC028, 0x6041};
    const auto clash = FindDuplicateShortCut(fields);
    ASSERT_TRUE(clash);
    EXPECT_EQ(clash->First, 1);
    EXPECT_EQ(clash->Second, 4);
    const std::uint16_t empty[] = {0, 0, 0x6041};
    EXPECT_FALSE(FindDuplicateShortCut(empty));
    EXPECT_EQ(HotKeysNotRegisteredMessage({{L"Lineal nach oben verschieben", 0xC026}}),
              L"Diese Tastenkürzel werden schon von einem anderen Programm verwendet und sind "
              L"deshalb nicht aktiv:\r\n\r\nLineal nach oben verschieben (Strg+Alt+Nach-oben)"
              L"\r\n\r\nDie Einstellungen wurden trotzdem gespeichert.");
}

TEST(SettingsDlgRulesTest, TheReferenceBarStaysTwoHundredDevicePixels) {
    struct Case {
        int Dpi;
        Rect White;
        Rect Bar;
    };
    const Case cases[] = {
        {96, {0, 0, 239, 41}, {19, 16, 219, 25}},
        {144, {0, 0, 359, 62}, {29, 24, 229, 38}}, // 358.5 and 28.5 round up
        {48, {0, 0, 220, 21}, {10, 8, 210, 13}},   // widened to hold the bar
    };
    for (const Case& c : cases) {
        const TReferenceBarLayout layout = ReferenceBarLayout(c.Dpi);
        EXPECT_EQ(layout.WhiteArea, c.White) << c.Dpi;
        EXPECT_EQ(layout.Bar, c.Bar) << c.Dpi;
        EXPECT_EQ(layout.Bar.Width(), ReferenceBarPixels);
    }
}

TEST(SettingsDlgRulesTest, InEnglishTheMessagesNameTheEnglishCaptionsAndKeys) {
    const UiLanguageScope english(Language::English);
    const auto messageOf = [](auto change) {
        TSettingsDlgState state = Shown();
        state.AutoPixelPerMM = false;
        change(state);
        return CheckSettings(state, L',').Message;
    };
    EXPECT_EQ(messageOf([](TSettingsDlgState& s) { s.UserCmMeasured = L"0"; }),
              L"Please enter a number greater than 0 and less than 1000 for \"Length of the "
              L"black bar\".");
    EXPECT_EQ(messageOf([](TSettingsDlgState& s) { s.UserCmMeasuredChangeBy = L""; }),
              L"Please enter a number greater than 0 and less than 99 for \"Step per +/- key\".");
    EXPECT_EQ(messageOf([](TSettingsDlgState& s) { s.MoveHotKeyMoveBy = L"x"; }),
              L"Please enter a whole number from 0 to 100 for \"Move ruler by\".");
    EXPECT_EQ(messageOf([](TSettingsDlgState& s) { s.EdgeTolerance = L"256"; }),
              L"Please enter a whole number from 0 to 255 for \"Edge tolerance\".");
    EXPECT_EQ(messageOf([](TSettingsDlgState& s) { s.HotKeys[6] = s.HotKeys[4]; }),
              L"The hotkey \"Ctrl+Shift+A\" is set for \"Measure distance: set start point\" and "
              L"for \"Pin mark\". Please enter another hotkey for \"Pin mark\".");
    EXPECT_EQ(HotKeysNotRegisteredMessage({{SettingsHotKeyFields()[0].Caption(), 0xC026}}),
              L"These hotkeys are already used by another program and are therefore not active:"
              L"\r\n\r\nMove ruler up (Ctrl+Alt+Up)\r\n\r\nThe settings were saved all the same.");
}
