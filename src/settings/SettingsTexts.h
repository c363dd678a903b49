#pragma once
// The settings dialog's messages and the captions they name, in each
// language (the dialog's own controls carry theirs in its rows). "%1" and on
// are filled in by FormatText.
#include "util/LocalText.h"

namespace SettingsText {

inline constexpr LocalText DialogCaption{L"Einstellungen", L"Settings"};

// Captions as the messages quote them: the fields' captions without their
// accelerators.
inline constexpr LocalText MoveRulerBy{L"Lineal verschieben um", L"Move ruler by"};
inline constexpr LocalText EdgeTolerance{L"Kantentoleranz", L"Edge tolerance"};
inline constexpr LocalText BarLength{L"Länge des schwarzen Balkens ", L"Length of the black bar "};
inline constexpr LocalText BarStep{L"Änderung mit +/- Taste um", L"Step per +/- key "};

inline constexpr LocalText WholeNumberWanted{
    L"Bitte geben Sie unter \"%1\" eine ganze Zahl von 0 bis %2 an.",
    L"Please enter a whole number from 0 to %2 for \"%1\"."};
inline constexpr LocalText NumberWanted{
    L"Bitte geben Sie unter \"%1\" eine Fließkommazahl größer als 0 und kleiner als %2 an.",
    L"Please enter a number greater than 0 and less than %2 for \"%1\"."};
inline constexpr LocalText HotKeyTwice{
    L"Das Tastenkürzel \"%1\" ist unter \"%2\" und unter \"%3\" eingetragen. Bitte geben Sie "
    L"unter \"%3\" ein anderes Tastenkürzel an.",
    L"The hotkey \"%1\" is set for \"%2\" and for \"%3\". Please enter another hotkey for "
    L"\"%3\"."};
// %1: one line per hotkey, each after a line break.
inline constexpr LocalText HotKeysTaken{
    L"Diese Tastenkürzel werden schon von einem anderen Programm verwendet und sind deshalb nicht "
    L"aktiv:\r\n%1\r\n\r\nDie Einstellungen wurden trotzdem gespeichert.",
    L"These hotkeys are already used by another program and are therefore not active:\r\n"
    L"%1\r\n\r\nThe settings were saved all the same."};

inline constexpr LocalText MeasureStartHelp{
    L"Mit diesem Tastenkürzel können Sie eine Strecke messen:\r\n\r\n-Zeigen Sie mit der Maus auf "
    L"einen Punkt auf dem Bildschirm, während Sie das Lineal sehen. Drücken Sie dann dieses "
    L"Tastenkürzel. Damit wird der Startpunkt der Messung gesetzt.\r\n\r\n-Bewegen Sie nun die "
    L"Maus, um Strecke zwischen dem Startpunkt und der aktuellen Mausposition auszumessen. Die "
    L"Länge dieser Strecke wird im Lineal in Klammern hinter der aktuellen Position angezeigt."
    L"\r\n\r\n-Um das Messen der Strecke zu beenden, bewegen Sie die Maus nicht und drücken das "
    L"Tastenkürzel zwei mal hintereinander.",
    L"With this hotkey you can measure a distance:\r\n\r\n-Point the mouse at a spot on the "
    L"screen while you can see the ruler. Then press this hotkey. This sets the start point of "
    L"the measurement.\r\n\r\n-Now move the mouse to measure the distance between the start "
    L"point and the mouse position. The ruler shows the length of this distance in brackets "
    L"after the current position.\r\n\r\n-To end the measurement, keep the mouse still and press "
    L"the hotkey twice in a row."};
inline constexpr LocalText ResetColorsQuestion{L"Alle Farben auf die Standardfarben zurücksetzen?",
                                               L"Reset all colors to their defaults?"};

} // namespace SettingsText
