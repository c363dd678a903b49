#include "util/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>
#include <vector>

std::int64_t MVRound(long double x) {
    // -2^63 and 2^63 are exact in every floating type; converting anything
    // outside them (or NaN) to an integer is undefined.
    constexpr long double lowest = -9223372036854775808.0L;
    if (std::isnan(x)) return 0;
    const long double rounded = x > 0 ? std::trunc(x + 0.5L) : std::trunc(x - 0.5L);
    if (rounded >= -lowest) return std::numeric_limits<std::int64_t>::max();
    if (rounded <= lowest) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(rounded);
}

TFormatSettings& FormatSettings() {
    static TFormatSettings settings;
    return settings;
}

void SetLocalFormat(wchar_t decimalSeparator, wchar_t thousandSeparator) {
    auto& fs = FormatSettings();
    fs.DateSeparator = L'.';
    fs.ShortDateFormat = L"DD/MM/YYYY";
    fs.DecimalSeparator = decimalSeparator;
    fs.ThousandSeparator = thousandSeparator;
    if (fs.DecimalSeparator == fs.ThousandSeparator) {
        fs.ThousandSeparator = L'.';
        fs.DecimalSeparator = L',';
    }
}

// ---------------------------------------------------------------- integers

namespace {

int DigitValue(wchar_t ch, int base) {
    int v = -1;
    if (ch >= L'0' && ch <= L'9')
        v = ch - L'0';
    else if (ch >= L'A' && ch <= L'F')
        v = ch - L'A' + 10;
    else if (ch >= L'a' && ch <= L'f')
        v = ch - L'a' + 10;
    return v < base ? v : -1;
}

} // namespace

bool TryStrToInt(const std::wstring& text, std::int32_t& value) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == L' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    int base = 10;
    if (i < n && text[i] == L'$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    if (i == n) return false;
    // Decimal must fit the signed range; hexadecimal may fill all 32 bits.
    const std::uint64_t limit =
        base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t acc = 0;
    for (; i < n; ++i) {
        const int d = DigitValue(text[i], base);
        if (d < 0) return false;
        acc = acc * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (acc > limit) return false;
    }
    auto bits = static_cast<std::uint32_t>(acc);
    if (negative) bits = 0u - bits;
    value = static_cast<std::int32_t>(bits);
    return true;
}

std::int32_t StrToIntDef(const std::wstring& text, std::int32_t defaultValue) {
    std::int32_t v = 0;
    return TryStrToInt(text, v) ? v : defaultValue;
}

bool IsInt(const std::wstring& text, bool allowGrouping) {
    if (text.find(L' ') != std::wstring::npos) return false;
    std::wstring probe;
    if (allowGrouping) {
        const wchar_t grouping = FormatSettings().ThousandSeparator;
        for (wchar_t ch : text)
            if (ch != grouping) probe += ch;
    } else {
        probe = text;
    }
    std::int32_t ignored = 0;
    return TryStrToInt(probe, ignored);
}

// ---------------------------------------------------------------- floats

bool TryStrToFloat(const std::wstring& text, double& value) {
    const wchar_t decimal = FormatSettings().DecimalSeparator;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && text[i] == L' ')
        ++i;

    std::string ascii; // the number rebuilt in the form from_chars reads
    if (i < n && (text[i] == L'+' || text[i] == L'-')) {
        if (text[i] == L'-') ascii += '-';
        ++i;
    }
    // Order of magnitude of the first significant digit, to tell an underflow
    // (which reads as zero) from an overflow (which fails).
    long long magnitude = 0;
    bool significant = false;
    std::size_t digits = 0;
    for (; i < n && text[i] >= L'0' && text[i] <= L'9'; ++i, ++digits) {
        ascii += static_cast<char>(text[i]);
        if (text[i] != L'0') significant = true;
        if (significant) ++magnitude;
    }
    if (i < n && text[i] == decimal) {
        ascii += '.';
        for (++i; i < n && text[i] >= L'0' && text[i] <= L'9'; ++i, ++digits) {
            ascii += static_cast<char>(text[i]);
            if (!significant && text[i] == L'0') --magnitude;
            if (text[i] != L'0') significant = true;
        }
    }
    if (digits == 0) return false;
    if (i < n && (text[i] == L'E' || text[i] == L'e')) {
        ascii += 'e';
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == L'+' || text[i] == L'-')) {
            negativeExponent = text[i] == L'-';
            ascii += static_cast<char>(text[i++]);
        }
        long long exponent = 0;
        std::size_t exponentDigits = 0;
        for (; i < n && text[i] >= L'0' && text[i] <= L'9'; ++i, ++exponentDigits) {
            ascii += static_cast<char>(text[i]);
            if (exponent < 1'000'000) exponent = exponent * 10 + (text[i] - L'0');
        }
        if (exponentDigits == 0) return false;
        magnitude += negativeExponent ? -exponent : exponent;
    }
    while (i < n && text[i] == L' ')
        ++i;
    if (i != n) return false;

    double parsed = 0;
    const char* first = ascii.data();
    const char* last = ascii.data() + ascii.size();
    const auto [ptr, ec] = std::from_chars(first, last, parsed);
    if (ec == std::errc::result_out_of_range) {
        if (magnitude > 0) return false;
        parsed = ascii[0] == '-' ? -0.0 : 0.0;
    } else if (ec != std::errc() || ptr != last) {
        return false;
    }
    value = parsed;
    return true;
}

