#pragma once
// The language of the user interface from the user's choice, or from the
// system's user interface language where the choice is automatic.
#include "util/Language.h"

void SetUiLanguageFrom(LanguageChoice choice);
