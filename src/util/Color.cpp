#include "util/Color.h"

#include <array>

namespace {

// Default colours of the classic Windows scheme, by system colour index.
std::uint32_t DefaultSysColor(int index) {
    static constexpr std::array<std::uint32_t, 31> table = {
        0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
        0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
        0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
        0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xD77800, 0xF0F0F0};
    if (index < 0 || index >= static_cast<int>(table.size())) return 0;
    return table[static_cast<std::size_t>(index)];
}

SysColorProvider g_provider = &DefaultSysColor;

} // namespace

void SetSysColorProvider(SysColorProvider provider) {
    g_provider = provider ? provider : &DefaultSysColor;
}

TColor GetRealColor(TColor color) {
    if (color < 0) return static_cast<TColor>(g_provider(color & 0xFF) & 0xFFFFFF);
    return color;
}
