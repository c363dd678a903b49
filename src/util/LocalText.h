#pragma once
// A text the user reads, in each language of the program side by side: the
// German original and its English counterpart. Every such text of an area
// lives in that area's texts header (RulerTexts.h, ...), so the two columns
// can be read and checked together, and a text without its English
// counterpart does not compile.
#include "util/Language.h"

#include <initializer_list>
#include <string>
#include <string_view>

class LocalText {
  public:
    consteval LocalText(const wchar_t* german, const wchar_t* english)
        : m_german(german), m_english(english) {}
    // The same in every language (a number, a unit's symbol, a name).
    static consteval LocalText Neutral(const wchar_t* text) { return {text, text}; }

    const wchar_t* In(Language language) const {
        return language == Language::English ? m_english : m_german;
    }
    // In the current user interface language.
    const wchar_t* operator()() const { return In(UiLanguage()); }

  private:
    const wchar_t* m_german;
    const wchar_t* m_english;
};

// The text in the current language with "%1" .. "%9" replaced by the
// arguments, so that each language orders its sentence as it needs; "%%" is
// a percent sign. A placeholder without an argument stays as it is.
std::wstring FormatText(const wchar_t* text, std::initializer_list<std::wstring_view> args);
inline std::wstring FormatText(const LocalText& text,
                               std::initializer_list<std::wstring_view> args) {
    return FormatText(text(), args);
}
