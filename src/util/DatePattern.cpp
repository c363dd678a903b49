#include "util/DatePattern.h"

#include "util/ConvertError.h"
#include "util/LocalText.h"
#include "util/Numbers.h"
#include "util/StringUtils.h"

namespace {

constexpr std::wstring_view PatternLetters = L"YMDHNSZ";

// Why a pattern or a text cannot be read; the placeholders take the quoted
// pattern, letter, input or value.
constexpr LocalText ValueTwice{L"Format %1 enthält den Wert %2 mehrfach.",
                               L"The format %1 contains the value %2 more than once."};
constexpr LocalText InputDoesNotMatch{L"Format %1 stimmt nicht mit der Eingabe %2 überein.",
                                      L"The format %1 does not match the input %2."};
constexpr LocalText NotANumber{L"Extrahierter Wert %1 ist keine Zahl (Format: %2).",
                               L"The extracted value %1 is not a number (format: %2)."};
constexpr LocalText OptionNotClosed{L"Option in Format %1 nicht abgeschlossen.",
                                    L"An optional part of the format %1 is not closed."};

wchar_t UpperAscii(wchar_t ch) {
    return ch >= L'a' && ch <= L'z' ? ch - (L'a' - L'A') : ch;
}
bool IsDigit(wchar_t ch) {
    return ch >= L'0' && ch <= L'9';
}

// Cursors are 0-based here; the text may run out before the pattern does.
void Extract(const std::wstring& pattern, const std::wstring& text, TDateFormatValues& values) {
    std::size_t p = 0;
    std::size_t t = 0;
    while (p < pattern.size()) {
        const wchar_t c = UpperAscii(pattern[p]);
        if (PatternLetters.find(c) != std::wstring_view::npos) {
            if (values.count(c))
                throw EConvertError(
                    FormatText(ValueTwice, {Quoted(pattern), Quoted(std::wstring(1, c))}));
            std::size_t n = 1;
            while (p + n < pattern.size() && UpperAscii(pattern[p + n]) == c)
                ++n;
            std::wstring value;
            if (n == 1) {
                // Variable width: one character and every digit right behind it.
                if (t < text.size()) {
                    std::size_t end = t + 1;
                    while (end < text.size() && IsDigit(text[end]))
                        ++end;
                    value = text.substr(t, end - t);
                }
            } else {
                if (t > text.size() || text.size() - t < n)
                    throw EConvertError(
                        FormatText(InputDoesNotMatch, {Quoted(pattern), Quoted(text)}));
                value = text.substr(t, n);
            }
            for (wchar_t ch : value)
                if (!IsDigit(ch))
                    throw EConvertError(
                        FormatText(NotANumber, {Quoted(value), Quoted(std::wstring(1, c))}));
            values[c] = value;
            p += n;
            t += value.size();
        } else if (c == L'[') {
            const auto close = pattern.find(L']', p + 1);
            if (close == std::wstring::npos)
                throw EConvertError(FormatText(OptionNotClosed, {Quoted(pattern)}));
            // The section's content followed by the rest of the pattern, against the rest
            // of the text; when that fails the section is skipped.
            std::wstring rest = pattern.substr(p + 1);
            rest.erase(close - (p + 1), 1);
            TDateFormatValues optional;
            try {
                Extract(rest, t < text.size() ? text.substr(t) : std::wstring(), optional);
            } catch (const EConvertError&) {
                p = close + 1;
                continue;
            }
            values.insert(optional.begin(), optional.end()); // letters found outside win
            return;
        } else {
            ++p;
            ++t;
        }
    }
}

int ValueOf(const TDateFormatValues& values, wchar_t letter, int defaultValue) {
    const auto it = values.find(letter);
    return it == values.end() ? defaultValue : StrToIntDef(it->second, defaultValue);
}

std::wstring Padded(int value, std::size_t width) {
    std::wstring digits = std::to_wstring(value < 0 ? -value : value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), L'0');
    return value < 0 ? L"-" + digits : digits;
}

} // namespace

TDateFormatValues ExtractDateFormatValues(const std::wstring& pattern, const std::wstring& text) {
    TDateFormatValues values;
    Extract(pattern, text, values);
    return values;
}

TDateTime StrToDateFormat(const std::wstring& pattern, const std::wstring& text, int century) {
    const auto values = ExtractDateFormatValues(pattern, text);
    int year = ValueOf(values, L'Y', 0);
    const auto y = values.find(L'Y');
    if (y != values.end() && y->second.size() == 2) year += century;
    const TDateTime date =
        year <= 0 ? 0 : EncodeDate(year, ValueOf(values, L'M', 1), ValueOf(values, L'D', 1));
    const TDateTime time = EncodeTime(ValueOf(values, L'H', 0), ValueOf(values, L'N', 0),
                                      ValueOf(values, L'S', 0), ValueOf(values, L'Z', 0));
    return date + time;
}

TDateTime StrToDateFormat(const std::wstring& pattern, const std::wstring& text,
                          TDateTime defaultValue) {
    if (text.empty()) return defaultValue;
    try {
        return StrToDateFormat(pattern, text, 2000);
    } catch (...) {
        return defaultValue;
    }
}

std::wstring FormatDateTimePattern(const std::wstring& pattern, TDateTime value) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, msec);
    std::wstring out;
    for (std::size_t p = 0; p < pattern.size();) {
        const wchar_t c = UpperAscii(pattern[p]);
        if (PatternLetters.find(c) == std::wstring_view::npos) {
            out += pattern[p++];
            continue;
        }
        std::size_t n = 1;
        while (p + n < pattern.size() && UpperAscii(pattern[p + n]) == c)
            ++n;
        const std::size_t width = n == 1 ? 0 : n;
        switch (c) {
        case L'Y':
            out += Padded(n == 2 ? year % 100 : year, width);
            break;
        case L'M':
            out += Padded(month, width);
            break;
        case L'D':
            out += Padded(day, width);
            break;
        case L'H':
            out += Padded(hour, width);
            break;
        case L'N':
            out += Padded(minute, width);
            break;
        case L'S':
            out += Padded(second, width);
            break;
        default:
            out += Padded(msec, width);
            break;
        }
        p += n;
    }
    return out;
}

std::wstring DateToStr(TDateTime value) {
    std::wstring pattern = FormatSettings().ShortDateFormat;
    for (auto& ch : pattern)
        if (ch == L'/') ch = FormatSettings().DateSeparator;
    return FormatDateTimePattern(pattern, value);
}
