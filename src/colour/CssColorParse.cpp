#include "colour/CssColorParse.h"

#include "colour/ColorTexts.h"
#include "colour/CssNamedColors.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

bool IsBlank(wchar_t ch) {
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n' || ch == L'\f';
}

std::wstring Trimmed(const std::wstring& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::vector<std::wstring> SplitBlanks(const std::wstring& text) {
    std::vector<std::wstring> words;
    std::wstring word;
    for (wchar_t ch : text + L" ") {
        if (!IsBlank(ch)) {
            word += ch;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

std::vector<std::wstring> SplitAt(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts{L""};
    for (wchar_t ch : text) {
        if (ch == separator)
            parts.emplace_back();
        else
            parts.back() += ch;
    }
    return parts;
}

std::optional<int> HexValue(wchar_t ch) {
    if (ch >= L'0' && ch <= L'9') return ch - L'0';
    if (ch >= L'a' && ch <= L'f') return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F') return ch - L'A' + 10;
    return std::nullopt;
}

namespace Css = ColorText::Css;

TCssReading Unreadable(const std::wstring& text, const std::wstring& detail) {
    return {std::nullopt, FormatText(Css::Unreadable, {Quoted(text), detail})};
}

// One value inside a colour function.
struct TToken {
    enum class TKind { Number, Percent, Angle, None, NoNumber, OtherUnit, TooLarge } Kind;
    double Value = 0; // an angle in degrees
};

// A CSS number: sign, digits with at most one decimal point, an exponent.
// Read by hand, so no locale's decimal comma can take part.
std::optional<std::pair<double, std::size_t>> NumberAt(const std::wstring& text) {
    std::size_t i = 0;
    double sign = 1;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) sign = text[i++] == L'-' ? -1 : 1;
    long double mantissa = 0;
    int digits = 0, scale = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i, ++digits)
        mantissa = mantissa * 10 + (text[i] - L'0');
    if (i < text.size() && text[i] == L'.') {
        ++i;
        for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i, ++digits, --scale)
            mantissa = mantissa * 10 + (text[i] - L'0');
    }
    if (digits == 0) return std::nullopt;
    if (i + 1 < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        std::size_t j = i + 1;
        int expSign = 1, exponent = 0;
        if (text[j] == L'+' || text[j] == L'-') expSign = text[j++] == L'-' ? -1 : 1;
        if (j < text.size() && text[j] >= L'0' && text[j] <= L'9') {
            for (; j < text.size() && text[j] >= L'0' && text[j] <= L'9'; ++j)
                exponent = std::min(exponent * 10 + (text[j] - L'0'), 400);
            scale += expSign * exponent;
            i = j;
        }
    }
    const double value = static_cast<double>(mantissa * std::pow(10.0L, scale));
    return std::pair{sign * value, i};
}

TToken ReadToken(const std::wstring& word) {
    using enum TToken::TKind;
    const std::wstring lower = LowerCaseText(word);
    if (lower == L"none") return {None};
    const auto number = NumberAt(lower);
    if (!number) return {NoNumber};
    const auto [value, end] = *number;
    // No colour space reaches that far; beyond it the maths would overflow.
    if (!(std::abs(value) <= 1e6)) return {TooLarge};
    const std::wstring unit = lower.substr(end);
    if (unit.empty()) return {Number, value};
    if (unit == L"%") return {Percent, value};
    if (unit == L"deg") return {Angle, value};
    if (unit == L"grad") return {Angle, value * 0.9};
    if (unit == L"rad") return {Angle, value * 180 / std::numbers::pi};
    if (unit == L"turn") return {Angle, value * 360};
    return {OtherUnit};
}

// How each of a function's three values is read.
enum class TSlot { Channel, Hue, Percent, LabL, LabAB, LchC, OklabL, OklabAB, OklchC };

struct TFunction {
    const wchar_t* Name;
    TCssNotation Notation;
    std::array<TSlot, 3> Slots;
    bool Legacy; // may separate its values with commas
};

const TFunction* FunctionNamed(const std::wstring& lower) {
    using enum TSlot;
    static const TFunction functions[] = {
        {L"rgb", TCssNotation::Rgb, {Channel, Channel, Channel}, true},
        {L"rgba", TCssNotation::Rgb, {Channel, Channel, Channel}, true},
        {L"hsl", TCssNotation::Hsl, {Hue, Percent, Percent}, true},
        {L"hsla", TCssNotation::Hsl, {Hue, Percent, Percent}, true},
        {L"hwb", TCssNotation::Hwb, {Hue, Percent, Percent}, false},
        {L"lab", TCssNotation::Lab, {LabL, LabAB, LabAB}, false},
        {L"lch", TCssNotation::Lch, {LabL, LchC, Hue}, false},
        {L"oklab", TCssNotation::Oklab, {OklabL, OklabAB, OklabAB}, false},
        {L"oklch", TCssNotation::Oklch, {OklabL, OklchC, Hue}, false},
    };
    for (const TFunction& f : functions)
        if (lower == f.Name) return &f;
    return nullptr;
}

// A token's value in the slot's unit, or what is wrong with it: a detail
// for Unreadable with the recognized text, the value's place and the value.
struct TSlotValue {
    double Value = 0;
    const LocalText* Problem = nullptr; // none when read
};

TSlotValue SlotValue(TSlot slot, const TToken& token) {
    using enum TToken::TKind;
    if (token.Kind == NoNumber) return {0, &Css::NotANumber};
    if (token.Kind == OtherUnit) return {0, &Css::UnitNotAllowed};
    if (token.Kind == TooLarge) return {0, &Css::TooLarge};
    if (token.Kind == None) return {0}; // "none": a missing value counts as zero
    const double v = token.Value;
    const bool percent = token.Kind == Percent;
    if (slot == TSlot::Hue) {
        if (percent) return {0, &Css::NotAHue};
        return {std::fmod(std::fmod(v, 360) + 360, 360)};
    }
    if (token.Kind == Angle) return {0, &Css::AngleNotAllowed};
    switch (slot) {
    case TSlot::Channel:
        return {std::clamp(percent ? v * 2.55 : v, 0.0, 255.0)};
    case TSlot::Percent:
        return {std::clamp(v, 0.0, 100.0)};
    case TSlot::LabL:
        return {std::clamp(v, 0.0, 100.0)};
    case TSlot::LabAB:
        return {percent ? v * 1.25 : v};
    case TSlot::LchC:
        return {std::max(percent ? v * 1.5 : v, 0.0)};
    case TSlot::OklabL:
        return {std::clamp(percent ? v / 100 : v, 0.0, 1.0)};
    case TSlot::OklabAB:
        return {percent ? v * 0.004 : v};
    case TSlot::OklchC:
        return {std::max(percent ? v * 0.004 : v, 0.0)};
    case TSlot::Hue:
        break;
    }
    return {v};
}

TCssReading ReadHex(const std::wstring& text, const std::wstring& digits) {
    for (wchar_t ch : digits)
        if (!HexValue(ch))
            return Unreadable(text, FormatText(Css::NoHexDigit, {Quoted(std::wstring(1, ch))}));
    const std::size_t n = digits.size();
    if (n != 3 && n != 4 && n != 6 && n != 8)
        return Unreadable(text, FormatText(Css::HexDigitCount, {std::to_wstring(n)}));
    std::array<int, 4> channels{0, 0, 0, 255};
    const bool shortForm = n <= 4;
    for (std::size_t i = 0; i < (n == 3 || n == 6 ? 3u : 4u); ++i) {
        channels[i] = shortForm ? *HexValue(digits[i]) * 17
                                : *HexValue(digits[2 * i]) * 16 + *HexValue(digits[2 * i + 1]);
    }
    return {TCssColorValue{TCssNotation::Hex,
                           {double(channels[0]), double(channels[1]), double(channels[2])},
                           channels[3] / 255.0},
            L""};
}

TCssReading ReadFunction(const std::wstring& text, const TFunction& f, const std::wstring& name,
                         const std::wstring& inside) {
    const std::wstring seen = Quoted(name + L"(");
    // Why the text is no colour although its function was recognized; the
    // detail's %1 is what was recognized, %2 and %3 what it names.
    const auto refused = [&](const LocalText& detail, std::wstring_view second = {},
                             std::wstring_view third = {}) {
        return Unreadable(text, FormatText(detail, {seen, second, third}));
    };
    std::vector<std::wstring> words;
    std::wstring alphaWord;
    const bool commas = inside.find(L',') != std::wstring::npos;
    if (commas) {
        if (!f.Legacy) return refused(Css::NoCommas, f.Name);
        for (const std::wstring& part : SplitAt(inside, L',')) {
            const auto partWords = SplitBlanks(part);
            if (partWords.size() != 1) return refused(Css::NotOneValueBetweenCommas);
            if (LowerCaseText(partWords[0]) == L"none") return refused(Css::NoneOnlyWithSpaces);
            words.push_back(partWords[0]);
        }
        if (words.size() == 4) {
            alphaWord = words.back();
            words.pop_back();
        }
    } else {
        const auto parts = SplitAt(inside, L'/');
        if (parts.size() > 2) return refused(Css::MoreThanOneSlash);
        words = SplitBlanks(parts[0]);
        if (parts.size() == 2) {
            const auto alpha = SplitBlanks(parts[1]);
            if (alpha.size() != 1) return refused(Css::NotOneOpacity);
            alphaWord = alpha[0];
        }
    }
    if (words.size() != 3)
        return refused(words.size() == 1 ? Css::OneValueRead : Css::ValuesRead,
                       std::to_wstring(words.size()));
    TCssColorValue value{f.Notation, {}, 1};
    for (std::size_t i = 0; i < 3; ++i) {
        const TSlotValue slot = SlotValue(f.Slots[i], ReadToken(words[i]));
        if (slot.Problem) return refused(*slot.Problem, Css::Ordinals[i](), Quoted(words[i]));
        value.Values[i] = slot.Value;
    }
    if (!alphaWord.empty()) {
        const TToken alpha = ReadToken(alphaWord);
        using enum TToken::TKind;
        if (alpha.Kind != Number && alpha.Kind != Percent && alpha.Kind != None)
            return refused(Css::OpacityNotANumber, Quoted(alphaWord));
        const double opacity = alpha.Kind == Percent ? alpha.Value / 100 : alpha.Value;
        value.Alpha = alpha.Kind == None ? 0 : std::clamp(opacity, 0.0, 1.0);
    }
    return {value, L""};
}

} // namespace

