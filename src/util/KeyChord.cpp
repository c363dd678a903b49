#include "util/KeyChord.h"

#include "util/ShortCutText.h"

namespace {

constexpr std::uint8_t KeypadMultiply = 0x6A;
constexpr std::uint8_t KeypadDivide = 0x6F;
constexpr std::uint8_t KeypadSeparator = 0x6C;

// The shortcut value of ShortCutToText: key code, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
std::uint16_t ShortCutOf(const KeyChord& chord) {
    const auto mods = static_cast<std::uint8_t>(chord.Mods);
    std::uint16_t value = chord.VirtualKey;
    if (mods & static_cast<std::uint8_t>(KeyMods::Shift)) value |= 0x2000;
    if (mods & static_cast<std::uint8_t>(KeyMods::Ctrl)) value |= 0x4000;
    if (mods & static_cast<std::uint8_t>(KeyMods::Alt)) value |= 0x8000;
    return value;
}

} // namespace

bool ChordMatchesKey(const KeyChord& chord, std::uint8_t virtualKey, KeyMods held) {
    if (chord.VirtualKey == 0 || chord.VirtualKey != virtualKey) return false;
    if (!chord.AnyShiftCtrl) return held == chord.Mods;
    constexpr auto shiftCtrl = static_cast<std::uint8_t>(KeyMods::Shift | KeyMods::Ctrl);
    return (static_cast<std::uint8_t>(held) & ~shiftCtrl) == static_cast<std::uint8_t>(chord.Mods);
}

bool ChordMatchesChar(const KeyChord& chord, wchar_t character) {
    return chord.Char != 0 && chord.Char == character;
}

std::wstring MenuKeyText(const KeyChord& chord, Language language) {
    if (chord.Char != 0) return std::wstring(1, chord.Char);
    // "Num -" names the key in a message; a menu shows what it types.
    const std::uint8_t vk = chord.VirtualKey;
    if (chord.Mods == KeyMods::None && vk >= KeypadMultiply && vk <= KeypadDivide &&
        vk != KeypadSeparator)
        return std::wstring(1, L"*+ -,/"[vk - KeypadMultiply]);
    return ShortCutToText(ShortCutOf(chord), language);
}
