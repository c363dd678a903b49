// Keys as the ruler's rows name them: what matches a press or a typed
// character, and the text a menu shows for them.
#include "util/KeyChord.h"

#include <gtest/gtest.h>

TEST(KeyChord, APressMatchesItsKeyWithExactlyItsModifiersUnlessShiftAndCtrlAreFree) {
    struct Case {
        KeyChord Chord;
        std::uint8_t Key;
        KeyMods Held;
        bool Matches;
    };
    const Case cases[] = {
        {Key('S'), 'S', KeyMods::None, true},
        {Key('S'), 'S', KeyMods::Shift, false},
        {Key('S'), 'O', KeyMods::None, false},
        {Key('C', KeyMods::Ctrl), 'C', KeyMods::Ctrl, true},
        {Key('C', KeyMods::Ctrl), 'C', KeyMods::None, false},
        {Key('C', KeyMods::Ctrl), 'C', KeyMods::Ctrl | KeyMods::Shift, false},
        {KeyWithShiftCtrl(0x25), 0x25, KeyMods::Shift | KeyMods::Ctrl, true},
        {KeyWithShiftCtrl(0x25), 0x25, KeyMods::Alt, false},
        {Typed(L'+'), '+', KeyMods::None, false}, // a character is no key
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChordMatchesKey(c.Chord, c.Key, c.Held), c.Matches)
            << int(c.Chord.VirtualKey) << " " << int(c.Key) << " " << int(c.Held);
    EXPECT_TRUE(ChordMatchesChar(Typed(L'e'), L'e'));
    EXPECT_FALSE(ChordMatchesChar(Typed(L'e'), L'E'));
    EXPECT_FALSE(ChordMatchesChar(Key('E'), L'e'));
    EXPECT_FALSE(ChordMatchesChar(KeyChord{}, 0));
}

TEST(KeyChord, MenuTextsNameKeysAsWindowsInEachLanguageAndTheKeypadOperatorsAsWhatTheyType) {
    const struct {
        KeyChord Chord;
        const wchar_t* German;
        const wchar_t* English;
    } cases[] = {
        {Key('S'), L"S", L"S"},
        {Key(0x70), L"F1", L"F1"},
        {Key(0x1B), L"Esc", L"Esc"},
        {Key(0xBB), L"+", L"+"},
        {Key(0x6D), L"-", L"-"},
        {Key(0x6B), L"+", L"+"},
        {Key(0x2E), L"Entf", L"Del"},
        {Key('C', KeyMods::Ctrl), L"Strg+C", L"Ctrl+C"},
        {Key(0x6D, KeyMods::Shift), L"Umschalt+Num -", L"Shift+Num -"},
        {Key(0x28, KeyMods::Ctrl | KeyMods::Alt), L"Strg+Alt+Nach-unten", L"Ctrl+Alt+Down"},
        {Key(0xBA), L"\u00DC", L";"},
        {Key(0xE8), L"Taste 0xE8", L"Key 0xE8"},
        {Typed(L'e'), L"e", L"e"},
        {KeyChord{}, L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MenuKeyText(c.Chord, Language::German), c.German);
        EXPECT_EQ(MenuKeyText(c.Chord, Language::English), c.English);
    }
}
