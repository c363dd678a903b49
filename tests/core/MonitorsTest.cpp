// The monitors: what an EDID block says, when its size is believed, and
// which monitor a point or a window belongs to.
#include "screens/Edid.h"
#include "screens/MonitorLayout.h"

#include "../common/EdidBlock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::optional<EdidInfo> Parse(const std::vector<std::uint8_t>& block) {
    return ParseEdid(block);
}

} // namespace

TEST(Edid, ReadsWhoMadeTheMonitorItsNameAndItsSize) {
    const auto info = Parse(EdidBlock({.Manufacturer = "DEL",
                                       .Product = 0xA0B1,
                                       .Serial = 0x12345678,
                                       .Name = "DELL U2720Q",
                                       .NativeWidth = 3840,
                                       .NativeHeight = 2160,
                                       .WidthMM = 597,
                                       .HeightMM = 336}));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->Manufacturer, "DEL");
    EXPECT_EQ(info->Product, 0xA0B1);
    EXPECT_EQ(info->Serial, 0x12345678u);
    EXPECT_EQ(info->Name, "DELL U2720Q");
    EXPECT_EQ(info->NativeWidth, 3840);
    EXPECT_EQ(info->NativeHeight, 2160);
    EXPECT_EQ(info->WidthMM, 597);
    EXPECT_EQ(info->HeightMM, 336);
    EXPECT_EQ(MonitorIdOf(info, L"dev"), L"DEL-A0B1-12345678");

    // No size in the timing: the basic parameters' centimetres; no name.
    const auto basic = Parse(EdidBlock({.Name = "", .WidthMM = 0, .HeightMM = 0}));
    ASSERT_TRUE(basic);
    EXPECT_EQ(basic->WidthMM, 530);
    EXPECT_EQ(basic->HeightMM, 300);
    EXPECT_EQ(basic->Name, "");
    // 13 characters fill the descriptor without a line feed.
    EXPECT_EQ(Parse(EdidBlock({.Name = "ABCDEFGHIJKLM"}))->Name, "ABCDEFGHIJKLM");
}

TEST(Edid, RefusesWhatIsNoBaseBlock) {
    auto block = EdidBlock();
    auto badSum = block;
    badSum[100] ^= 1;
    auto badHeader = block;
    badHeader[0] = 0xFF;
    const std::vector<std::uint8_t> shortBlock(block.begin(), block.begin() + 127);
    for (const auto& bytes : {badSum, badHeader, shortBlock, std::vector<std::uint8_t>{}})
        EXPECT_FALSE(Parse(bytes));
    // An extension block after the base block does not matter.
    block.resize(256, 0x55);
    EXPECT_TRUE(Parse(block));
    // The id falls back to the device's, made safe for a settings key.
    EXPECT_EQ(MonitorIdOf(std::nullopt, L"DISPLAY\\Default=Monitor[1]"),
              L"DISPLAY\\Default_Monitor_1_");
    EXPECT_EQ(MonitorIdOf(Parse(EdidBlock({.Manufacturer = "", .Product = 0})), L"dev"), L"dev");
}

TEST(Edid, SizeIsBelievedOnlyWhenItFitsThePixels) {
    const struct {
        const char* What;
        EdidFields Fields;
        bool Plausible;
    } rows[] = {
        {"a 27-inch 4K monitor",
         {.NativeWidth = 3840, .NativeHeight = 2160, .WidthMM = 597, .HeightMM = 336},
         true},
        {"a laptop panel",
         {.NativeWidth = 1920, .NativeHeight = 1200, .WidthMM = 286, .HeightMM = 179},
         true},
        {"a projector says 0", {.WidthMM = 0, .HeightMM = 0, .WidthCM = 0, .HeightCM = 0}, false},
        {"only an aspect ratio",
         {.WidthMM = 0, .HeightMM = 0, .WidthCM = 0, .HeightCM = 79},
         false},
        {"a TV's 160 x 90 cm aspect",
         {.WidthMM = 0, .HeightMM = 0, .WidthCM = 160, .HeightCM = 90},
         false},
        {"a wall: under 1.5 px/mm",
         {.NativeWidth = 1920, .NativeHeight = 1080, .WidthMM = 1600, .HeightMM = 900},
         false},
        {"a phone: over 30 px/mm",
         {.NativeWidth = 3840, .NativeHeight = 2160, .WidthMM = 120, .HeightMM = 68},
         false},
        {"aspect 20 % off",
         {.NativeWidth = 1920, .NativeHeight = 1080, .WidthMM = 527, .HeightMM = 370},
         false},
        {"aspect 8 % off",
         {.NativeWidth = 1920, .NativeHeight = 1080, .WidthMM = 527, .HeightMM = 320},
         true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.What);
        const auto info = Parse(EdidBlock(row.Fields));
        ASSERT_TRUE(info);
        EXPECT_EQ(PlausibleSize(*info, 1920, 1080).has_value(), row.Plausible);
    }
    // Without a native mode the monitor's own pixels judge the size.
    EdidInfo noTiming{.WidthMM = 340, .HeightMM = 270};
    EXPECT_TRUE(PlausibleSize(noTiming, 1280, 1024));
    EXPECT_FALSE(PlausibleSize(noTiming, 1920, 1080));
}

