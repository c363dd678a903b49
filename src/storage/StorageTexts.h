#pragma once
// What the settings store tells the user, in each language. "%1" and on are
// filled in by FormatText.
#include "util/LocalText.h"

namespace StorageText {

inline constexpr LocalText TooLarge{
    L"Die Datei %1 ist größer als %2 MB und wird nicht als Einstellungsdatei gelesen.",
    L"The file %1 is larger than %2 MB and is not read as a settings file."};
inline constexpr LocalText CannotOpen{L"Datei %1 kann nicht geöffnet werden.",
                                      L"The file %1 cannot be opened."};
inline constexpr LocalText CannotRead{L"Datei %1 kann nicht gelesen werden.",
                                      L"The file %1 cannot be read."};
inline constexpr LocalText CannotCreate{L"Datei %1 kann nicht erstellt werden.",
                                        L"The file %1 cannot be created."};
inline constexpr LocalText WriteFailed{L"Fehler beim Schreiben der Datei %1.",
                                       L"Error while writing the file %1."};
inline constexpr LocalText CannotReplace{L"Datei %1 kann nicht ersetzt werden.",
                                         L"The file %1 cannot be replaced."};
// %1: the reason, one of the messages above or another error's text.
inline constexpr LocalText SaveFailed{L"Fehler beim Speichern der Konfigurationdatei:\r\n%1",
                                      L"Error while saving the settings file:\r\n%1"};
inline constexpr LocalText UnknownError{L"Unbekannter Fehler.", L"Unknown error."};
inline constexpr LocalText NoRegistry{L"Die Registry steht auf diesem System nicht zur Verfügung.",
                                      L"The registry is not available on this system."};
// %1: why the file could not be read.
inline constexpr LocalText NotOverwritten{L"%1 Die Datei wird nicht überschrieben.",
                                          L"%1 The file will not be overwritten."};
// After a failed replace, where each copy of the settings was left.
inline constexpr LocalText OldFileAt{L"Die bisherige Datei liegt unter %1.",
                                     L"The previous file is at %1."};
inline constexpr LocalText NewFileAt{L"Die neue Datei liegt unter %1.", L"The new file is at %1."};
// %1: the file's name, %2: the character's number.
inline constexpr LocalText XmlDamaged{L"Die XML-Datei \"%1\" ist beschädigt (Zeichen %2).",
                                      L"The XML file \"%1\" is damaged (character %2)."};
inline constexpr LocalText NoXml{
    L"XML-Einstellungsdateien werden in diesem Programm nicht unterstützt.",
    L"This program does not support XML settings files."};
// %1: the name of the operation.
inline constexpr LocalText TextFilesOnly{L"%1 ist nur für Text-Einstellungsdateien möglich.",
                                         L"%1 is possible only for text settings files."};
inline constexpr LocalText NoStreamFromRegistry{L"SaveToStream ist für die Registry nicht möglich.",
                                                L"SaveToStream is not possible for the registry."};
inline constexpr LocalText KeyCannotOpen{L"Registry-Schlüssel %1 kann nicht geöffnet werden.",
                                         L"The registry key %1 cannot be opened."};
inline constexpr LocalText KeyCannotCreate{L"Registry-Schlüssel %1 kann nicht erstellt werden.",
                                           L"The registry key %1 cannot be created."};
inline constexpr LocalText KeyCannotDelete{L"Registry-Schlüssel %1 kann nicht gelöscht werden.",
                                           L"The registry key %1 cannot be deleted."};
inline constexpr LocalText ValueCannotSet{L"Fehler beim Setzen der Daten für %1.",
                                          L"Error while setting the data of %1."};
inline constexpr LocalText ValueCannotDelete{L"Registry-Wert %1 kann nicht gelöscht werden.",
                                             L"The registry value %1 cannot be deleted."};

} // namespace StorageText
