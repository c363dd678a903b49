#include "colour/CssColorText.h"

#include "colour/CssNamedColors.h"
#include "util/Numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

struct TNotationForm {
    const wchar_t* Function;
    std::array<int, 3> Decimals;
    std::array<bool, 3> Percent;
};

const TNotationForm& FormOf(TCssNotation notation) {
    static const std::array<TNotationForm, CssNotationCount> forms{{
        {L"#", {0, 0, 0}, {false, false, false}},
        {L"rgb", {0, 0, 0}, {false, false, false}},
        {L"hsl", {1, 1, 1}, {false, true, true}},
        {L"hwb", {1, 1, 1}, {false, true, true}},
        {L"lab", {1, 1, 1}, {false, false, false}},
        {L"lch", {1, 1, 1}, {false, false, false}},
        {L"oklab", {3, 3, 3}, {false, false, false}},
        {L"oklch", {3, 3, 1}, {false, false, false}},
    }};
    return forms[static_cast<std::size_t>(notation)];
}

TTriple ExactValues(TColor color, TCssNotation notation) {
    switch (notation) {
    case TCssNotation::Hex:
    case TCssNotation::Rgb: {
        const TColor c = GetRealColor(color);
        return {double(RedOf(c)), double(GreenOf(c)), double(BlueOf(c))};
    }
    case TCssNotation::Hsl:
        return HslOf(color);
    case TCssNotation::Hwb:
        return HwbOf(color);
    case TCssNotation::Lab:
        return LabOf(color);
    case TCssNotation::Lch:
        return LchOf(color);
    case TCssNotation::Oklab:
        return OklabOf(color);
    case TCssNotation::Oklch:
        return OklchOf(color);
    }
    return {};
}

double Power10(int decimals) {
    return decimals == 0 ? 1 : decimals == 1 ? 10 : decimals == 2 ? 100 : 1000;
}

std::wstring HexText(TColor color, bool upper) {
    const wchar_t* digits = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    const TColor c = GetRealColor(color);
    std::wstring text = L"#";
    for (int channel : {RedOf(c), GreenOf(c), BlueOf(c)}) {
        text += digits[channel >> 4];
        text += digits[channel & 0xF];
    }
    return text;
}

} // namespace

std::wstring CssNumber(double value, int decimals) {
    const std::int64_t scaled = std::llround(value * Power10(decimals));
    if (scaled == 0) return L"0";
    std::wstring text = DecimalText(scaled, decimals, L'.');
    if (decimals > 0) {
        while (text.back() == L'0')
            text.pop_back();
        if (text.back() == L'.') text.pop_back();
    }
    return text;
}

TTriple ShownCssValues(TColor color, TCssNotation notation) {
    const TTriple exact = ExactValues(color, notation);
    const TNotationForm& form = FormOf(notation);
    TTriple shown{};
    for (std::size_t i = 0; i < 3; ++i) {
        const double scale = Power10(form.Decimals[i]);
        shown[i] = double(std::llround(exact[i] * scale)) / scale;
    }
    return shown;
}

std::wstring CssNotationText(TColor color, TCssNotation notation, bool upperHex) {
    if (notation == TCssNotation::Hex) return HexText(color, upperHex);
    const TNotationForm& form = FormOf(notation);
    const TTriple exact = ExactValues(color, notation);
    std::wstring text = std::wstring(form.Function) + L"(";
    for (std::size_t i = 0; i < 3; ++i) {
        if (i > 0) text += L' ';
        text += CssNumber(exact[i], form.Decimals[i]);
        if (form.Percent[i]) text += L'%';
    }
    return text + L")";
}

std::wstring CssNameText(TColor color, Language language) {
    const TNearestCssName nearest = NearestCssName(color);
    if (nearest.Exact) return nearest.Name;
    // Always three decimals here, unlike a CSS number.
    const std::wstring distance =
        DecimalText(std::llround(nearest.DeltaE * Power10(3)), 3, ShownDecimalSeparator(language));
    return std::wstring(nearest.Name) + L" (\u0394E " + distance + L")";
}

TCssTexts CssTextsOf(TColor color, bool upperHex) {
    TCssTexts texts;
    for (int i = 0; i < CssNotationCount; ++i)
        texts.Notations[static_cast<std::size_t>(i)] =
            CssNotationText(color, static_cast<TCssNotation>(i), upperHex);
    texts.Name = CssNameText(color);
    return texts;
}