namespace {

Monitor MonitorAt(Rect bounds, bool primary = false) {
    Monitor m;
    m.Bounds = m.WorkArea = bounds;
    m.Primary = primary;
    return m;
}

} // namespace

TEST(MonitorLayout, FindsTheMonitorOfAPointAWindowAndAPlaceOnNone) {
    // A 1280 x 800 primary, a 1024 x 768 monitor to its right, one above it.
    const MonitorLayout layout({MonitorAt({1280, 0, 2304, 768}), MonitorAt({0, 0, 1280, 800}, true),
                                MonitorAt({0, -1080, 1920, 0})});
    const auto& monitors = layout.Monitors();
    EXPECT_EQ(&layout.Primary(), &monitors[1]);
    EXPECT_EQ(layout.VirtualScreen(), (Rect{0, -1080, 2304, 800}));
    const struct {
        Point P;
        int Monitor;
    } points[] = {{{0, 0}, 1},      {{1279, 799}, 1}, {{1280, 0}, 0},    {{5, -1}, 2},
                  {{2000, 790}, 0}, {{-50, 400}, 1},  {{3000, -500}, 0}, {{100, -2000}, 2}};
    for (const auto& row : points)
        EXPECT_EQ(&layout.At(row.P), &monitors[static_cast<size_t>(row.Monitor)])
            << row.P.X << "," << row.P.Y;
    const struct {
        Rect R;
        int Monitor;
    } rects[] = {{{1100, 100, 1700, 149}, 0},   // 420 on the right one, 180 on the primary
                 {{900, 100, 1500, 149}, 1},    // 380 on the primary
                 {{100, -30, 700, 19}, 2},      // 30 rows above, 19 below
                 {{5000, 5000, 5600, 5049}, 0}, // on none: the nearest
                 {{-900, 300, -300, 349}, 1}};
    for (const auto& row : rects)
        EXPECT_EQ(&layout.MostlyUnder(row.R), &monitors[static_cast<size_t>(row.Monitor)])
            << row.R.Left << "," << row.R.Top;
    EXPECT_EQ(DisplayNameOf(layout, monitors[2]), L"Bildschirm 3");

    // No monitor at all still answers.
    const MonitorLayout none({}, {0, 0, 800, 600});
    EXPECT_EQ(none.At({-5, -5}).Bounds, (Rect{0, 0, 800, 600}));
}

TEST(MonitorLayout, MillimetresComeFromTheEdidElseTheDeviceElse96Dpi) {
    Monitor m = MonitorAt({0, 0, 1920, 1080});
    m.ReportedWidthMM = 508;
    m.ReportedHeightMM = 286;
    EXPECT_NEAR(AutomaticPixelsPerMM(m).X, 1920.0 / 508, 1e-9);
    EXPECT_NEAR(AutomaticPixelsPerMM(m).Y, 1080.0 / 286, 1e-9);
    // The EDID's size is for whatever mode the monitor runs in now.
    m.Size = PhysicalSize{597, 336};
    EXPECT_NEAR(AutomaticPixelsPerMM(m).X, 1920.0 / 597, 1e-9);
    EXPECT_NEAR(AutomaticPixelsPerMM(m).Y, 1080.0 / 336, 1e-9);
    m.Size.reset();
    m.ReportedWidthMM = m.ReportedHeightMM = 0;
    EXPECT_EQ(AutomaticPixelsPerMM(m), (PixelsPerMM{96.0 / 25.4, 96.0 / 25.4}));
}
