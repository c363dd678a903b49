#include "util/ColorText.h"

#include "util/ConvertError.h"
#include "util/LocalText.h"

#include <algorithm>
#include <optional>

namespace {

std::optional<int> HexDigitValue(wchar_t ch) {
    if (ch >= L'0' && ch <= L'9') return ch - L'0';
    if (ch >= L'A' && ch <= L'F') return ch - L'A' + 10;
    if (ch >= L'a' && ch <= L'f') return ch - L'a' + 10;
    return std::nullopt;
}

// The two characters at index 0-based 'first' as one byte.
std::optional<int> HexByteAt(const std::wstring& text, std::size_t first) {
    if (text.size() < first + 2) return std::nullopt;
    const auto high = HexDigitValue(text[first]);
    const auto low = HexDigitValue(text[first + 1]);
    if (!high || !low) return std::nullopt;
    return *high * 16 + *low;
}

struct ThreeBytes {
    int first, second, third;
};

// The three byte values of a six-digit colour text, in text order.
std::optional<ThreeBytes> ParseThreeBytes(const std::wstring& text) {
    if (text.size() < 6) return std::nullopt;
    const auto a = HexByteAt(text, 0);
    const auto b = HexByteAt(text, 2);
    const auto c = HexByteAt(text, 4);
    if (!a || !b || !c) return std::nullopt;
    return ThreeBytes{*a, *b, *c};
}

std::wstring HexByte(int value) {
    static constexpr wchar_t digits[] = L"0123456789ABCDEF";
    return {digits[(value >> 4) & 0xF], digits[value & 0xF]};
}

// %1: the two characters that should have been a hexadecimal byte.
constexpr LocalText NoHexByte{L"'$%1' ist kein gültiger Integerwert",
                              L"'$%1' is not a valid integer value"};

} // namespace

std::wstring ColorToShortHexBGR(TColor color) {
    const TColor c = GetRealColor(color);
    return HexByte(BlueOf(c)) + HexByte(GreenOf(c)) + HexByte(RedOf(c));
}

TColor ShortHexBGRToColor(const std::wstring& text, TColor defaultColor) {
    const auto bytes = ParseThreeBytes(text);
    if (!bytes) return defaultColor;
    return RGBColor(bytes->third, bytes->second, bytes->first);
}

TColor ShortHexBGRToColorEx(const std::wstring& text) {
    int values[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto value = HexByteAt(text, i * 2);
        if (!value) {
            const std::wstring pair = i * 2 < text.size() ? text.substr(i * 2, 2) : L"";
            throw EConvertError(FormatText(NoHexByte, {pair}));
        }
        values[i] = *value;
    }
    return RGBColor(values[2], values[1], values[0]);
}

std::wstring ColorToShortHexRGB(TColor color) {
    const TColor c = GetRealColor(color);
    return HexByte(RedOf(c)) + HexByte(GreenOf(c)) + HexByte(BlueOf(c));
}

TColor ShortHexRGBToColor(const std::wstring& text, TColor defaultColor) {
    const auto bytes = ParseThreeBytes(text);
    if (!bytes) return defaultColor;
    return RGBColor(bytes->first, bytes->second, bytes->third);
}

bool IsHex(const std::wstring& text, bool allowHash) {
    if (text.empty()) return false;
    return std::all_of(text.begin(), text.end(), [allowHash](wchar_t ch) {
        return HexDigitValue(ch).has_value() || (allowHash && ch == L'#');
    });
}

TColor IntToColor(int value) {
    const int clamped = std::clamp(value, 0, 0xFFFFFF);
    // Round trip through the stored text form, as every colour value takes.
    return ShortHexBGRToColor(ColorToShortHexBGR(clamped), clNone);
}

int ColorToInt(TColor color) {
    return GetRealColor(color) & 0xFFFFFF;
}

void ColorToRGBTriple(TColor color, TRGBTriple& triple) {
    const TColor c = GetRealColor(color);
    triple.rgbtRed = static_cast<std::uint8_t>(RedOf(c));
    triple.rgbtGreen = static_cast<std::uint8_t>(GreenOf(c));
    triple.rgbtBlue = static_cast<std::uint8_t>(BlueOf(c));
}

TColor RGBTripleToColor(const TRGBTriple& triple) {
    return RGBColor(triple.rgbtRed, triple.rgbtGreen, triple.rgbtBlue);
}

TColor EnabledColor(bool enabled) {
    return enabled ? clWindow : clBtnFace;
}
