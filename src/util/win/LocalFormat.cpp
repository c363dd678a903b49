#include "util/win/LocalFormat.h"

#include "util/Numbers.h"

#include <windows.h>

namespace {
wchar_t LocaleChar(LCTYPE type, wchar_t fallback) {
    wchar_t buffer[8] = {};
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 8) > 0 && buffer[0]) return buffer[0];
    return fallback;
}
} // namespace

void SetLocalFormatFromSystem() {
    // Read once: the program does not follow later changes of the regional settings.
    SetLocalFormat(LocaleChar(LOCALE_SDECIMAL, L'.'), LocaleChar(LOCALE_STHOUSAND, L','));
}
