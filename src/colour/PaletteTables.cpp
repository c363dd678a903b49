#include "colour/PaletteTables.h"

#include <initializer_list>

namespace {

// The tables below are written red first (RRGGBB), the way colours are named
// on the web and in office themes; cells hold 00BBGGRR.
constexpr TColor FromRRGGBB(unsigned rgb) {
    return RGBColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                    static_cast<int>(rgb & 0xFF));
}

std::vector<TColor> FromRRGGBB(std::initializer_list<unsigned> rgbs) {
    std::vector<TColor> cells;
    cells.reserve(rgbs.size());
    for (unsigned rgb : rgbs)
        cells.push_back(FromRRGGBB(rgb));
    return cells;
}

// Entry n has full red for bit 0, green for bit 1, blue for bit 2.
std::vector<TColor> Pal8() {
    std::vector<TColor> cells;
    for (int n = 0; n < 8; ++n)
        cells.push_back(RGBColor(n & 1 ? 0xFF : 0, n & 2 ? 0xFF : 0, n & 4 ? 0xFF : 0));
    return cells;
}

// The 6 x 6 x 6 cube (blue fastest), then 40 greys from black to white.
std::vector<TColor> Pal256() {
    std::vector<TColor> cells;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                cells.push_back(RGBColor(0x33 * r, 0x33 * g, 0x33 * b));
    // i * 255 / 39 rounded to nearest; it never falls on a half.
    for (int i = 0; i < 40; ++i) {
        const int level = (i * 255 * 2 + 39) / 78;
        cells.push_back(RGBColor(level, level, level));
    }
    return cells;
}

// 12 rows of 18: each row is three runs of six greens (the middle run falling),
// one blue per run; red climbs over the first six rows and falls back over the
// last six, which take the other three blues.
std::vector<TColor> Web216() {
    static constexpr int upperBlues[3] = {0x33, 0x66, 0xFF};
    static constexpr int lowerBlues[3] = {0x00, 0x99, 0xCC};
    std::vector<TColor> cells;
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 18; ++c) {
            const int k = c / 6, s = c % 6;
            const bool upper = r < 6;
            const int red = 0x33 * (upper ? r : 11 - r);
            const int blue = upper ? upperBlues[k] : lowerBlues[k];
            const int green = 0x33 * (k == 1 ? 5 - s : s);
            cells.push_back(RGBColor(red, green, blue));
        }
    return cells;
}

std::vector<TColor> Pal16() {
    return FromRRGGBB({0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
                       0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF,
                       0x00FFFF, 0xFFFFFF});
}

std::vector<TColor> PalWin() {
    return FromRRGGBB({
        0xFF8080, 0xFFFF80, 0x80FF80, 0x00FF80, 0x80FFFF, 0x0080FF, 0xFF80C0, 0xFF80FF, //
        0xFF0000, 0xFFFF00, 0x80FF00, 0x00FF40, 0x00FFFF, 0x0080C0, 0x8080C0, 0xFF00FF, //
        0x804040, 0xFF8040, 0x00FF00, 0x008080, 0x004080, 0x8080FF, 0x800040, 0xFF0080, //
        0x800000, 0xFF8000, 0x008000, 0x008040, 0x0000FF, 0x0000A0, 0x800080, 0x8000FF, //
        0x400000, 0x804000, 0x004000, 0x004040, 0x000080, 0x000040, 0x400040, 0x400080, //
        0x000000, 0x808000, 0x808040, 0x808080, 0x408080, 0xC0C0C0, 0x400040, 0xFFFFFF,
    });
}

std::vector<TColor> PalCreme() {
    return FromRRGGBB({0xA09683, 0x3892CD, 0x972836, 0x917948, 0xDCB95C, 0x88AC71, 0x959595,
                       0x0000BF, 0xEBEAE0, 0x8DB8CF, 0xB95B5B, 0xFFD553, 0xFFFAB9, 0xB3CB98,
                       0xCFCFCF, 0xA8CAF0});
}

