#pragma once
// What the update dialog says, and its list of intervals.
#include "online/UpdateCheck.h"
#include "util/LocalText.h"

#include <string>

inline constexpr LocalText UpdateDlgCaption{L"Update-Assistent", L"Check for Updates"};
inline constexpr LocalText UpdateDlgSearchCaption{L"Neue Version suchen", L"Check Now"};
inline constexpr LocalText UpdateDlgCloseCaption{L"Schließen", L"Close"};
inline constexpr LocalText UpdateDlgSettingsCaption{L"Einstellungen...", L"Settings..."};
inline constexpr LocalText UpdateDlgIntervalLabel{L"Automatisch nach neuen Versionen suchen",
                                                  L"Check for new versions automatically"};
inline constexpr LocalText UpdateDlgSearchingMsg{L"Suche neue Version. Bitte warten...",
                                                 L"Checking for a new version. Please wait..."};
// When the check itself failed (its bookkeeping could not be read or written).
inline constexpr LocalText UpdateCheckUnreadableText{
    L"Die Angaben der Update-Prüfung konnten nicht gelesen werden.",
    L"The update check's records could not be read."};

// The line at the top, with the program's display name and version.
std::wstring UpdateDlgDescription(const std::wstring& displayName, const std::wstring& version);
// The message shown on opening; without one, the hint to press the search button.
std::wstring UpdateDlgShownMsg(const std::wstring& msg);

struct TUpdateDlgInterval {
    TAutoUpdateInterval Value;
    LocalText Caption;
};
// Each interval has its own entry: a check switched off shows as "Nie" (and
// stays off when the dialog closes), and the user can switch it off here.
inline constexpr TUpdateDlgInterval UpdateDlgIntervals[] = {
    {aai4Weeks, {L"Alle 4 Wochen", L"Every 4 weeks"}},
    {aai8Weeks, {L"Alle 8 Wochen", L"Every 8 weeks"}},
    {aai1Year, {L"Ein mal im Jahr", L"Once a year"}},
    {aaiDisabled, {L"Nie", L"Never"}}};
// The entry shown for the stored interval; the first when it is not listed.
int UpdateDlgIntervalIndex(TAutoUpdateInterval value);
