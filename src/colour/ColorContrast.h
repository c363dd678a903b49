#pragma once
// The contrast of two colours as WCAG 2.x measures it, and its verdicts for
// text: normal text needs 4.5 : 1 (AA) or 7 : 1 (AAA), large text 3 : 1 (AA)
// or 4.5 : 1 (AAA).
#include "util/Color.h"
#include "util/Language.h"

#include <string>

// 0 for black to 1 for white, from the linear sRGB channels.
double RelativeLuminance(TColor color);
// 1 to 21, from the unrounded luminances, whichever colour is lighter.
double ContrastRatio(TColor foreground, TColor background);

struct TContrastVerdicts {
    bool NormalAA = false;
    bool NormalAAA = false;
    bool LargeAA = false;
    bool LargeAAA = false;
};
TContrastVerdicts ContrastVerdicts(double ratio);

// "4,52 : 1": two decimals cut off, never rounded up, so that a ratio that
// fails a threshold never shows it (4.499 shows "4,49 : 1"); the decimal
// separator is the language's ("4.52 : 1" in English).
std::wstring ContrastRatioText(double ratio, Language language = UiLanguage());
// "bestanden" or "nicht bestanden" ("passed", "failed" in English).
std::wstring VerdictText(bool passed);