TCssReading ReadCssColor(const std::wstring& input) {
    const std::wstring text = Trimmed(input);
    if (text.empty()) return {std::nullopt, Css::Empty()};
    if (text[0] == L'#') return ReadHex(text, text.substr(1));
    const std::size_t open = text.find(L'(');
    if (open == std::wstring::npos) {
        const std::wstring lower = LowerCaseText(text);
        if (lower == L"transparent") return {std::nullopt, Css::Transparent()};
        if (const auto named = CssColorByName(text))
            return {TCssColorValue{
                        TCssNotation::Rgb,
                        {double(RedOf(*named)), double(GreenOf(*named)), double(BlueOf(*named))},
                        1},
                    L""};
        return Unreadable(text, FormatText(Css::NoNameOrNotation, {Quoted(text)}));
    }
    const std::wstring name = Trimmed(text.substr(0, open));
    const TFunction* function = FunctionNamed(LowerCaseText(name));
    if (!function)
        return Unreadable(text, FormatText(Css::UnknownFunction, {Quoted(name + L"()")}));
    const std::size_t close = text.find(L')', open);
    if (close == std::wstring::npos)
        return Unreadable(text, FormatText(Css::NoClosingParenthesis, {Quoted(name + L"(")}));
    if (close + 1 != text.size())
        return Unreadable(text, FormatText(Css::TextAfter, {Quoted(text.substr(0, close + 1)),
                                                            Quoted(text.substr(close + 1))}));
    return ReadFunction(text, *function, name, text.substr(open + 1, close - open - 1));
}

