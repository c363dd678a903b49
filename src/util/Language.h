#pragma once
// The language of the user interface: German, the program's own, or English.
// Chosen once at start from the setting "Language" or the system's user
// interface language; a change from the menu takes effect for every text
// looked up afterwards.
#include <cstdint>
#include <string>
#include <string_view>

enum class Language : std::uint8_t { German, English };

// The stored choice: "de", "en", or automatic (empty, and any other text,
// so that a damaged value falls back to the system's language).
enum class LanguageChoice : std::uint8_t { Automatic, German, English };
LanguageChoice ParseLanguageChoice(std::wstring_view stored);
std::wstring StoredLanguageChoice(LanguageChoice choice);

// German for every German locale (primary language 0x07, whatever the
// region), English for every other.
Language ResolveLanguage(LanguageChoice choice, std::uint16_t systemUiLanguageId);

// The process-wide language every text is looked up in (German until set).
Language UiLanguage();
void SetUiLanguage(Language language);
