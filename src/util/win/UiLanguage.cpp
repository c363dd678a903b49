#include "util/win/UiLanguage.h"

#include <windows.h>

void SetUiLanguageFrom(LanguageChoice choice) {
    SetUiLanguage(ResolveLanguage(choice, ::GetUserDefaultUILanguage()));
}