namespace {

bool IsTrimmed(const std::wstring& text) {
    return text.empty() || (text.front() > L' ' && text.back() > L' ');
}

} // namespace

bool IsFloat(const std::wstring& text) {
    if (!IsTrimmed(text)) return false;
    double ignored = 0;
    return TryStrToFloat(text, ignored);
}

bool IsFloatNE(const std::wstring& text, double lower, double upper) {
    double v = 0;
    if (!IsTrimmed(text) || !TryStrToFloat(text, v)) return false;
    return lower < v && v < upper;
}

double StrToFloatDef(const std::wstring& text, wchar_t groupingChar, wchar_t decimalChar,
                     double defaultValue) {
    const wchar_t decimal = FormatSettings().DecimalSeparator;
    std::wstring probe;
    probe.reserve(text.size());
    for (wchar_t ch : text) {
        if (ch == decimalChar)
            probe += decimal;
        else if (ch != groupingChar)
            probe += ch;
    }
    double v = 0;
    return TryStrToFloat(probe, v) ? v : defaultValue;
}

// ---------------------------------------------------------------- FormatFloat

namespace {

// A number as decimal digits: integer part without leading zeros, fraction digits.
struct DecimalDigits {
    std::string Int;
    std::string Frac;
    bool IsZero() const {
        return Int.find_first_not_of('0') == std::string::npos &&
               Frac.find_first_not_of('0') == std::string::npos;
    }
};

// The value's 18 significant digits, rounded half away from zero to 'decimals'
// fraction digits. Rounding the decimal digits (not the binary value) is what
// makes 0.125 at two decimals give 0.13.
DecimalDigits ToDecimalDigits(double magnitude, std::size_t decimals) {
    DecimalDigits d;
    if (magnitude != 0) {
        char buf[64];
        const auto res =
            std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 17);
        const std::string sci(buf, res.ptr);
        const auto ePos = sci.find('e');
        std::string mantissa = sci.substr(0, ePos);
        mantissa.erase(1, 1); // drop the '.'
        const int exponent = std::stoi(sci.substr(ePos + 1));
        if (exponent >= 0) {
            const auto intLen = static_cast<std::size_t>(exponent) + 1;
            if (mantissa.size() < intLen) mantissa.append(intLen - mantissa.size(), '0');
            d.Int = mantissa.substr(0, intLen);
            d.Frac = mantissa.substr(intLen);
        } else {
            d.Frac = std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
        }
    }
    if (d.Frac.size() > decimals) {
        const bool roundUp = d.Frac[decimals] >= '5';
        d.Frac.resize(decimals);
        if (roundUp) {
            std::string all = d.Int + d.Frac;
            std::size_t k = all.size();
            while (k > 0 && all[k - 1] == '9')
                all[--k] = '0';
            if (k == 0)
                all.insert(all.begin(), '1');
            else
                ++all[k - 1];
            d.Int = all.substr(0, all.size() - d.Frac.size());
            d.Frac = all.substr(all.size() - d.Frac.size());
        }
    }
    const auto firstNonZero = d.Int.find_first_not_of('0');
    d.Int = firstNonZero == std::string::npos ? std::string() : d.Int.substr(firstNonZero);
    return d;
}

struct PatternToken {
    enum Kind { Digit, Point, Literal } Type;
    bool Zero = false; // "0" (forced digit) rather than "#"
    std::wstring Text; // literal text
};

struct PatternSection {
    std::vector<PatternToken> Tokens;
    bool Grouping = false;
    std::size_t IntPlaceholders = 0;
    std::size_t IntMinimum = 0; // integer digits always shown
    std::size_t FracMaximum = 0;
    std::size_t FracMinimum = 0;
    bool HasPlaceholders() const { return IntPlaceholders + FracMaximum > 0; }
};

