#include "ruler/RulerSettings.h"
#include "storage/MvMemIni.h"

#include <gtest/gtest.h>

TEST(RulerSettings, EmptyFileGivesTheDefaultRulerCentredOnThePrimaryScreen) {
    TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
    RulerModel m;
    m.Geometry.HWidth = 123; // whatever was there before is replaced
    PrimeRulerDefaults(m, {1920, 1080});
    LoadRulerSettings(ini, m);
    const RulerModel defaults;
    EXPECT_EQ(m.Geometry.Position, (Point{660, 340}));
    EXPECT_EQ(m.Geometry.HWidth, 600);
    EXPECT_EQ(m.Geometry.VHeight, 400);
    EXPECT_TRUE(m.Geometry.FHorizontal);
    EXPECT_EQ(m.Scale.fRulerUnit, ruPixel32);
    EXPECT_EQ(m.Look, defaults.Look);
    EXPECT_EQ(m.MarkColors.FColorMousePosBack, 0x20CDA2);
    EXPECT_DOUBLE_EQ(m.Calibration.FRefCmSize, 5.48);
    EXPECT_TRUE(m.Calibration.FCmAuto);
    EXPECT_EQ(m.Options.HotKeyMeasureStart, 0x6041);
    EXPECT_TRUE(m.Options.OnTop && m.Options.Visible && m.Options.Magnifier &&
                m.Options.ColorPickerIcon);
    EXPECT_EQ(m.Options.ColorDlgColor, 0u); // "000000"
}

TEST(RulerSettings, SaveThenLoadKeepsEveryValueAndWritesTheRowsInOrder) {
    RulerModel saved;
    saved.Geometry = {false, 5000, 321, {-700, 20}};
    saved.Scale.fRulerUnit = ruMillimeter;
    saved.Look.FColorBack = 0x123456;
    saved.MarkColors.FColorMouseLine = 0x00FF00;
    saved.Calibration = {false, 9.84, 0.25};
    saved.Options.MoveHotKeyLeft = 0xA025; // Alt+Shift+Left
    saved.Options.Zoom = 7;
    saved.Options.Visible = false;
    saved.Options.ColorDlgColor = 0x0080FF;
    saved.Options.HotKeyEdgeSpan = 0x6045; // Ctrl+Shift+E
    saved.Options.EdgeTolerance = 0;
    saved.MarkColors.ColorPinMark = 0x00FFFF;
    saved.Options.Language = LanguageChoice::English;
    TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
    SaveRulerSettings(ini, saved);

    // FirstStart is always written as false; colours as BBGGRR; floats with
    // a decimal comma.
    EXPECT_EQ(ini.ReadString(L"Settings", L"FirstStart", L""), L"0");
    EXPECT_EQ(ini.ReadString(L"Colors", L"Back", L""), L"123456"); // blue first
    EXPECT_EQ(ini.ReadString(L"Settings", L"RefCmSize", L""), L"9,84");
    // The four decimals the settings dialog shows survive; two stay two.
    for (const auto& [length, stored] :
         {std::pair{5.4837, L"5,4837"}, {5.48372, L"5,4837"}, {0.25, L"0,25"}, {10.0, L"10,00"}}) {
        RulerModel calibrated = saved;
        calibrated.Calibration.FRefCmSizeChangeBy = length;
        TMvMemIniFile lengths(L"", TIniTextEncoding::Utf16LE);
        SaveRulerSettings(lengths, calibrated);
        EXPECT_EQ(lengths.ReadString(L"Settings", L"RefCmSizeChangeBy", L""), stored);
    }
    TStrings keys;
    ini.ReadSection(L"Settings", keys);
    ASSERT_GE(keys.size(), 3u);
    EXPECT_EQ(keys[0], L"FirstStart");
    EXPECT_EQ(keys[1], L"Top");
    EXPECT_EQ(keys.back(), L"Language");
    EXPECT_EQ(ini.ReadString(L"Settings", L"Language", L""), L"en");

    RulerModel loaded;
    LoadRulerSettings(ini, loaded);
    EXPECT_FALSE(loaded.Options.FirstStart);
    EXPECT_EQ(loaded.Geometry.Position, saved.Geometry.Position);
    EXPECT_EQ(loaded.Geometry.HWidth, 5000);
    EXPECT_EQ(loaded.Geometry.VHeight, 321);
    EXPECT_FALSE(loaded.Geometry.FHorizontal);
    EXPECT_EQ(loaded.Scale.fRulerUnit, ruMillimeter);
    EXPECT_EQ(loaded.Look.FColorBack, 0x123456);
    EXPECT_EQ(loaded.MarkColors.FColorMouseLine, 0x00FF00);
    EXPECT_FALSE(loaded.Calibration.FCmAuto);
    EXPECT_DOUBLE_EQ(loaded.Calibration.FRefCmSize, 9.84);
    EXPECT_DOUBLE_EQ(loaded.Calibration.FRefCmSizeChangeBy, 0.25);
    EXPECT_EQ(loaded.Options.MoveHotKeyLeft, 0xA025);
    EXPECT_EQ(loaded.Options.Zoom, 7);
    EXPECT_FALSE(loaded.Options.Visible);
    EXPECT_EQ(loaded.Options.ColorDlgColor, 0x0080FFu);
    EXPECT_EQ(loaded.Options.HotKeyEdgeSpan, 0x6045);
    EXPECT_EQ(loaded.Options.HotKeyPinMark, 0x604D);
    EXPECT_EQ(loaded.Options.EdgeTolerance, 0);
    EXPECT_EQ(loaded.MarkColors.ColorPinMark, 0x00FFFF);
    EXPECT_EQ(ini.ReadString(L"Colors", L"ColorPinMark", L""), L"00FFFF");
    EXPECT_EQ(loaded.Options.Language, LanguageChoice::English);
}

