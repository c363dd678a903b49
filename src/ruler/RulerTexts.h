#pragma once
// The ruler's messages and tips in each language (the menu's texts stand in
// its command rows). "%1" and on are filled in by FormatText.
#include "util/LocalText.h"

namespace RulerText {

inline constexpr LocalText HookLibraryMissing{
    L"Die Datei %1 fehlt. Ohne sie kann Dravik die Mausposition nicht verfolgen.\r\n"
    L"Bitte installieren Sie Dravik neu.",
    L"The file %1 is missing. Without it Dravik cannot follow the mouse.\r\n"
    L"Please reinstall Dravik."};
inline constexpr LocalText HookLibraryBroken{
    L"Die Datei %1 ist beschädigt und kann nicht geladen werden.\r\n"
    L"Bitte installieren Sie Dravik neu.",
    L"The file %1 is damaged and cannot be loaded.\r\nPlease reinstall Dravik."};
inline constexpr LocalText HookLibraryForeign{
    L"Die Datei %1 ist beschädigt oder gehört nicht zu dieser Programmversion (%2 fehlt).\r\n"
    L"Bitte installieren Sie Dravik neu.",
    L"The file %1 is damaged or belongs to another version of the program (%2 is missing).\r\n"
    L"Please reinstall Dravik."};
inline constexpr LocalText WindowNotCreated{L"Das Linealfenster konnte nicht erzeugt werden.",
                                            L"The ruler window could not be created."};
inline constexpr LocalText HelpFileMissing{L"Die Hilfe-Datei \"%1\" wurde nicht gefunden!",
                                           L"The help file \"%1\" was not found."};
inline constexpr LocalText PickColorTip{L"Farbe auswählen", L"Pick Color"};

} // namespace RulerText
