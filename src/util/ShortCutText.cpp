#include "util/ShortCutText.h"

#include "util/HotkeyMath.h"

#include <cstdio>

namespace {

struct NamedKey {
    std::uint8_t Code;
    const wchar_t* Name;
};

// The names German Windows gives these keys.
constexpr NamedKey NamedKeys[] = {
    {0x08, L"Rücktaste"}, {0x09, L"Tab"},         {0x0D, L"Eingabe"},    {0x13, L"Pause"},
    {0x14, L"Feststell"}, {0x1B, L"Esc"},         {0x20, L"Leertaste"},  {0x21, L"Bild-auf"},
    {0x22, L"Bild-ab"},   {0x23, L"Ende"},        {0x24, L"Pos1"},       {0x25, L"Nach-links"},
    {0x26, L"Nach-oben"}, {0x27, L"Nach-rechts"}, {0x28, L"Nach-unten"}, {0x2C, L"Druck"},
    {0x2D, L"Einfg"},     {0x2E, L"Entf"},        {0x5B, L"Windows"},    {0x5C, L"Windows"},
    {0x5D, L"Anwendung"}, {0x6A, L"Num *"},       {0x6B, L"Num +"},      {0x6D, L"Num -"},
    {0x6E, L"Num ,"},     {0x6F, L"Num /"},       {0x90, L"Num"},        {0x91, L"Rollen"},
    {0xBA, L"Ü"},         {0xBB, L"+"},           {0xBC, L","},          {0xBD, L"-"},
    {0xBE, L"."},         {0xBF, L"#"},           {0xC0, L"Ö"},          {0xDB, L"ß"},
    {0xDC, L"^"},         {0xDD, L"´"},           {0xDE, L"Ä"},          {0xE2, L"<"},
};

} // namespace

std::wstring KeyCodeName(std::uint8_t keyCode) {
    if (keyCode == 0) return {};
    if ((keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z'))
        return std::wstring(1, static_cast<wchar_t>(keyCode));
    if (keyCode >= 0x60 && keyCode <= 0x69) return L"Num " + std::to_wstring(keyCode - 0x60);
    if (keyCode >= 0x70 && keyCode <= 0x87) return L"F" + std::to_wstring(keyCode - 0x6F);
    for (const NamedKey& key : NamedKeys)
        if (key.Code == keyCode) return key.Name;
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"Taste 0x%02X", static_cast<unsigned>(keyCode));
    return buffer;
}

std::wstring ShortCutToText(std::uint16_t shortCut) {
    const TShortCutParts parts = ShortCutToKey(shortCut);
    if (parts.KeyCode == 0) return {};
    std::wstring text;
    if (parts.ShiftState.Ctrl) text += L"Strg+";
    if (parts.ShiftState.Shift) text += L"Umschalt+";
    if (parts.ShiftState.Alt) text += L"Alt+";
    return text + KeyCodeName(parts.KeyCode);
}
