#include "storage/IniHelpers.h"

#include "util/ColorText.h"
#include "util/Numbers.h"

#include <algorithm>

TColor INI_ReadColor(TCustomIniFile& ini, const std::wstring& section, const std::wstring& key,
                     TColor defaultColor) {
    return ShortHexBGRToColor(ini.ReadString(section, key, ColorToShortHexBGR(defaultColor)),
                              defaultColor);
}

void INI_WriteColor(TCustomIniFile& ini, const std::wstring& section, const std::wstring& key,
                    TColor color) {
    ini.WriteString(section, key, ColorToShortHexBGR(color));
}

double INI_ReadFloat(TCustomIniFile& ini, const std::wstring& section, const std::wstring& key,
                     double defaultValue) {
    return ParseStoredFloat(ini.ReadString(section, key, L""), defaultValue);
}

void INI_WriteFloat(TCustomIniFile& ini, const std::wstring& section, const std::wstring& key,
                    int decimals, double value) {
    ini.WriteString(section, key, FormatStoredFloat(decimals, value));
}

void INI_WriteLength(TCustomIniFile& ini, const std::wstring& section, const std::wstring& key,
                     double value) {
    ini.WriteString(section, key, FormatFloatMV(L"0.00##", L'.', L',', value));
}

void SL_SaveToIniMini(const TStrings& list, TCustomIniFile& ini, const std::wstring& section,
                      const std::wstring& skipValue) {
    ini.EraseSection(section);
    ini.WriteInteger(section, L"count", static_cast<std::int32_t>(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] != skipValue) ini.WriteString(section, std::to_wstring(i), list[i]);
}

void SL_LoadFromIni(TStrings& list, TCustomIniFile& ini, const std::wstring& section,
                    const std::wstring& defaultValue, int maxCount) {
    list.clear();
    SL_LoadFromIniAdd(list, ini, section, defaultValue, maxCount);
}

void SL_LoadFromIniAdd(TStrings& list, TCustomIniFile& ini, const std::wstring& section,
                       const std::wstring& defaultValue, int maxCount) {
    const int count = std::min(ini.ReadInteger(section, L"count", 0), maxCount);
    for (int i = 0; i < count; ++i)
        list.push_back(ini.ReadString(section, std::to_wstring(i), defaultValue));
}
