#pragma once
// Colours, floats and string lists in settings stores, in their stored forms.
#include "storage/CustomIniFile.h"
#include "util/Color.h"

#include <string>

// Six hex digits "BBGGRR"; a missing key gives the resolved default, a malformed
// value the default as given.
TColor INI_ReadColor(TCustomIniFile& ini, const std::wstring& section, const std::wstring& key,
                     TColor defaultColor);
void INI_WriteColor(TCustomIniFile& ini, const std::wstring& section, const std::wstring& key,
                    TColor color);

// A decimal comma and no grouping whatever the locale: "9,84". Reading skips ".".
double INI_ReadFloat(TCustomIniFile& ini, const std::wstring& section, const std::wstring& key,
                     double defaultValue);
void INI_WriteFloat(TCustomIniFile& ini, const std::wstring& section, const std::wstring& key,
                    int decimals, double value);
// A length as the settings dialog shows it: at least two decimals, up to four
// ("5,48", "5,4837"), so a calibration survives a restart digit for digit.
void INI_WriteLength(TCustomIniFile& ini, const std::wstring& section, const std::wstring& key,
                     double value);

// A list as "count" and keys "0", "1", ...; lines equal to skipValue are left out
// and come back as the default when loading.
void SL_SaveToIniMini(const TStrings& list, TCustomIniFile& ini, const std::wstring& section,
                      const std::wstring& skipValue);
// A damaged file may claim any count; more than maxCount lines are not read.
constexpr int MaxIniListCount = 65536;
void SL_LoadFromIni(TStrings& list, TCustomIniFile& ini, const std::wstring& section,
                    const std::wstring& defaultValue, int maxCount = MaxIniListCount);
void SL_LoadFromIniAdd(TStrings& list, TCustomIniFile& ini, const std::wstring& section,
                       const std::wstring& defaultValue, int maxCount = MaxIniListCount);
