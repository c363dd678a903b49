#include "util/VersionCompare.h"

#include "util/StringUtils.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

constexpr int kMissingPart = -200;
constexpr int kLargestPart = 0x7FFFFFFF;

bool IsDigit(wchar_t ch) {
    return ch >= L'0' && ch <= L'9';
}

std::wstring TrimBlanks(const std::wstring& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] <= L' ')
        ++first;
    while (last > first && text[last - 1] <= L' ')
        --last;
    return text.substr(first, last - first);
}

int HexValue(wchar_t ch) {
    if (IsDigit(ch)) return ch - L'0';
    const wchar_t upper = UpperCaseChar(ch);
    if (upper >= L'A' && upper <= L'F') return upper - L'A' + 10;
    return -1;
}

// A whole integer text: optional sign, then decimal digits or hex after "$" or
// "0x"; no blanks. Hex must fit 32 bits (taken as its 32-bit pattern); a
// positive decimal beyond them saturates.
std::optional<int> StrictInt(const std::wstring& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    int base = 10;
    if (i < text.size() && text[i] == L'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == L'0' &&
               (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return std::nullopt;
    std::int64_t value = 0;
    const std::int64_t limit = base == 16 ? 0xFFFFFFFFLL : 0x80000000LL;
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? HexValue(text[i]) : (IsDigit(text[i]) ? text[i] - L'0' : -1);
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
        // A version number beyond 32 bits is still a number, and a huge one:
        // it must not fall back to its first digit and sort below 2.
        if (value > limit)
            return base == 10 && !negative ? std::optional<int>(kLargestPart) : std::nullopt;
    }
    if (base == 10 && !negative && value > 0x7FFFFFFFLL) return kLargestPart;
    const auto pattern = static_cast<std::uint32_t>(negative ? -value : value);
    return static_cast<int>(pattern);
}

void AddToken(const std::wstring& rawToken, TIntegerList& list) {
    const std::wstring token = TrimBlanks(rawToken);
    if (token.empty()) return;
    if (const auto value = StrictInt(token))
        list.Add(*value == 0 ? kMissingPart : *value);
    else
        list.Add(static_cast<int>(token.front()) - 123);
}

} // namespace

void SplitVer(const std::wstring& version, TIntegerList& list) {
    const std::wstring text = version + L'.';
    std::wstring token;
    for (std::size_t i = 0; i < text.size(); ++i) {
        token += text[i];
        const bool hasNext = i + 1 < text.size();
        const bool nextIsDot = hasNext && text[i + 1] == L'.';
        const bool digitEnds = IsDigit(text[i]) && !(hasNext && IsDigit(text[i + 1]));
        if (!nextIsDot && !digitEnds) continue;
        AddToken(token, list);
        token.clear();
        if (nextIsDot) ++i;
    }
}

bool Ver2GreaterVer1(const std::wstring& version1, const std::wstring& version2) {
    const std::wstring a = LowerCaseText(version1);
    const std::wstring b = LowerCaseText(version2);
    if (b.empty()) return false;
    if (a.empty()) return true;
    if (a == b) return false;

    TIntegerList listA, listB;
    SplitVer(a, listA);
    SplitVer(b, listB);
    const int count = std::max(listA.Count(), listB.Count());
    for (int i = 0; i < count; ++i) {
        const int partA = listA.GetValueDef(i, kMissingPart);
        const int partB = listB.GetValueDef(i, kMissingPart);
        if (partA != partB) return partA < partB;
    }
    return true; // texts differ but split alike, such as 1.0 and 1
}
