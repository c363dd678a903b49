#include "settings/ColorPopupTables.h"

#include "util/ColorMath.h"
#include "util/ColorText.h"

#include <array>

namespace {

struct OfficeCell {
    TColor Rgb; // RRGGBB as written in the table
    const wchar_t* Name;
};

constexpr std::array<OfficeCell, StandardColorCount> OfficeCells = {{
    {0x000000, L"Black"},
    {0x993300, L"Brown"},
    {0x333300, L"Olive Green"},
    {0x003300, L"Dark Green"},
    {0x003366, L"Dark Teal"},
    {0x000080, L"Dark blue"},
    {0x333399, L"Indigo"},
    {0x333333, L"Gray-80%"},
    {0x800000, L"Dark Red"},
    {0xFF6600, L"Orange"},
    {0x808000, L"Dark Yellow"},
    {0x008000, L"Green"},
    {0x008080, L"Teal"},
    {0x0000FF, L"Blue"},
    {0x666699, L"Blue-Gray"},
    {0x808080, L"Gray-50%"},
    {0xFF0000, L"Red"},
    {0xFF9900, L"Light Orange"},
    {0x99CC00, L"Lime"},
    {0x339966, L"Sea Green"},
    {0x33CCCC, L"Aqua"},
    {0x3366FF, L"Light Blue"},
    {0x800080, L"Violet"},
    {0x969696, L"Grey-40%"},
    {0xFF00FF, L"Pink"},
    {0xFFCC00, L"Gold"},
    {0xFFFF00, L"Yellow"},
    {0x00FF00, L"Bright Green"},
    {0x00FFFF, L"Turquoise"},
    {0x00CCFF, L"Sky Blue"},
    {0x993366, L"Plum"},
    {0xC0C0C0, L"Gray-25%"},
    {0xFF99CC, L"Rose"},
    {0xFFCC99, L"Tan"},
    {0xFFFF99, L"Light Yellow"},
    {0xCCFFCC, L"Light Green"},
    {0xCCFFFF, L"Light Turquoise"},
    {0x99CCFF, L"Pale Blue"},
    {0xCC99FF, L"Lavender"},
    {0xFFFFFF, L"White"},
}};

struct CmykCell {
    double C, M, Y, K;
};

constexpr std::array<CmykCell, StandardColorCount> CmykCells = {{
    {1, 0, 0, 0},
    {0, 1, 0, 0},
    {0, 0, 1, 0},
    {0, 0, 0, 1},
    {0, 0, 0, 0},
    {0, 0, 0, 0.2},
    {0, 0, 0, 0.4},
    {0, 0, 0, 0.6},
    {0, 0, 0, 0.8},
    {0, 0, 0.33, 0},
    {0.1, 0, 0.9, 0},
    {0.05, 0.07, 0.8, 0},
    {0, 0.2, 1, 0},
    {0, 0.5, 1, 0},
    {0, 0.4, 0.66, 0},
    {0, 0.1, 0.34, 0},
    {0, 0.2, 0.33, 0},
    {0.11, 0.22, 0.28, 0},
    {0, 0.8, 1, 0},
    {0, 1, 1, 0},
    {0.2, 1, 1, 0},
    {0.3, 0, 1, 0},
    {0.5, 0, 1, 0},
    {0.75, 0.05, 1, 0},
    {0.92, 0.05, 1, 0.25},
    {1, 0.75, 0, 0.15},
    {1, 0.9, 0.1, 0},
    {0.8, 0.15, 0.1, 0.4},
    {0.65, 0, 0.55, 0},
    {1, 0, 0.4, 0},
    {1, 0.3, 0, 0.1},
    {0.85, 0, 0.2, 0},
    {0.8, 0, 0.4, 0},
    {0.33, 0, 0, 0},
    {0.75, 0.14, 0.2, 0.18},
    {0.8, 0.87, 0, 0.05},
    {0.3, 0.4, 0, 0},
    {0, 0.66, 0, 0},
    {0, 0.33, 0, 0},
    {0.05, 0.7, 1, 0.35},
}};

constexpr std::array<const wchar_t*, SystemColorCount> SystemNames = {
    L"scroll bar",
    L"background",
    L"active caption",
    L"inactive caption",
    L"menu",
    L"window",
    L"window frame",
    L"menu text",
    L"window text",
    L"caption text",
    L"active border",
    L"inactive border",
    L"application workspace",
    L"highlight",
    L"highlight text",
    L"button face",
    L"button shadow",
    L"gray text",
    L"button text",
    L"inactive caption text",
    L"button highlight",
    L"3D dark shadow",
    L"3D light",
    L"info text",
    L"info background",
};

bool InStandardRange(int index) {
    return index >= 0 && index < StandardColorCount;
}

} // namespace

TColor StandardColor(TCpbColorPal pal, int index) {
    if (!InStandardRange(index)) return clNone;
    const auto i = static_cast<std::size_t>(index);
    if (pal == TCpbColorPal::cpOffice) {
        const TColor rgb = OfficeCells[i].Rgb;
        return RGBColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    const CmykCell& cell = CmykCells[i];
    TRGBTriple rgb;
    CMYKtoRGB(cell.C, cell.M, cell.Y, cell.K, rgb);
    return RGBTripleToColor(rgb);
}

std::wstring StandardColorName(TCpbColorPal pal, int index) {
    if (pal != TCpbColorPal::cpOffice || !InStandardRange(index)) return {};
    return OfficeCells[static_cast<std::size_t>(index)].Name;
}

TColor SystemCellColor(int index) {
    if (index < 0 || index >= SystemColorCount) return clNone;
    return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index));
}

std::wstring SystemColorName(int index) {
    if (index < 0 || index >= SystemColorCount) return {};
    return std::wstring(L"system color: ") + SystemNames[static_cast<std::size_t>(index)];
}
