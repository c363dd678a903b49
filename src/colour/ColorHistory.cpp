#include "colour/ColorHistory.h"

#include "storage/IniHelpers.h"
#include "util/ColorText.h"

#include <string>

const wchar_t* const ColorHistorySection = L"ColorHistory";

bool TColorHistory::Add(TColor color) {
    const TColor rgb = GetRealColor(color) & 0xFFFFFF;
    if (!m_colors.empty() && m_colors.front() == rgb) return false;
    m_colors.insert(m_colors.begin(), rgb);
    if (m_colors.size() > Capacity) m_colors.resize(Capacity);
    return true;
}

void TColorHistory::Load(TCustomIniFile& ini) {
    m_colors.clear();
    for (std::size_t i = 0; i < Capacity; ++i) {
        // A missing key is no colour (the stored form's default would read as white).
        const TColor color = ShortHexBGRToColor(
            ini.ReadString(ColorHistorySection, std::to_wstring(i), L""), clNone);
        if (color != clNone && (m_colors.empty() || m_colors.back() != color))
            m_colors.push_back(color);
    }
}

void TColorHistory::Save(TCustomIniFile& ini) const {
    // Keys of a longer list stored before must not come back.
    ini.EraseSection(ColorHistorySection);
    for (std::size_t i = 0; i < m_colors.size(); ++i)
        INI_WriteColor(ini, ColorHistorySection, std::to_wstring(i), m_colors[i]);
}
