#include "util/HotkeyMath.h"

#include "util/StringUtils.h"

#include <array>

TShortCutParts ShortCutToKey(std::uint16_t shortCut) {
    TShortCutParts parts;
    parts.KeyCode = static_cast<std::uint8_t>(shortCut & 0xFF);
    parts.ShiftState.Shift = (shortCut & 0x2000) != 0;
    parts.ShiftState.Ctrl = (shortCut & 0x4000) != 0;
    parts.ShiftState.Alt = (shortCut & 0x8000) != 0;
    return parts;
}

unsigned ShiftState2Modifier(const TShortCutShift& shift) {
    unsigned modifiers = 0;
    if (shift.Shift) modifiers |= 4; // MOD_SHIFT
    if (shift.Ctrl) modifiers |= 2;  // MOD_CONTROL
    if (shift.Alt) modifiers |= 1;   // MOD_ALT
    return modifiers;
}

bool IsGermanWin(const std::wstring& languageId) {
    static const std::array<const wchar_t*, 5> germanIds = {L"0407", L"0807", L"0C07", L"1007",
                                                            L"1407"};
    for (const wchar_t* id : germanIds)
        if (SameTextIgnoreCase(languageId, id)) return true;
    return false;
}
