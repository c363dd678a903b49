#include "util/StringUtils.h"

#include <algorithm>

namespace {

// Latin-1 upper-case letters 0xC0-0xDE (without the multiplication sign 0xD7)
// pair with 0xE0-0xFE; 0xDF (sharp s) and 0xFF have no single-letter partner here.
bool IsLatin1Upper(wchar_t ch) {
    return ch >= 0xC0 && ch <= 0xDE && ch != 0xD7;
}
bool IsLatin1Lower(wchar_t ch) {
    return ch >= 0xE0 && ch <= 0xFE && ch != 0xF7;
}

std::size_t ToIndex(int position) {
    return static_cast<std::size_t>(position - 1);
}

} // namespace

wchar_t UpperCaseChar(wchar_t ch) {
    if ((ch >= L'a' && ch <= L'z') || IsLatin1Lower(ch)) return static_cast<wchar_t>(ch - 0x20);
    return ch;
}

wchar_t LowerCaseChar(wchar_t ch) {
    if ((ch >= L'A' && ch <= L'Z') || IsLatin1Upper(ch)) return static_cast<wchar_t>(ch + 0x20);
    return ch;
}

std::wstring UpperCaseText(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), UpperCaseChar);
    return text;
}

std::wstring LowerCaseText(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), LowerCaseChar);
    return text;
}

bool SameTextIgnoreCase(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return UpperCaseChar(x) == UpperCaseChar(y); });
}

std::wstring MustEndsWith(wchar_t ch, const std::wstring& text) {
    if (text.empty() || UpperCaseChar(text.back()) == UpperCaseChar(ch)) return text;
    return text + ch;
}

std::wstring ConcatSeparator(const std::wstring& separator, const std::wstring& text1,
                             const std::wstring& text2) {
    if (!text1.empty() && !text2.empty()) return text1 + separator + text2;
    return text1 + text2;
}

std::wstring ConcatSeparator(const std::wstring& separator, const std::wstring& text1,
                             const std::wstring& text2, const std::wstring& text3) {
    return ConcatSeparator(separator, text1, ConcatSeparator(separator, text2, text3));
}

void SplitKeyValue(const std::wstring& text, std::wstring& key, std::wstring& value,
                   const std::wstring& separator) {
    const std::size_t at = separator.empty() ? std::wstring::npos : text.find(separator);
    if (at == std::wstring::npos) {
        key = text;
        value.clear();
        return;
    }
    key = text.substr(0, at);
    value = text.substr(at + separator.size());
}

std::wstring MyReplace(const std::wstring& text, const std::wstring& oldPart,
                       const std::wstring& newPart, bool ignoreCase, int maxCount) {
    if (oldPart == newPart || oldPart.empty() || text.empty()) return text;
    // Case folding keeps the length, so positions found in the folded copy
    // are valid in the caller's text.
    const std::wstring haystack = ignoreCase ? LowerCaseText(text) : text;
    const std::wstring needle = ignoreCase ? LowerCaseText(oldPart) : oldPart;
    std::vector<std::size_t> hits;
    for (std::size_t at = haystack.find(needle); at != std::wstring::npos;
         at = haystack.find(needle, at + needle.size())) {
        hits.push_back(at);
        if (maxCount > 0 && hits.size() >= static_cast<std::size_t>(maxCount)) break;
    }
    if (hits.empty()) return text;
    std::wstring result;
    result.reserve(text.size() - hits.size() * oldPart.size() + hits.size() * newPart.size());
    std::size_t copied = 0;
    for (std::size_t at : hits) {
        result.append(text, copied, at - copied);
        result += newPart;
        copied = at + oldPart.size();
    }
    result.append(text, copied, std::wstring::npos);
    return result;
}

std::wstring ReplaceMulti(const std::wstring& text, const std::vector<std::wstring>& olds,
                          const std::vector<std::wstring>& news, bool caseSensitive) {
    if (text.empty() || olds.empty() || olds.size() != news.size()) return text;
    const std::wstring haystack = caseSensitive ? text : LowerCaseText(text);
    std::vector<std::wstring> needles;
    needles.reserve(olds.size());
    for (const auto& old : olds)
        needles.push_back(caseSensitive ? old : LowerCaseText(old));

    std::wstring result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        bool replaced = false;
        for (std::size_t i = 0; i < needles.size(); ++i) {
            // An empty old text would match everywhere without advancing.
            if (needles[i].empty() || haystack.compare(pos, needles[i].size(), needles[i]) != 0)
                continue;
            result += news[i];
            pos += needles[i].size();
            replaced = true;
            break;
        }
        if (!replaced) result += text[pos++];
    }
    return result;
}

bool DeleteIfEqual(std::wstring& text, int position, const std::wstring& part) {
    if (position < 1 || ToIndex(position) > text.size()) return false;
    const std::size_t at = ToIndex(position);
    if (!SameTextIgnoreCase(text.substr(at, part.size()), part)) return false;
    text.erase(at, part.size());
    return true;
}

void DeleteEndsWith(std::wstring& text, const std::wstring& suffix) {
    const auto position =
        static_cast<long long>(text.size()) - static_cast<long long>(suffix.size()) + 1;
    if (position >= 1) DeleteIfEqual(text, static_cast<int>(position), suffix);
}

int PosNC(const std::wstring& part, const std::wstring& text) {
    if (part.empty()) return 0;
    const std::size_t at = UpperCaseText(text).find(UpperCaseText(part));
    return at == std::wstring::npos ? 0 : static_cast<int>(at) + 1;
}

std::wstring RepeatStr(const std::wstring& text, int count) {
    std::wstring result;
    if (count <= 0) return result;
    result.reserve(text.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        result += text;
    return result;
}

void StrDefLenL(std::wstring& text, int length, wchar_t fill) {
    if (length > 0 && text.size() < static_cast<std::size_t>(length))
        text.append(static_cast<std::size_t>(length) - text.size(), fill);
}

std::wstring StrDefLenFuncL(const std::wstring& text, int length, wchar_t fill) {
    std::wstring result = text;
    StrDefLenL(result, length, fill);
    return result;
}

std::wstring BoolToIntStr(bool value) {
    return value ? L"1" : L"0";
}

int BoolToInt(bool value) {
    return value ? 1 : 0;
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

std::wstring Widen(const char* text) {
    std::wstring out;
    for (; text && *text; ++text)
        out += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return out;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\r' && text[i] != L'\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}
