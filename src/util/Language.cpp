#include "util/Language.h"

#include <atomic>

namespace {
std::atomic<Language> g_language{Language::German};
constexpr std::uint16_t kPrimaryLanguageMask = 0x3FF;
constexpr std::uint16_t kGermanPrimary = 0x07;
} // namespace

LanguageChoice ParseLanguageChoice(std::wstring_view stored) {
    if (stored == L"de") return LanguageChoice::German;
    if (stored == L"en") return LanguageChoice::English;
    return LanguageChoice::Automatic;
}

std::wstring StoredLanguageChoice(LanguageChoice choice) {
    switch (choice) {
    case LanguageChoice::German:
        return L"de";
    case LanguageChoice::English:
        return L"en";
    case LanguageChoice::Automatic:
        break;
    }
    return L"";
}

Language ResolveLanguage(LanguageChoice choice, std::uint16_t systemUiLanguageId) {
    switch (choice) {
    case LanguageChoice::German:
        return Language::German;
    case LanguageChoice::English:
        return Language::English;
    case LanguageChoice::Automatic:
        break;
    }
    return (systemUiLanguageId & kPrimaryLanguageMask) == kGermanPrimary ? Language::German
                                                                         : Language::English;
}

Language UiLanguage() {
    return g_language.load(std::memory_order_relaxed);
}

void SetUiLanguage(Language language) {
    g_language.store(language, std::memory_order_relaxed);
}