std::vector<TColor> Web120() {
    return FromRRGGBB({
        0xF0F8FF, 0xFAEBD7, 0x7FFFD4, 0xF0FFFF, 0xF5F5DC, 0x8A2BE2, // AliceBlue ...
        0xA52A2A, 0xDEB887, 0x5F9EA0, 0x7FFF00, 0xD2691E, 0xFF7F50, //
        0x6495ED, 0xFFF8DC, 0xDC143C, 0x00008B, 0x008B8B, 0xB8860B, //
        0xA9A9A9, 0x006400, 0xBDB76B, 0x8B008B, 0x556B2F, 0xFF8C00, //
        0x9932CC, 0x8B0000, 0xE9967A, 0x8FBC8F, 0x483D8B, 0x2F4F4F, //
        0x00CED1, 0x9400D3, 0xFF1493, 0x00BFFF, 0x696969, 0x1E90FF, //
        0xB22222, 0xFFFAF0, 0x228B22, 0xDCDCDC, 0xF8F8FF, 0xFFD700, //
        0xDAA520, 0xADFF2F, 0xF0FFF0, 0xFF69B4, 0xCD5C5C, 0x4B0082, //
        0xFFFFF0, 0xF0E68C, 0xE6E6FA, 0xFFF0F5, 0x7CFC00, 0xFFFACD, //
        0xADD8E6, 0xF08080, 0xE0FFFF, 0xFAFAD2, 0x90EE90, 0xD3D3D3, //
        0xFFB6C1, 0xFFA07A, 0x20B2AA, 0x87CEFA, 0x778899, 0xB0C4DE, //
        0xFFFFE0, 0x32CD32, 0xFAF0E6, 0x66CDAA, 0x0000CD, 0xBA55D3, //
        0x9370DB, 0x3CB371, 0x7B68EE, 0x00FA9A, 0x48D1CC, 0xC71585, //
        0x191970, 0xF5FFFA, 0xFFE4E1, 0xFFE4B5, 0xFFDEAD, 0xFDF5E6, //
        0x6B8E23, 0xFFA500, 0xFF4500, 0xDA70D6, 0xEEE8AA, 0x98FB98, //
        0xAFEEEE, 0xDB7093, 0xFFEFD5, 0xFFDAB9, 0xCD853F, 0xFFC0CB, //
        0xDDA0DD, 0xB0E0E6, 0xBC8F8F, 0x4169E1, 0x8B4513, 0xFA8072, //
        0xF4A460, 0x2E8B57, 0xFFF5EE, 0xA0522D, 0x87CEEB, 0x6A5ACD, //
        0x708090, 0xFFFAFA, 0x00FF7F, 0x4682B4, 0xD2B48C, 0xD8BFD8, //
        0xFF6347, 0x40E0D0, 0xEE82EE, 0xF5DEB3, 0xF5F5F5, 0x9ACD32, // ... YellowGreen
    });
}

// The office theme grid: theme colours on top, then five shades of each.
std::vector<TColor> WordVista() {
    return FromRRGGBB({
        0xFFFFFF, 0x000000, 0xEEECE1, 0x1F497D, 0x4F81BD, //
        0xC0504D, 0x9BBB59, 0x8064A2, 0x4BACC6, 0xF79646, // row 1
        0xF2F2F2, 0x7F7F7F, 0xDDD9C3, 0xC6D9F0, 0xDBE5F1, //
        0xF2DCDB, 0xEBF1DD, 0xE5E0EC, 0xDBEEF3, 0xFDEADA, // row 2
        0xD8D8D8, 0x595959, 0xC4BD97, 0x8DB3E2, 0xB8CCE4, //
        0xE5B9B7, 0xD7E3BC, 0xC5C5C5, 0xB7DDE8, 0xFBD5B5, // row 3
        0xBFBFBF, 0x3F3F3F, 0x938953, 0x548DD4, 0x548DD4, //
        0xD99694, 0xC3D69B, 0xB2A2C7, 0x92CDDC, 0xFAC08F, // row 4
        0xA5A5A5, 0x262626, 0x494429, 0x17365D, 0x366092, //
        0x953734, 0x76923C, 0x5F497A, 0x31859B, 0xE36C09, // row 5
        0x7F7F7F, 0x0C0C0C, 0x1D1B10, 0x0F243E, 0x244061, //
        0x632423, 0x4F6128, 0x3F3151, 0x205867, 0x974806, // row 6
    });
}

} // namespace

// Built on first use, so callers running before main find them too.
const std::vector<TColor>& FixedPaletteCells(TMVPalette kind) {
    static const std::vector<TColor> none;
    switch (kind) {
    case TMVPalette::mvPal8: {
        static const auto cells = Pal8();
        return cells;
    }
    case TMVPalette::mvPal16: {
        static const auto cells = Pal16();
        return cells;
    }
    case TMVPalette::mvPal256: {
        static const auto cells = Pal256();
        return cells;
    }
    case TMVPalette::mvPalWin: {
        static const auto cells = PalWin();
        return cells;
    }
    case TMVPalette::mvPalCreme: {
        static const auto cells = PalCreme();
        return cells;
    }
    case TMVPalette::mvPalList:
        return none;
    case TMVPalette::mvPalWeb120: {
        static const auto cells = Web120();
        return cells;
    }
    case TMVPalette::mvPalWeb216: {
        static const auto cells = Web216();
        return cells;
    }
    case TMVPalette::mvPalWordVista: {
        static const auto cells = WordVista();
        return cells;
    }
    }
    return none;
}
