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

// What the CSS field says about typed text: why it is no colour (each detail
// a whole clause, set into Unreadable), and what became of a colour taken.
namespace Css {

inline constexpr LocalText Empty{
    L"Bitte eine CSS-Farbe eingeben, zum Beispiel #1e50b4, rgb(30 80 180) oder "
    L"oklch(0.461 0.168 262.1).",
    L"Please enter a CSS color, for example #1e50b4, rgb(30 80 180) or oklch(0.461 0.168 262.1)."};
inline constexpr LocalText Transparent{
    L"Die Eingabe \"transparent\" ist völlig durchsichtig und hat keine Farbe, die das Fenster "
    L"übernehmen könnte.",
    L"The input \"transparent\" is completely see-through and has no color the window could "
    L"take."};
// %1: the input, quoted; %2: one of the details below.
inline constexpr LocalText Unreadable{L"Die Eingabe %1 ist keine lesbare CSS-Farbe: %2.",
                                      L"The input %1 is not a readable CSS color: %2."};

inline constexpr LocalText NoHexDigit{L"nach \"#\" steht %1, keine Hexadezimalziffer",
                                      L"%1 after \"#\" is not a hexadecimal digit"};
inline constexpr LocalText HexDigitCount{
    L"\"#\" mit %1 Hexadezimalziffern erkannt, es braucht 3, 4, 6 oder 8",
    L"the number of hexadecimal digits after \"#\" is %1, not 3, 4, 6 or 8"};
inline constexpr LocalText NoNameOrNotation{
    L"%1 ist weder ein CSS-Farbname noch eine Schreibweise wie #1e50b4, rgb(), hsl(), hwb(), "
    L"lab(), lch(), oklab() oder oklch()",
    L"%1 is neither a CSS color name nor a notation such as #1e50b4, rgb(), hsl(), hwb(), lab(), "
    L"lch(), oklab() or oklch()"};
inline constexpr LocalText UnknownFunction{
    L"die Funktion %1 ist keine der Farbfunktionen rgb(), hsl(), hwb(), lab(), lch(), oklab() "
    L"und oklch()",
    L"the function %1 is not one of the color functions rgb(), hsl(), hwb(), lab(), lch(), "
    L"oklab() and oklch()"};

// %1: what was recognized, quoted ("rgb(").
inline constexpr LocalText NoClosingParenthesis{
    L"%1 erkannt, aber die schließende Klammer fehlt",
    L"found %1, but the closing parenthesis is missing"};
// %2: what follows, quoted.
inline constexpr LocalText TextAfter{L"%1 erkannt, aber danach steht noch %2",
                                     L"found %1, but %2 follows it"};
// %2: the function's name.
inline constexpr LocalText NoCommas{
    L"%1 erkannt, aber %2() trennt seine Werte mit Leerzeichen, nicht mit Kommas (Dezimalzahlen "
    L"schreibt CSS mit Punkt)",
    L"found %1, but %2() separates its values with spaces, not commas (CSS writes decimal "
    L"numbers with a point)"};
inline constexpr LocalText NotOneValueBetweenCommas{
    L"%1 erkannt, aber zwischen zwei Kommas steht nicht genau ein Wert (Dezimalzahlen schreibt "
    L"CSS mit Punkt)",
    L"found %1, but there is not exactly one value between two commas (CSS writes decimal "
    L"numbers with a point)"};
inline constexpr LocalText NoneOnlyWithSpaces{
    L"%1 erkannt, aber \"none\" gilt nur in der Schreibweise mit Leerzeichen",
    L"found %1, but \"none\" is allowed only where spaces separate the values"};
inline constexpr LocalText MoreThanOneSlash{L"%1 erkannt, aber es steht mehr als ein \"/\" darin",
                                            L"found %1, but it contains more than one \"/\""};
inline constexpr LocalText NotOneOpacity{
    L"%1 erkannt, aber nach \"/\" steht nicht genau ein Wert für die Deckkraft",
    L"found %1, but there is not exactly one opacity value after \"/\""};
// %2: how many values were read.
inline constexpr LocalText OneValueRead{L"%1 erkannt, aber %2 Wert gelesen, es braucht 3",
                                        L"found %1, but read %2 value where 3 are needed"};
inline constexpr LocalText ValuesRead{L"%1 erkannt, aber %2 Werte gelesen, es braucht 3",
                                      L"found %1, but read %2 values where 3 are needed"};
// %2: the value's place (one of Ordinals), %3: the value, quoted.
inline constexpr LocalText NotANumber{L"%1 erkannt, aber der %2 Wert %3 ist keine Zahl",
                                      L"found %1, but the %2 value %3 is not a number"};
inline constexpr LocalText UnitNotAllowed{
    L"%1 erkannt, aber der %2 Wert %3 hat eine Einheit, die hier nicht gilt",
    L"found %1, but the %2 value %3 has a unit that is not allowed here"};
inline constexpr LocalText TooLarge{L"%1 erkannt, aber der %2 Wert %3 ist zu groß",
                                    L"found %1, but the %2 value %3 is too large"};
inline constexpr LocalText NotAHue{
    L"%1 erkannt, aber der %2 Wert %3 ist kein Farbton (Zahl oder Winkel mit deg, grad, rad oder "
    L"turn)",
    L"found %1, but the %2 value %3 is not a hue (a number or an angle in deg, grad, rad or "
    L"turn)"};
inline constexpr LocalText AngleNotAllowed{
    L"%1 erkannt, aber der %2 Wert %3 ist ein Winkel, hier gilt eine Zahl oder Prozentangabe",
    L"found %1, but the %2 value %3 is an angle where a number or percentage is expected"};
inline constexpr LocalText Ordinals[] = {{L"1.", L"first"}, {L"2.", L"second"}, {L"3.", L"third"}};
// %2: the opacity as typed, quoted.
inline constexpr LocalText OpacityNotANumber{
    L"%1 erkannt, aber die Deckkraft %2 ist keine Zahl oder Prozentangabe",
    L"found %1, but the opacity %2 is not a number or percentage"};

inline constexpr LocalText Mapped{L"Außerhalb von sRGB: auf sRGB abgebildet.",
                                  L"Outside sRGB: mapped into sRGB."};
inline constexpr LocalText OpacityIgnored{L"Deckkraft nicht übernommen.", L"Opacity ignored."};

} // namespace Css

} // namespace ColorText
