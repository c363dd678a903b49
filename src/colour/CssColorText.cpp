#include "colour/CssColorText.h"

#include "colour/CssNamedColors.h"

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
    const double scale = Power10(decimals);
    const std::int64_t scaled = std::llround(value * scale);
    if (scaled == 0) return L"0";
    if (decimals == 0) return std::to_wstring(scaled);
    const std::int64_t magnitude = std::llabs(scaled);
    const auto whole = static_cast<std::int64_t>(magnitude / static_cast<std::int64_t>(scale));
    std::wstring fraction = std::to_wstring(magnitude % static_cast<std::int64_t>(scale));
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), L'0');
    while (!fraction.empty() && fraction.back() == L'0')
        fraction.pop_back();
    return (scaled < 0 ? L"-" : L"") + std::to_wstring(whole) +
           (fraction.empty() ? L"" : L"." + fraction);
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

std::wstring CssNameText(TColor color) {
    const TNearestCssName nearest = NearestCssName(color);
    if (nearest.Exact) return nearest.Name;
    std::wstring distance = CssNumber(nearest.DeltaE, 3);
    if (distance.find(L'.') == std::wstring::npos) distance += L".";
    distance.resize(distance.find(L'.') + 4, L'0'); // always three decimals here
    distance[distance.find(L'.')] = L',';
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
