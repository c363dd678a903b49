// libFuzzer target: the colour, float and list readers of the settings store
// take any stored text, and what they write reads back after the file has been
// saved and loaded again.
#include "storage/IniHelpers.h"
#include "storage/MvMemIni.h"

#include "FuzzSupport.h"

#include <cmath>

namespace {

// What a value becomes in a text settings file: one line, trimmed.
std::wstring AsStored(std::wstring value) {
    for (auto& ch : value)
        if (ch == L'\r' || ch == L'\n') ch = L' ';
    std::size_t first = 0, last = value.size();
    while (first < last && static_cast<std::uint32_t>(value[first]) <= 0x20)
        ++first;
    while (last > first && static_cast<std::uint32_t>(value[last - 1]) <= 0x20)
        --last;
    return value.substr(first, last - first);
}

void Reload(TMvMemIniFile& ini) {
    const TBytes bytes = ini.GetBytes();
    ini.LoadFromBytes(bytes.data(), bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
    // A stored file: every key through every reader.
    ini.SetText(TakeWord(in, 4000, L"[]=\r\n;ListecountFarbe0123456789-$xABCDEF,. "));
    TStrings sections;
    ini.ReadSections(sections);
    for (const auto& section : sections) {
        TStrings list;
        SL_LoadFromIni(list, ini, section, L"-");
        Check(list.size() <= static_cast<std::size_t>(MaxIniListCount));
        TStrings keys;
        ini.ReadSection(section, keys);
        for (const auto& key : keys) {
            (void)INI_ReadColor(ini, section, key, 0x1FFFFFFF);
            (void)INI_ReadFloat(ini, section, key, 0.0);
        }
    }

    // Written values come back through the file.
    const TColor colour = in.ConsumeIntegralInRange<TColor>(0, 0xFFFFFF);
    INI_WriteColor(ini, L"Farben", L"Farbe", colour);
    const int decimals = in.ConsumeIntegralInRange<int>(0, 6);
    const double number = in.ConsumeFloatingPoint<double>();
    INI_WriteFloat(ini, L"Zahlen", L"Wert", decimals, number);
    TStrings list;
    const std::size_t count = in.ConsumeIntegralInRange<std::size_t>(0, 12);
    for (std::size_t i = 0; i < count; ++i)
        list.push_back(WithoutSurrogates(TakeWord(in, 12, L"ab -=[]\r;")));
    const std::wstring skip = list.empty() ? L"" : list[0];
    SL_SaveToIniMini(list, ini, L"Liste", skip);
    Reload(ini);

    Check(INI_ReadColor(ini, L"Farben", L"Farbe", 0x1FFFFFFF) == colour);
    const double read = INI_ReadFloat(ini, L"Zahlen", L"Wert", 12345.0);
    if (std::isfinite(number) && std::fabs(number) < 1e12)
        Check(std::fabs(read - number) <=
              0.5 * std::pow(10.0, -decimals) + 1e-9 * std::fabs(number));
    TStrings loaded;
    SL_LoadFromIni(loaded, ini, L"Liste", skip);
    Check(loaded.size() == list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        Check(loaded[i] == (list[i] == skip ? skip : AsStored(list[i])));
    return 0;
}
