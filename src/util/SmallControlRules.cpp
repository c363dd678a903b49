#include "util/SmallControlRules.h"

#include <cwctype>

namespace {

std::wstring Trimmed(const std::wstring& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && std::iswspace(text[first]))
        ++first;
    while (last > first && std::iswspace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool IsBareMailAddress(const std::wstring& text) {
    const std::size_t at = text.find(L'@');
    if (at == std::wstring::npos || at == 0 || at + 1 == text.size()) return false;
    if (text.find(L'@', at + 1) != std::wstring::npos) return false;
    for (wchar_t c : text)
        if (c == L':' || c == L'/' || c == L'\\' || std::iswspace(c)) return false;
    return true;
}

} // namespace

std::wstring LinkLabelTarget(const std::wstring& command, const std::wstring& caption) {
    std::wstring target = Trimmed(command);
    if (target.empty()) target = Trimmed(caption);
    return IsBareMailAddress(target) ? L"mailto:" + target : target;
}

std::optional<Rect> ThemedBevelLine(TBevelShape shape, Size size) {
    if (size.Width <= 0 || size.Height <= 0) return std::nullopt;
    switch (shape) {
    case bsTopLine:
        return Rect{0, 0, size.Width, 1};
    case bsBottomLine:
        return Rect{0, size.Height - 1, size.Width, size.Height};
    case bsLeftLine:
        return Rect{0, 0, 1, size.Height};
    case bsRightLine:
        return Rect{size.Width - 1, 0, size.Width, size.Height};
    default:
        return std::nullopt;
    }
}

int EditBorderThemePart(TWindowsVersion version) {
    constexpr int EditText = 1;           // EP_EDITTEXT
    constexpr int EditBorderNoScroll = 6; // EP_EDITBORDER_NOSCROLL
    return version > wvWin2003 ? EditBorderNoScroll : EditText;
}