std::vector<std::wstring> SplitSections(const std::wstring& pattern) {
    std::vector<std::wstring> sections(1);
    wchar_t quote = 0;
    for (wchar_t ch : pattern) {
        if (quote) {
            if (ch == quote) quote = 0;
        } else if (ch == L'\'' || ch == L'"') {
            quote = ch;
        } else if (ch == L';') {
            sections.emplace_back();
            continue;
        }
        sections.back() += ch;
    }
    return sections;
}

PatternSection AnalyseSection(const std::wstring& text) {
    PatternSection s;
    bool afterPoint = false;
    std::size_t firstIntZero = std::wstring::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t ch = text[i];
        if (ch == L'\'' || ch == L'"') {
            const auto end = text.find(ch, i + 1);
            const auto stop = end == std::wstring::npos ? text.size() : end;
            s.Tokens.push_back({PatternToken::Literal, false, text.substr(i + 1, stop - i - 1)});
            i = stop;
        } else if (ch == L'0' || ch == L'#') {
            s.Tokens.push_back({PatternToken::Digit, ch == L'0', {}});
            if (afterPoint) {
                ++s.FracMaximum;
                if (ch == L'0') s.FracMinimum = s.FracMaximum;
            } else {
                if (ch == L'0' && firstIntZero == std::wstring::npos)
                    firstIntZero = s.IntPlaceholders;
                ++s.IntPlaceholders;
            }
        } else if (ch == L'.') {
            if (!afterPoint) s.Tokens.push_back({PatternToken::Point, false, {}});
            afterPoint = true; // later points are ignored
        } else if (ch == L',') {
            s.Grouping = true;
        } else {
            s.Tokens.push_back({PatternToken::Literal, false, std::wstring(1, ch)});
        }
    }
    if (firstIntZero != std::wstring::npos) s.IntMinimum = s.IntPlaceholders - firstIntZero;
    return s;
}

std::wstring RenderSection(const PatternSection& s, const DecimalDigits& d, bool minus) {
    const auto& fs = FormatSettings();
    std::string frac = d.Frac;
    while (frac.size() > s.FracMinimum && frac.back() == '0')
        frac.pop_back();

    std::wstring out;
    if (minus) out += L'-';
    const std::size_t intLen = d.Int.size();
    // One integer digit of the given power (10^power), with a grouping separator behind it.
    auto emitDigit = [&](std::size_t power, char digit) {
        out += static_cast<wchar_t>(digit);
        if (s.Grouping && power > 0 && power % 3 == 0) out += fs.ThousandSeparator;
    };
    auto emitIntDigitsFrom = [&](std::size_t lowestPower) {
        for (std::size_t p = intLen; p-- > lowestPower;)
            emitDigit(p, d.Int[intLen - 1 - p]);
    };

    std::size_t intIndex = 0;
    std::size_t fracIndex = 0;
    bool seenPoint = false;
    for (const auto& t : s.Tokens) {
        switch (t.Type) {
        case PatternToken::Literal:
            out += t.Text;
            break;
        case PatternToken::Point:
            if (s.IntPlaceholders == 0) emitIntDigitsFrom(0);
            if (!frac.empty()) out += fs.DecimalSeparator;
            seenPoint = true;
            break;
        case PatternToken::Digit:
            if (seenPoint) {
                if (fracIndex < frac.size()) out += static_cast<wchar_t>(frac[fracIndex]);
                ++fracIndex;
                break;
            }
            {
                const std::size_t power = s.IntPlaceholders - 1 - intIndex;
                // The leftmost placeholder takes every digit the pattern has no room for.
                if (intIndex == 0) emitIntDigitsFrom(power + 1);
                if (power < intLen)
                    emitDigit(power, d.Int[intLen - 1 - power]);
                else if (power < s.IntMinimum)
                    emitDigit(power, '0');
                ++intIndex;
            }
            break;
        }
    }
    return out;
}

std::wstring GeneralFormat(double value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::wstring out;
    for (const char* p = buf; p != res.ptr; ++p)
        out += *p == '.' ? FormatSettings().DecimalSeparator : static_cast<wchar_t>(*p);
    return out;
}

} // namespace

