#pragma once
// Shortcut values as a German user reads them in messages: "Strg+Alt+A".
#include <cstdint>
#include <string>

// The German name of a virtual key: letters and digits as themselves,
// "F1".."F24", "Nach-links", "Bild-auf", "Num 5" and so on; other keys as
// "Taste 0xNN". Empty for 0.
std::wstring KeyCodeName(std::uint8_t keyCode);

// Modifiers in the order Strg, Umschalt, Alt, then the key; empty for 0.
std::wstring ShortCutToText(std::uint16_t shortCut);
