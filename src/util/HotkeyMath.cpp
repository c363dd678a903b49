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

bool IsExtendedKey(std::uint8_t keyCode) {
    switch (keyCode) {
    case 0x21: // VK_PRIOR
    case 0x22: // VK_NEXT
    case 0x23: // VK_END
    case 0x24: // VK_HOME
    case 0x25: // VK_LEFT
    case 0x26: // VK_UP
    case 0x27: // VK_RIGHT
    case 0x28: // VK_DOWN
    case 0x2C: // VK_SNAPSHOT
    case 0x2D: // VK_INSERT
    case 0x2E: // VK_DELETE
    case 0x5B: // VK_LWIN
    case 0x5C: // VK_RWIN
    case 0x5D: // VK_APPS
    case 0x6F: // VK_DIVIDE
    case 0x90: // VK_NUMLOCK
        return true;
    default:
        return false;
    }
}

std::uint16_t ShortCutToHotKey(std::uint16_t shortCut) {
    const TShortCutParts parts = ShortCutToKey(shortCut);
    unsigned flags = 0;
    if (parts.ShiftState.Shift) flags |= HotKeyFlagShift;
    if (parts.ShiftState.Ctrl) flags |= HotKeyFlagControl;
    if (parts.ShiftState.Alt) flags |= HotKeyFlagAlt;
    if (IsExtendedKey(parts.KeyCode)) flags |= HotKeyFlagExt;
    return static_cast<std::uint16_t>(parts.KeyCode | (flags << 8));
}

std::uint16_t HotKeyToShortCut(std::uint16_t hotKey) {
    const unsigned flags = hotKey >> 8;
    unsigned shortCut = hotKey & 0xFF;
    if (shortCut == 0) return 0;
    if (flags & HotKeyFlagShift) shortCut |= 0x2000;
    if (flags & HotKeyFlagControl) shortCut |= 0x4000;
    if (flags & HotKeyFlagAlt) shortCut |= 0x8000;
    return static_cast<std::uint16_t>(shortCut);
}

std::uint16_t ApplyHotKeyRule(std::uint16_t shortCut) {
    if ((shortCut & 0xFF) == 0) return 0;
    const TShortCutShift shift = ShortCutToKey(shortCut).ShiftState;
    if (!shift.Ctrl && !shift.Alt) shortCut |= 0x8000;
    return shortCut;
}

std::optional<ShortCutClash> FindDuplicateShortCut(std::span<const std::uint16_t> shortCuts) {
    for (std::size_t later = 1; later < shortCuts.size(); ++later) {
        if (shortCuts[later] == 0) continue;
        for (std::size_t earlier = 0; earlier < later; ++earlier)
            if (shortCuts[earlier] == shortCuts[later])
                return ShortCutClash{static_cast<int>(earlier), static_cast<int>(later)};
    }
    return std::nullopt;
}
