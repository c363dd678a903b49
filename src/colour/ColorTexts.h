#pragma once
// The colour window's messages and texts outside its control rows, in each
// language. "%1" and on are filled in by FormatText.
#include "util/LocalText.h"

namespace ColorText {

inline constexpr LocalText Passed{L"bestanden", L"passed"};
inline constexpr LocalText Failed{L"nicht bestanden", L"failed"};
inline constexpr LocalText WindowCaption{L"Farbauswahl", L"Color Picker"};
inline constexpr LocalText Close{L"Schließen", L"Close"};
inline constexpr LocalText CaptureTip{L"Farbe vom Bildschirm einfangen",
                                      L"Capture a color from the screen"};
inline constexpr LocalText ImageUnreadable{
    L"Das Bild \"%1\" konnte nicht geladen werden. Die Datei ist kein lesbares Bild.",
    L"The image \"%1\" could not be loaded. The file is not a readable image."};
inline constexpr LocalText ImagesFilter{L"Bilder", L"Images"};
inline constexpr LocalText AllFilesFilter{L"Alle Dateien", L"All files"};
inline constexpr LocalText CssUnreadable{L"Keine lesbare CSS-Farbe: die Farbe bleibt.",
                                         L"No readable CSS color: the color stays."};
// The contrast sample: a sentence with every letter, large text, bold text.
inline constexpr LocalText SampleNormal{
    L"Normaler Text: Franz jagt im komplett verwahrlosten Taxi quer durch Bayern.",
    L"Normal text: The quick brown fox jumps over the lazy dog."};
inline constexpr LocalText SampleLarge{L"Großer Text", L"Large text"};
inline constexpr LocalText SampleBold{L"Fett ab 14 Punkt", L"Bold from 14 points"};

} // namespace ColorText
