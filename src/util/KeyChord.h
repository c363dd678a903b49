#pragma once
// A key a window answers while it has the focus: a virtual key with the
// modifiers held, or the character a key typed (the keyboard layout decides
// which key that is, as "+" is on a German and a US keyboard).
#include "util/Language.h"

#include <cstdint>
#include <string>

enum class KeyMods : std::uint8_t { None = 0, Shift = 1, Ctrl = 2, Alt = 4 };
constexpr KeyMods operator|(KeyMods a, KeyMods b) {
    return static_cast<KeyMods>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}

struct KeyChord {
    std::uint8_t VirtualKey = 0;
    wchar_t Char = 0;
    KeyMods Mods = KeyMods::None;
    // Shift and Ctrl may be held as well; the command reads them itself
    // (the arrow keys step further with Ctrl and size with Shift).
    bool AnyShiftCtrl = false;

    bool Empty() const { return VirtualKey == 0 && Char == 0; }
};

constexpr KeyChord Key(std::uint8_t virtualKey, KeyMods mods = KeyMods::None) {
    return {.VirtualKey = virtualKey, .Mods = mods};
}
constexpr KeyChord KeyWithShiftCtrl(std::uint8_t virtualKey) {
    return {.VirtualKey = virtualKey, .AnyShiftCtrl = true};
}
constexpr KeyChord Typed(wchar_t character) {
    return {.Char = character};
}

// Whether a key press (WM_KEYDOWN) or a typed character (WM_CHAR) is this chord.
bool ChordMatchesKey(const KeyChord& chord, std::uint8_t virtualKey, KeyMods held);
bool ChordMatchesChar(const KeyChord& chord, wchar_t character);

// The text a menu shows right of an item: "S", "F1", "Esc", "Strg+C"; the
// keypad's operator keys as the character they type ("-").
std::wstring MenuKeyText(const KeyChord& chord, Language language = UiLanguage());
