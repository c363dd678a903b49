#pragma once
// Switches the program's language for one test and back to German, the
// language every other test expects, however the test ends.
#include "util/Language.h"

class UiLanguageScope {
  public:
    explicit UiLanguageScope(Language language) { SetUiLanguage(language); }
    ~UiLanguageScope() { SetUiLanguage(Language::German); }
    UiLanguageScope(const UiLanguageScope&) = delete;
    UiLanguageScope& operator=(const UiLanguageScope&) = delete;
};
