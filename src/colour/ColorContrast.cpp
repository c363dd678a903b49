#include "colour/ColorContrast.h"

#include "colour/ColorTexts.h"
#include "colour/CssColorSpaces.h"
#include "util/Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
// A ratio computed a hair below an exact threshold (21 of black on white
// comes out as 20.999…) still reaches it.
double Settled(double ratio) {
    return ratio * (1 + 1e-12);
}
} // namespace

// WCAG 2.x writes the sRGB curve's threshold as 0.03928 where sRGB says
// 0.04045: no 8-bit channel lies between them, so the curve is the same.
double RelativeLuminance(TColor color) {
    const TTriple linear = LinearFromSrgb(SrgbOf(color));
    return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2];
}

double ContrastRatio(TColor foreground, TColor background) {
    const double a = RelativeLuminance(foreground), b = RelativeLuminance(background);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

TContrastVerdicts ContrastVerdicts(double ratio) {
    const double r = Settled(ratio);
    return {r >= 4.5, r >= 7, r >= 3, r >= 4.5};
}

std::wstring ContrastRatioText(double ratio, Language language) {
    const auto hundredths = static_cast<std::int64_t>(std::floor(Settled(ratio) * 100));
    return DecimalText(hundredths, 2, ShownDecimalSeparator(language)) + L" : 1";
}

std::wstring VerdictText(bool passed) {
    return passed ? ColorText::Passed() : ColorText::Failed();
}
