#include "ruler/RulerSettings.h"

#include "ruler/MonitorCalibration.h"

#include <cmath>

namespace {

using Row = SettingRow<RulerModel>;
namespace Codec = settings_codec;
constexpr const wchar_t* S = L"Settings";
constexpr const wchar_t* C = L"Colors";

// A reference length of zero or below is no calibration.
bool PositiveLength(double v) {
    return !(std::fabs(v) <= 1e-12) && v > 0;
}
// A length of 100 or less could not be grown back by the length rules.
bool UsableLength(double v) {
    return v > 100;
}
bool ChannelTolerance(double v) {
    return v >= 0 && v <= 255;
}
bool UnitOrdinal(double v) {
    return v >= static_cast<int>(ruMillimeter) && v <= static_cast<int>(LastRulerUnit);
}

// The model's field a row fills, in the row's stored form.
#define FIELD(codec, member) [](RulerModel& m) -> SettingField { return Codec::codec{&m.member}; }

// clang-format off
const Row Rows[] = {
    {.Section = S, .Key = L"FirstStart", .Field = FIELD(Bool, Options.FirstStart), .Default = 1, .SaveAs = 0},
    {.Section = S, .Key = L"Top", .Field = FIELD(Int, Geometry.Position.Y), .KeepCurrent = true},
    {.Section = S, .Key = L"Left", .Field = FIELD(Int, Geometry.Position.X), .KeepCurrent = true},
    {.Section = S, .Key = L"Width", .Field = FIELD(Int, Geometry.HWidth), .Default = RulerDefaults::HWidth, .Valid = UsableLength},
    {.Section = S, .Key = L"Height", .Field = FIELD(Int, Geometry.VHeight), .Default = RulerDefaults::VHeight, .Valid = UsableLength},
    {.Section = S, .Key = L"OnTop", .Field = FIELD(Bool, Options.OnTop), .Default = 1},
    {.Section = S, .Key = L"Transparency", .Field = FIELD(Int, Options.fTransparency), .Default = 0},
    {.Section = S, .Key = L"Unit", .Field = [](RulerModel& m) -> SettingField { return Codec::Ordinal{reinterpret_cast<std::uint8_t*>(&m.Scale.fRulerUnit)}; }, .Default = DefaultRulerUnit, .Valid = UnitOrdinal},
    {.Section = S, .Key = L"Horizontal", .Field = FIELD(Bool, Geometry.FHorizontal), .Default = 1},
    {.Section = S, .Key = L"Color", .Field = FIELD(ColorOrNone, Options.ColorDlgColor), .Default = 0},
    {.Section = S, .Key = L"Zoom", .Field = FIELD(Int, Options.Zoom), .Default = RulerDefaults::Zoom},
    {.Section = S, .Key = L"NeutralPointScreen", .Field = FIELD(Bool, Options.NeutralPointScreen), .Default = 1},
    {.Section = S, .Key = L"MoveMagnifierWithClick", .Field = FIELD(Bool, Options.MoveMagnifierWithClick), .Default = 1},
    {.Section = S, .Key = L"Magnifier", .Field = FIELD(Bool, Options.Magnifier), .Default = 1},
    {.Section = S, .Key = L"Visible", .Field = FIELD(Bool, Options.Visible), .Default = 1},
    {.Section = S, .Key = L"ColorPickerIcon", .Field = FIELD(Bool, Options.ColorPickerIcon), .Default = 1},
    {.Section = C, .Key = L"MouseLine", .Field = FIELD(Color, MarkColors.FColorMouseLine), .Default = RulerDefaults::ColorMouseLine},
    {.Section = C, .Key = L"MousePosBack", .Field = FIELD(Color, MarkColors.FColorMousePosBack), .Default = RulerDefaults::ColorMousePosBack},
    {.Section = C, .Key = L"MousePosText", .Field = FIELD(Color, MarkColors.FColorMousePosText), .Default = RulerDefaults::ColorMousePosText},
    {.Section = C, .Key = L"Ticks", .Field = FIELD(Color, Look.FColorTicks), .Default = RulerDefaults::ColorTicks},
    {.Section = C, .Key = L"Back", .Field = FIELD(Color, Look.FColorBack), .Default = RulerDefaults::ColorBack},
    {.Section = S, .Key = L"RefCmSize", .Field = FIELD(Length, Calibration.FRefCmSize), .Default = RulerDefaults::RefCmSize, .Valid = PositiveLength},
    {.Section = S, .Key = L"RefCmSizeChangeBy", .Field = FIELD(Length, Calibration.FRefCmSizeChangeBy), .Default = RulerDefaults::RefCmSizeChangeBy, .Valid = PositiveLength},
    {.Section = S, .Key = L"CmAuto", .Field = FIELD(Bool, Calibration.FCmAuto), .Default = 1},
    {.Section = S, .Key = L"MagnifierSyncVisible", .Field = FIELD(Bool, Options.MagnifierSyncVisible), .Default = 1},
    {.Section = S, .Key = L"MoveHotKeyUp", .Field = FIELD(Shortcut, Options.MoveHotKeyUp), .Default = 0},
    {.Section = S, .Key = L"MoveHotKeyDown", .Field = FIELD(Shortcut, Options.MoveHotKeyDown), .Default = 0},
    {.Section = S, .Key = L"MoveHotKeyLeft", .Field = FIELD(Shortcut, Options.MoveHotKeyLeft), .Default = 0},
    {.Section = S, .Key = L"MoveHotKeyRight", .Field = FIELD(Shortcut, Options.MoveHotKeyRight), .Default = 0},
    {.Section = S, .Key = L"MoveHotKeyMoveBy", .Field = FIELD(Int, Options.MoveHotKeyMoveBy), .Default = RulerDefaults::MoveHotKeyMoveBy},
    {.Section = S, .Key = L"HotKeyMeasureStart", .Field = FIELD(Shortcut, Options.HotKeyMeasureStart), .Default = RulerDefaults::HotKeyMeasureStart},
    {.Section = S, .Key = L"HotKeyEdgeSpan", .Field = FIELD(Shortcut, Options.HotKeyEdgeSpan), .Default = RulerDefaults::HotKeyEdgeSpan},
    {.Section = S, .Key = L"HotKeyPinMark", .Field = FIELD(Shortcut, Options.HotKeyPinMark), .Default = RulerDefaults::HotKeyPinMark},
    {.Section = S, .Key = L"EdgeTolerance", .Field = FIELD(Int, Options.EdgeTolerance), .Default = RulerDefaults::EdgeTolerance, .Valid = ChannelTolerance},
    {.Section = C, .Key = L"ColorPinMark", .Field = FIELD(Color, MarkColors.ColorPinMark), .Default = RulerDefaults::ColorPinMark},
    {.Section = S, .Key = L"Language", .Field = FIELD(LanguageCode, Options.Language)},
};
// clang-format on
#undef FIELD

} // namespace

std::span<const SettingRow<RulerModel>> RulerSettingRows() {
    return Rows;
}

void PrimeRulerDefaults(RulerModel& model, Size primaryScreen) {
    model.Geometry.Position = {RulerDefaults::Left(primaryScreen.Width),
                               RulerDefaults::Top(primaryScreen.Height)};
}

void LoadRulerSettings(TCustomIniFile& ini, RulerModel& model) {
    LoadSettingsTable(RulerSettingRows(), ini, model);
    LoadMonitorCalibrations(ini, model.Calibration);
}

void SaveRulerSettings(TCustomIniFile& ini, const RulerModel& model) {
    SaveSettingsTable(RulerSettingRows(), ini, model);
    SaveMonitorCalibrations(ini, model.Calibration);
}
