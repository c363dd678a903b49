#include "util/ShortCutText.h"

#include "util/HotkeyMath.h"
#include "util/LocalText.h"

#include <cstdio>

namespace {

struct NamedKey {
    std::uint8_t Code;
    LocalText Name;
};

// The names Windows gives these keys; the punctuation keys as a German and
// a US keyboard label them.
consteval LocalText Same(const wchar_t* text) {
    return LocalText::Neutral(text);
}
const NamedKey NamedKeys[] = {
    {0x08, {L"Rücktaste", L"Backspace"}},
    {0x09, Same(L"Tab")},
    {0x0D, {L"Eingabe", L"Enter"}},
    {0x13, Same(L"Pause")},
    {0x14, {L"Feststell", L"Caps Lock"}},
    {0x1B, Same(L"Esc")},
    {0x20, {L"Leertaste", L"Space"}},
    {0x21, {L"Bild-auf", L"Page Up"}},
    {0x22, {L"Bild-ab", L"Page Down"}},
    {0x23, {L"Ende", L"End"}},
    {0x24, {L"Pos1", L"Home"}},
    {0x25, {L"Nach-links", L"Left"}},
    {0x26, {L"Nach-oben", L"Up"}},
    {0x27, {L"Nach-rechts", L"Right"}},
    {0x28, {L"Nach-unten", L"Down"}},
    {0x2C, {L"Druck", L"Print Screen"}},
    {0x2D, {L"Einfg", L"Ins"}},
    {0x2E, {L"Entf", L"Del"}},
    {0x5B, Same(L"Windows")},
    {0x5C, Same(L"Windows")},
    {0x5D, {L"Anwendung", L"Application"}},
    {0x6A, Same(L"Num *")},
    {0x6B, Same(L"Num +")},
    {0x6D, Same(L"Num -")},
    {0x6E, {L"Num ,", L"Num ."}},
    {0x6F, Same(L"Num /")},
    {0x90, {L"Num", L"Num Lock"}},
    {0x91, {L"Rollen", L"Scroll Lock"}},
    {0xBA, {L"Ü", L";"}},
    {0xBB, Same(L"+")},
    {0xBC, Same(L",")},
    {0xBD, Same(L"-")},
    {0xBE, Same(L".")},
    {0xBF, {L"#", L"/"}},
    {0xC0, {L"Ö", L"`"}},
    {0xDB, {L"ß", L"["}},
    {0xDC, {L"^", L"\\"}},
    {0xDD, {L"´", L"]"}},
    {0xDE, {L"Ä", L"'"}},
    {0xE2, {L"<", L"\\"}},
};

constexpr LocalText kKey{L"Taste 0x%1", L"Key 0x%1"};
constexpr LocalText kCtrl{L"Strg+", L"Ctrl+"};
constexpr LocalText kShift{L"Umschalt+", L"Shift+"};

} // namespace

std::wstring KeyCodeName(std::uint8_t keyCode, Language language) {
    if (keyCode == 0) return {};
    if ((keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z'))
        return std::wstring(1, static_cast<wchar_t>(keyCode));
    if (keyCode >= 0x60 && keyCode <= 0x69) return L"Num " + std::to_wstring(keyCode - 0x60);
    if (keyCode >= 0x70 && keyCode <= 0x87) return L"F" + std::to_wstring(keyCode - 0x6F);
    for (const NamedKey& key : NamedKeys)
        if (key.Code == keyCode) return key.Name.In(language);
    wchar_t hex[4];
    std::swprintf(hex, 4, L"%02X", static_cast<unsigned>(keyCode));
    return FormatText(kKey.In(language), {hex});
}

std::wstring ShortCutToText(std::uint16_t shortCut, Language language) {
    const TShortCutParts parts = ShortCutToKey(shortCut);
    if (parts.KeyCode == 0) return {};
    std::wstring text;
    if (parts.ShiftState.Ctrl) text += kCtrl.In(language);
    if (parts.ShiftState.Shift) text += kShift.In(language);
    if (parts.ShiftState.Alt) text += L"Alt+";
    return text + KeyCodeName(parts.KeyCode, language);
}
