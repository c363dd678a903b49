#include "colour/PaletteTables.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr TColor Rgb(unsigned rrggbb) {
    return RGBColor(static_cast<int>(rrggbb >> 16), static_cast<int>((rrggbb >> 8) & 0xFF),
                    static_cast<int>(rrggbb & 0xFF));
}

struct TableCase {
    TMVPalette Kind;
    std::size_t Size;
    std::vector<std::pair<std::size_t, unsigned>> Entries; // index, RRGGBB
};

} // namespace

TEST(ColorPalTables, SizesAndKnownEntries) {
    const TableCase cases[] = {
        {TMVPalette::mvPal8, 8, {{0, 0x000000}, {1, 0xFF0000}, {2, 0x00FF00}, {6, 0x00FFFF}}},
        {TMVPalette::mvPal16, 16, {{1, 0x800000}, {8, 0xC0C0C0}, {12, 0x0000FF}, {15, 0xFFFFFF}}},
        {TMVPalette::mvPal256,
         256,
         {{1, 0x000033},
          {6, 0x003300},
          {36, 0x330000},
          {215, 0xFFFFFF},
          {216, 0x000000},
          {217, 0x070707},
          {218, 0x0D0D0D},
          {219, 0x141414},
          {254, 0xF8F8F8},
          {255, 0xFFFFFF}}},
        {TMVPalette::mvPalWin, 48, {{0, 0xFF8080}, {7, 0xFF80FF}, {29, 0x0000A0}, {47, 0xFFFFFF}}},
        {TMVPalette::mvPalCreme, 16, {{0, 0xA09683}, {7, 0x0000BF}, {15, 0xA8CAF0}}},
        {TMVPalette::mvPalWeb120,
         120,
         {{0, 0xF0F8FF}, {11, 0xFF7F50}, {12, 0x6495ED}, {60, 0xFFB6C1}, {119, 0x9ACD32}}},
        // Rows of 18: the first starts blue 33 with rising green, the middle run
        // of a row falls; the lower half runs red back down.
        {TMVPalette::mvPalWeb216,
         216,
         {{0, 0x000033},
          {1, 0x003333},
          {2, 0x006633},
          {6, 0x00FF66},
          {11, 0x000066},
          {12, 0x0000FF},
          {18, 0x330033},
          {108, 0xFF0000},
          {215, 0x00FFCC}}},
        {TMVPalette::mvPalWordVista,
         60,
         {{0, 0xFFFFFF}, {3, 0x1F497D}, {33, 0x548DD4}, {34, 0x548DD4}, {59, 0x974806}}},
    };
    for (const auto& c : cases) {
        const auto& cells = FixedPaletteCells(c.Kind);
        ASSERT_EQ(cells.size(), c.Size) << static_cast<int>(c.Kind);
        for (const auto& [index, rgb] : c.Entries)
            EXPECT_EQ(cells[index], Rgb(rgb)) << static_cast<int>(c.Kind) << " #" << index;
    }
    EXPECT_TRUE(FixedPaletteCells(TMVPalette::mvPalList).empty());
}

TEST(ColorPalTables, CellsAreStoredBlueInTheHighByte) {
    const auto& web = FixedPaletteCells(TMVPalette::mvPalWeb216);
    EXPECT_EQ(web[0], 0x330000);
    EXPECT_EQ(web[1], 0x333300);
    EXPECT_EQ(web[2], 0x336600);
}

TEST(ColorPalTables, GeneratedTablesHoldEachColourOnce) {
    for (TMVPalette kind : {TMVPalette::mvPal256, TMVPalette::mvPalWeb216}) {
        const auto& cells = FixedPaletteCells(kind);
        const std::size_t cube = 216;
        const std::set<TColor> distinct(cells.begin(), cells.begin() + cube);
        EXPECT_EQ(distinct.size(), cube);
        for (TColor c : distinct)
            for (int channel : {RedOf(c), GreenOf(c), BlueOf(c)})
                EXPECT_EQ(channel % 0x33, 0) << std::hex << c;
    }
    // The grey ramp rises strictly.
    const auto& pal256 = FixedPaletteCells(TMVPalette::mvPal256);
    for (std::size_t i = 217; i < 256; ++i)
        EXPECT_GT(RedOf(pal256[i]), RedOf(pal256[i - 1]));
}
