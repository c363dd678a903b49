#pragma once
// Shortcut values as the user reads them in menus and messages: "Strg+Alt+A"
// in German, "Ctrl+Alt+A" in English.
#include "util/Language.h"

#include <cstdint>
#include <string>

// The name of a virtual key: letters and digits as themselves, "F1".."F24",
// "Nach-links"/"Left", "Bild-auf"/"Page Up", "Num 5" and so on; other keys as
// "Taste 0xNN"/"Key 0xNN". Empty for 0.
std::wstring KeyCodeName(std::uint8_t keyCode, Language language = UiLanguage());

// Modifiers in the order Strg/Ctrl, Umschalt/Shift, Alt, then the key; empty
// for 0.
std::wstring ShortCutToText(std::uint16_t shortCut, Language language = UiLanguage());
