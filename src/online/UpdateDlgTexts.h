#pragma once
// What the update dialog says, and its list of intervals.
#include "online/UpdateCheck.h"
#include "util/LocalText.h"

#include <string>

inline constexpr const wchar_t* UpdateDlgCaption = L"Update-Assistent";
inline constexpr const wchar_t* UpdateDlgSearchCaption = L"Neue Version suchen";
inline constexpr const wchar_t* UpdateDlgCloseCaption = L"Schließen";
inline constexpr const wchar_t* UpdateDlgSettingsCaption = L"Einstellungen...";
inline constexpr LocalText UpdateDlgIntervalLabel{L"Automatisch nach neuen Versionen suchen",
                                                  L"Check for new versions automatically"};
inline constexpr const wchar_t* UpdateDlgSearchingMsg = L"Suche neue Version. Bitte warten...";

// The line at the top, with the program's display name and version.
std::wstring UpdateDlgDescription(const std::wstring& displayName, const std::wstring& version);
// The message shown on opening; without one, the hint to press the search button.
std::wstring UpdateDlgShownMsg(const std::wstring& msg);

struct TUpdateDlgInterval {
    TAutoUpdateInterval Value;
    const wchar_t* Caption;
};
// Each interval has its own entry: a check switched off shows as "Nie" (and
// stays off when the dialog closes), and the user can switch it off here.
inline constexpr TUpdateDlgInterval UpdateDlgIntervals[] = {{aai4Weeks, L"Alle 4 Wochen"},
                                                            {aai8Weeks, L"Alle 8 Wochen"},
                                                            {aai1Year, L"Ein mal im Jahr"},
                                                            {aaiDisabled, L"Nie"}};
// The entry shown for the stored interval; the first when it is not listed.
int UpdateDlgIntervalIndex(TAutoUpdateInterval value);
