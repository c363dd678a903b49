// The calibration per monitor: each monitor keeps its own, an older file
// reads as before, and whatever a user typed into the section survives.
#include "ruler/MonitorCalibration.h"
#include "ruler/RulerSettings.h"
#include "storage/MvMemIni.h"

#include <gtest/gtest.h>

#include <array>

namespace {

RulerModel Loaded(const std::wstring& text) {
    TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
    ini.SetText(text);
    RulerModel m;
    LoadRulerSettings(ini, m);
    return m;
}

std::wstring Saved(const RulerModel& m, const std::wstring& before = L"") {
    TMvMemIniFile ini(L"", TIniTextEncoding::Utf16LE);
    ini.SetText(before);
    SaveRulerSettings(ini, m);
    return ini.GetText();
}

} // namespace

TEST(MonitorCalibration, EntriesAreReadOrFallBackToTheGeneralKeys) {
    const struct {
        const wchar_t* Text;
        std::optional<MonitorCalibrationValue> Value;
    } rows[] = {{L"auto", MonitorCalibrationValue{}},
                {L"AUTO", MonitorCalibrationValue{}},
                {L"5,48", MonitorCalibrationValue{false, 5.48}},
                {L"5.48", MonitorCalibrationValue{false, 5.48}},
                {L"-3", std::nullopt},
                {L"0", std::nullopt},
                {L"1e999", std::nullopt},
                {L"999,9", MonitorCalibrationValue{false, 999.9}},
                {L"abc", std::nullopt},
                {L"", std::nullopt}};
    for (const auto& row : rows)
        EXPECT_EQ(ParseMonitorCalibration(row.Text), row.Value) << testing::PrintToString(row.Text);
    EXPECT_EQ(MonitorCalibrationText({false, 9.8437}), L"9,8437");

    RulerModel m = Loaded(L"[Settings]\r\nCmAuto=0\r\nRefCmSize=6,5\r\n"
                          L"[Calibration]\r\nDEL-A0B1-00000001=auto\r\nSAM-0001-00000002=4,25\r\n"
                          L"GSM-0002-00000003=-3\r\n");
    RulerCalibration& c = m.Calibration;
    const struct {
        const wchar_t* Monitor;
        MonitorCalibrationValue Expected;
    } monitors[] = {{L"DEL-A0B1-00000001", {true, 6.5}},
                    {L"SAM-0001-00000002", {false, 4.25}},
                    {L"GSM-0002-00000003", {false, 6.5}}, // negative: the general keys
                    {L"NEW-0000-00000000", {false, 6.5}}};
    for (const auto& row : monitors) {
        SelectMonitorCalibration(c, row.Monitor);
        EXPECT_EQ((MonitorCalibrationValue{c.FCmAuto, c.FRefCmSize}), row.Expected)
            << testing::PrintToString(row.Monitor);
    }
}

TEST(MonitorCalibration, CalibratingOneMonitorLeavesTheOthersAsTheyWereAfterARestart) {
    RulerModel m =
        Loaded(L"[Settings]\r\nCmAuto=1\r\n[Calibration]\r\nGONE-0000-00000009=garbage\r\n");
    RulerCalibration& c = m.Calibration;
    const std::array<std::wstring, 2> connected = {L"AAA-0001-00000001", L"BBB-0002-00000002"};
    SelectMonitorCalibration(c, connected[0]);
    ASSERT_TRUE(c.FCmAuto);
    EXPECT_FALSE(StepCalibration(m, 0.5)); // leaves automatic mode on this monitor
    RememberMonitorCalibration(c, connected);
    const double calibrated = c.FRefCmSize;
    const std::wstring file = Saved(m);
    // The general keys follow the ruler's monitor, for an older program.
    EXPECT_NE(file.find(L"CmAuto=0"), std::wstring::npos) << testing::PrintToString(file);
    EXPECT_NE(file.find(L"GONE-0000-00000009=garbage"), std::wstring::npos);

    RulerModel again = Loaded(file);
    SelectMonitorCalibration(again.Calibration, connected[1]);
    EXPECT_TRUE(again.Calibration.FCmAuto) << "the other monitor stays automatic";
    SelectMonitorCalibration(again.Calibration, connected[0]);
    EXPECT_FALSE(again.Calibration.FCmAuto);
    EXPECT_NEAR(again.Calibration.FRefCmSize, calibrated, 1e-4); // four decimals stored
    // A file without the section reads exactly as before.
    RulerModel old = Loaded(L"[Settings]\r\nCmAuto=0\r\nRefCmSize=7,1\r\n");
    SelectMonitorCalibration(old.Calibration, connected[1]);
    EXPECT_FALSE(old.Calibration.FCmAuto);
    EXPECT_DOUBLE_EQ(old.Calibration.FRefCmSize, 7.1);
    EXPECT_EQ(Saved(old).find(L"[Calibration]"), std::wstring::npos);
}