TEST(RulerSettings, DamagedValuesReadAsTheirDefaults) {
    TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
    ini.WriteString(L"Settings", L"Unit", L"9");
    ini.WriteString(L"Settings", L"RefCmSize", L"0");
    ini.WriteString(L"Settings", L"RefCmSizeChangeBy", L"-3");
    ini.WriteString(L"Colors", L"Ticks", L"xyz");
    ini.WriteString(L"Settings", L"HotKeyMeasureStart", L"0");
    ini.WriteString(L"Settings", L"Width", L"100");
    ini.WriteString(L"Settings", L"Height", L"-5");
    ini.WriteString(L"Settings", L"Color", L"nonsense");
    ini.WriteString(L"Settings", L"Language", L"Deutsch");
    RulerModel m;
    LoadRulerSettings(ini, m);
    // Lengths the length rules could not grow back read as the defaults.
    EXPECT_EQ(m.Geometry.HWidth, 600);
    EXPECT_EQ(m.Geometry.VHeight, 400);
    EXPECT_EQ(m.Options.ColorDlgColor, clNone);
    EXPECT_EQ(m.Scale.fRulerUnit, ruPixel32);
    EXPECT_DOUBLE_EQ(m.Calibration.FRefCmSize, 5.48);
    EXPECT_DOUBLE_EQ(m.Calibration.FRefCmSizeChangeBy, 0.1);
    EXPECT_EQ(m.Look.FColorTicks, 0x000000);
    EXPECT_EQ(m.Options.HotKeyMeasureStart, 0); // zero switches the hotkey off
    EXPECT_EQ(m.Options.Language, LanguageChoice::Automatic);
}

TEST(RulerSettings, EdgeToleranceOutsideAChannelOrUnreadableReadsAsThirty) {
    for (const auto& [stored, expected] : {std::pair{L"0", 0},
                                           {L"255", 255},
                                           {L"12", 12},
                                           {L"256", 30},
                                           {L"-1", 30},
                                           {L"viel", 30},
                                           {L"", 30}}) {
        TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
        ini.WriteString(L"Settings", L"EdgeTolerance", stored);
        ini.WriteString(L"Colors", L"ColorPinMark", L"grün");
        RulerModel m;
        LoadRulerSettings(ini, m);
        EXPECT_EQ(m.Options.EdgeTolerance, expected) << stored;
        EXPECT_EQ(m.MarkColors.ColorPinMark, 0x008000);
        EXPECT_EQ(m.Options.HotKeyEdgeSpan, 0x604B); // Ctrl+Shift+K
    }
}
