#include "settings/PixelsPerMMEditor.h"
#include "settings/SettingsTexts.h"
#include "util/Dpi.h"

#include "util/Numbers.h"

#include <algorithm>

namespace {

std::wstring Trimmed(const std::wstring& caption) {
    const auto end = caption.find_last_not_of(L' ');
    return end == std::wstring::npos ? std::wstring() : caption.substr(0, end + 1);
}

std::wstring FloatMessage(const LocalText& caption, int below) {
    return FormatText(SettingsText::NumberWanted, {Trimmed(caption()), std::to_wstring(below)});
}

// Where a point is the separator, a comma in a text without one means it
// too ("5,48"): these fields know no grouping, and someone used to a comma
// types one.
std::wstring Typed(std::wstring text, wchar_t decimalChar) {
    if (decimalChar == L'.' && text.find(L'.') == std::wstring::npos &&
        std::count(text.begin(), text.end(), L',') == 1)
        std::replace(text.begin(), text.end(), L',', L'.');
    return text;
}

} // namespace

std::wstring FormatCmMeasured(double value, wchar_t decimalChar) {
    const wchar_t grouping = decimalChar == L'.' ? L',' : L'.';
    return FormatFloatMV(L"0.0000", grouping, decimalChar, value);
}

double ParseCmMeasured(const std::wstring& text, wchar_t decimalChar) {
    double value = 0;
    return TryStrToFloatMV(Typed(text, decimalChar), decimalChar, value) ? value : 1.0;
}

bool IsValidCmMeasured(const std::wstring& text, wchar_t decimalChar) {
    return IsFloatNEMV(Typed(text, decimalChar), decimalChar, 0, 1000);
}

bool IsValidCmMeasuredChangeBy(const std::wstring& text, wchar_t decimalChar) {
    return IsFloatNEMV(Typed(text, decimalChar), decimalChar, 0, 99);
}

std::wstring InvalidCmMeasuredMessage() {
    return FloatMessage(SettingsText::BarLength, 1000);
}

std::wstring InvalidCmMeasuredChangeByMessage() {
    return FloatMessage(SettingsText::BarStep, 99);
}

TReferenceBarLayout ReferenceBarLayout(int dpi) {
    if (dpi <= 0) dpi = 96;
    const auto scaled = [dpi](int designPixels) { return ScaleToDpi(designPixels, dpi); };
    TReferenceBarLayout layout;
    const int left = scaled(19), top = scaled(16);
    layout.Bar = {left, top, left + ReferenceBarPixels, top + std::max(scaled(9), 1)};
    const int width = std::max(scaled(239), layout.Bar.Right + scaled(20));
    layout.WhiteArea = {0, 0, width, std::max(scaled(41), layout.Bar.Bottom + 1)};
    return layout;
}
