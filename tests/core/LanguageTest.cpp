#include "util/Language.h"
#include "util/LocalText.h"

#include <gtest/gtest.h>

TEST(Language, TheChoiceOrTheSystemsLanguageDecides) {
    const struct {
        const wchar_t* Stored;
        std::uint16_t SystemLanguage;
        Language Expected;
    } cases[] = {
        {L"", 0x0407, Language::German},    // de-DE
        {L"", 0x0807, Language::German},    // de-CH
        {L"", 0x0C07, Language::German},    // de-AT
        {L"", 0x0409, Language::English},   // en-US
        {L"", 0x040C, Language::English},   // fr-FR: English, the wider known
        {L"en", 0x0407, Language::English}, // the user's choice wins
        {L"de", 0x0409, Language::German},
        {L"fr", 0x0407, Language::German}, // unknown or damaged: automatic
        {L"EN", 0x0407, Language::German},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveLanguage(ParseLanguageChoice(c.Stored), c.SystemLanguage), c.Expected)
            << "stored \"" << testing::PrintToString(std::wstring(c.Stored)) << "\" system "
            << c.SystemLanguage;
    for (LanguageChoice choice :
         {LanguageChoice::Automatic, LanguageChoice::German, LanguageChoice::English})
        EXPECT_EQ(ParseLanguageChoice(StoredLanguageChoice(choice)), choice);
}

TEST(LocalText, TheCurrentLanguagesTextWithItsArgumentsInItsOwnOrder) {
    constexpr LocalText saved{L"%1 in %2 gespeichert", L"Saved %1 to %2"};
    constexpr LocalText order{L"Datei %2: %1", L"%1 (file %2)"};
    SetUiLanguage(Language::German);
    EXPECT_STREQ(saved(), L"%1 in %2 gespeichert");
    EXPECT_EQ(FormatText(order, {L"Zugriff verweigert", L"a.ini"}),
              L"Datei a.ini: Zugriff verweigert");
    SetUiLanguage(Language::English);
    EXPECT_EQ(FormatText(saved, {L"3 keys", L"Dravik.ini"}), L"Saved 3 keys to Dravik.ini");
    EXPECT_EQ(FormatText(order, {L"Access denied", L"a.ini"}), L"Access denied (file a.ini)");
    SetUiLanguage(Language::German);

    const struct {
        const wchar_t* Text;
        const wchar_t* Expected;
    } cases[] = {
        {L"50 %%", L"50 %"}, {L"%1%%", L"x%"},     {L"%2 %1", L"%2 x"}, // no second
        {L"100%", L"100%"},  {L"%0 %a", L"%0 %a"}, {L"%1%1", L"xx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatText(c.Text, {L"x"}), c.Expected)
            << testing::PrintToString(std::wstring(c.Text));
}