namespace {

TTriple SrgbOfValue(const TCssColorValue& value) {
    const TTriple& v = value.Values;
    switch (value.Notation) {
    case TCssNotation::Hex:
    case TCssNotation::Rgb:
        return {v[0] / 255, v[1] / 255, v[2] / 255};
    case TCssNotation::Hsl:
        return SrgbFromHsl(v);
    case TCssNotation::Hwb:
        return SrgbFromHwb(v);
    case TCssNotation::Lab:
        return SrgbFromLab(v);
    case TCssNotation::Lch:
        return SrgbFromLab(RectFromPolar(v));
    case TCssNotation::Oklab:
        return SrgbFromOklab(v);
    case TCssNotation::Oklch:
        return SrgbFromOklab(RectFromPolar(v));
    }
    return {};
}

// The value in OKLCh, where the gamut mapping works. Only Lab, LCh, Oklab
// and OKLCh reach beyond sRGB; the others are clamped when read.
TTriple OklchOfValue(const TCssColorValue& value) {
    const TTriple& v = value.Values;
    switch (value.Notation) {
    case TCssNotation::Lab:
    case TCssNotation::Lch: {
        const TTriple lab = value.Notation == TCssNotation::Lab ? v : RectFromPolar(v);
        return PolarFromRect(OklabFromXyzD65(XyzD65FromD50(XyzD50FromLab(lab))));
    }
    case TCssNotation::Oklab:
        return PolarFromRect(v);
    case TCssNotation::Oklch:
        return v;
    default:
        return PolarFromRect(OklabFromXyzD65(XyzD65FromLinear(LinearFromSrgb(SrgbOfValue(value)))));
    }
}

bool ShowsExactly(TColor color, const TCssColorValue& value) {
    const TTriple shown = ShownCssValues(color, value.Notation);
    for (std::size_t i = 0; i < 3; ++i)
        if (std::abs(shown[i] - value.Values[i]) > 1e-9 * std::max(1.0, std::abs(shown[i])))
            return false;
    return true;
}

} // namespace

TCssTaken TakeCssColor(const TCssColorValue& value, std::span<const TColor> preferred) {
    const bool alphaIgnored = value.Alpha < 1;
    for (TColor color : preferred)
        if (ShowsExactly(color, value))
            return {GetRealColor(color) & 0xFFFFFF, false, alphaIgnored};
    const TTriple srgb = SrgbOfValue(value);
    if (InSrgbGamut(srgb)) return {ColorOfSrgb(srgb), false, alphaIgnored};
    return {ColorOfSrgb(GamutMapOklchToSrgb(OklchOfValue(value))), true, alphaIgnored};
}

std::wstring CssTakenNote(const TCssTaken& taken) {
    std::wstring note;
    if (taken.Mapped) note = Css::Mapped();
    if (taken.AlphaIgnored) note += std::wstring(note.empty() ? L"" : L" ") + Css::OpacityIgnored();
    return note;
}
