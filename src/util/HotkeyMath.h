#pragma once
// The platform-free half of registering a system-wide hotkey.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Shift keys held with a shortcut.
struct TShortCutShift {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
    friend bool operator==(const TShortCutShift&, const TShortCutShift&) = default;
};

struct TShortCutParts {
    std::uint8_t KeyCode = 0;
    TShortCutShift ShiftState;
};

// Shortcut value: key code in the low byte, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
TShortCutParts ShortCutToKey(std::uint16_t shortCut);

// Hotkey modifier flags: Shift 4, Ctrl 2, Alt 1; nothing else is ever produced.
unsigned ShiftState2Modifier(const TShortCutShift& shift);

// True for the German language ids "0407", "0807", "0c07", "1007", "1407" (any case).
bool IsGermanWin(const std::wstring& languageId);

// The hot-key control's value: key code in the low byte, HOTKEYF_* flags in
// the high one.
constexpr std::uint16_t HotKeyFlagShift = 0x01;
constexpr std::uint16_t HotKeyFlagControl = 0x02;
constexpr std::uint16_t HotKeyFlagAlt = 0x04;
constexpr std::uint16_t HotKeyFlagExt = 0x08;

// Keys the platform reports with the extended flag; the hot-key control
// names them wrongly (the keypad's) without it.
bool IsExtendedKey(std::uint8_t keyCode);
std::uint16_t ShortCutToHotKey(std::uint16_t shortCut);
// Other flag bits than the three modifiers (the extended flag) are dropped.
std::uint16_t HotKeyToShortCut(std::uint16_t hotKey);

// The hot-key control's rule: a key without modifier or with Shift alone
// gets Alt added. 0 (no hotkey) stays 0.
std::uint16_t ApplyHotKeyRule(std::uint16_t shortCut);

// The first two positions that hold one shortcut, the later one second;
// empty fields (0) never clash.
struct ShortCutClash {
    int First;
    int Second;
};
std::optional<ShortCutClash> FindDuplicateShortCut(std::span<const std::uint16_t> shortCuts);
