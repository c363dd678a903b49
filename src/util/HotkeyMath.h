#pragma once
// The platform-free half of registering a system-wide hotkey.
#include <cstdint>
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