std::wstring FormatFloat(const std::wstring& pattern, double value) {
    if (std::isnan(value)) return L"NAN";
    if (std::isinf(value)) return value < 0 ? L"-INF" : L"INF";
    if (pattern.empty()) return GeneralFormat(value);

    const auto sections = SplitSections(pattern);
    auto sectionText = [&](std::size_t index) -> const std::wstring& {
        return index < sections.size() && !sections[index].empty() ? sections[index] : sections[0];
    };
    const bool negative = value < 0;
    const bool ownNegativeSection = negative && sections.size() >= 2 && !sections[1].empty();
    PatternSection section = AnalyseSection(sectionText(ownNegativeSection ? 1 : 0));
    DecimalDigits digits = ToDecimalDigits(std::fabs(value), section.FracMaximum);

    if (digits.IsZero() && sections.size() >= 3 && !sections[2].empty()) {
        section = AnalyseSection(sections[2]);
        digits = ToDecimalDigits(0, section.FracMaximum);
        return RenderSection(section, digits, false);
    }
    if (!section.HasPlaceholders()) return RenderSection(section, {}, false);
    // A value that rounds to zero shows no sign.
    const bool minus = negative && !ownNegativeSection && !digits.IsZero();
    return RenderSection(section, digits, minus);
}

namespace {

// Puts the process-wide separators back however the formatting ends.
class SeparatorGuard {
  public:
    SeparatorGuard(wchar_t grouping, wchar_t decimal)
        : savedGrouping_(FormatSettings().ThousandSeparator),
          savedDecimal_(FormatSettings().DecimalSeparator) {
        FormatSettings().ThousandSeparator = grouping;
        FormatSettings().DecimalSeparator = decimal;
    }
    ~SeparatorGuard() {
        FormatSettings().ThousandSeparator = savedGrouping_;
        FormatSettings().DecimalSeparator = savedDecimal_;
    }
    SeparatorGuard(const SeparatorGuard&) = delete;
    SeparatorGuard& operator=(const SeparatorGuard&) = delete;

  private:
    wchar_t savedGrouping_;
    wchar_t savedDecimal_;
};

} // namespace

std::wstring FormatFloatMV(const std::wstring& format, wchar_t groupingChar, wchar_t decimalChar,
                           double value) {
    SeparatorGuard guard(groupingChar, decimalChar);
    return FormatFloat(format, value);
}

namespace {
// A grouping separator that cannot be taken for the decimal one.
wchar_t GroupingBeside(wchar_t decimalChar) {
    const wchar_t grouping = FormatSettings().ThousandSeparator;
    if (grouping != decimalChar) return grouping;
    return decimalChar == L'.' ? L',' : L'.';
}
} // namespace

bool TryStrToFloatMV(const std::wstring& text, wchar_t decimalChar, double& value) {
    SeparatorGuard guard(GroupingBeside(decimalChar), decimalChar);
    return TryStrToFloat(text, value);
}

bool IsFloatNEMV(const std::wstring& text, wchar_t decimalChar, double lower, double upper) {
    SeparatorGuard guard(GroupingBeside(decimalChar), decimalChar);
    return IsFloatNE(text, lower, upper);
}

std::int64_t RoundHalfEven(long double x) {
    if (std::isnan(x)) return 0;
    constexpr long double limit = 9.2233720368547758e18L;
    if (x >= limit) return std::numeric_limits<std::int64_t>::max();
    if (x <= -limit) return std::numeric_limits<std::int64_t>::min();
    const long double lower = std::floor(x);
    const long double fraction = x - lower;
    long double r = lower;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(lower, 2.0L) != 0)) r = lower + 1;
    return static_cast<std::int64_t>(r);
}

std::int32_t MulDivRound(std::int32_t number, std::int32_t numerator, std::int32_t denominator) {
    if (denominator == 0) return 0;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor =
        denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator;
    std::int64_t quotient = (magnitude + divisor / 2) / divisor;
    if ((product < 0) != (denominator < 0)) quotient = -quotient;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(quotient, INT32_MIN, INT32_MAX));
}

wchar_t ShownDecimalSeparator(Language language) {
    return language == Language::English ? L'.' : L',';
}

wchar_t TypedDecimalSeparator(Language language) {
    return language == Language::English ? L'.' : FormatSettings().DecimalSeparator;
}

std::wstring DecimalText(std::int64_t scaled, int decimals, wchar_t separator) {
    if (decimals <= 0) return std::to_wstring(scaled);
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    // Unsigned, so that the most negative count has a magnitude too.
    const std::uint64_t magnitude =
        scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    std::wstring fraction = std::to_wstring(magnitude % scale);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), L'0');
    return (scaled < 0 ? L"-" : L"") + std::to_wstring(magnitude / scale) + separator + fraction;
}
