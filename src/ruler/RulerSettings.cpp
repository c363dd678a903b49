#include "ruler/RulerSettings.h"

#include <cmath>

namespace {

using Row = SettingRow<RulerModel>;
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
bool UnitOrdinal(double v) {
    return v >= static_cast<int>(ruMillimeter) && v <= static_cast<int>(ruTwip);
}

// clang-format off
const Row Rows[] = {
    {S, L"FirstStart", [](RulerModel& m) -> SettingField { return &m.Options.FirstStart; }, 1, false, nullptr, 0},
    {S, L"Top", [](RulerModel& m) -> SettingField { return &m.Geometry.Position.Y; }, 0, true},
    {S, L"Left", [](RulerModel& m) -> SettingField { return &m.Geometry.Position.X; }, 0, true},
    {S, L"Width", [](RulerModel& m) -> SettingField { return &m.Geometry.HWidth; }, RulerDefaults::HWidth, false, UsableLength},
    {S, L"Height", [](RulerModel& m) -> SettingField { return &m.Geometry.VHeight; }, RulerDefaults::VHeight, false, UsableLength},
    {S, L"OnTop", [](RulerModel& m) -> SettingField { return &m.Options.OnTop; }, 1},
    {S, L"Transparency", [](RulerModel& m) -> SettingField { return &m.Options.fTransparency; }, 0},
    {S, L"Unit", [](RulerModel& m) -> SettingField { return OrdinalField{reinterpret_cast<std::uint8_t*>(&m.Scale.fRulerUnit)}; }, DefaultRulerUnit, false, UnitOrdinal},
    {S, L"Horizontal", [](RulerModel& m) -> SettingField { return &m.Geometry.FHorizontal; }, 1},
    {S, L"Color", [](RulerModel& m) -> SettingField { return ColorField{&m.Options.ColorDlgColor, true}; }, 0},
    {S, L"Zoom", [](RulerModel& m) -> SettingField { return &m.Options.Zoom; }, RulerDefaults::Zoom},
    {S, L"NeutralPointScreen", [](RulerModel& m) -> SettingField { return &m.Options.NeutralPointScreen; }, 1},
    {S, L"MoveMagnifierWithClick", [](RulerModel& m) -> SettingField { return &m.Options.MoveMagnifierWithClick; }, 1},
    {S, L"Magnifier", [](RulerModel& m) -> SettingField { return &m.Options.Magnifier; }, 1},
    {S, L"Visible", [](RulerModel& m) -> SettingField { return &m.Options.Visible; }, 1},
    {S, L"ColorPickerIcon", [](RulerModel& m) -> SettingField { return &m.Options.ColorPickerIcon; }, 1},
    {C, L"MouseLine", [](RulerModel& m) -> SettingField { return ColorField{&m.MarkColors.FColorMouseLine}; }, RulerDefaults::ColorMouseLine},
    {C, L"MousePosBack", [](RulerModel& m) -> SettingField { return ColorField{&m.MarkColors.FColorMousePosBack}; }, RulerDefaults::ColorMousePosBack},
    {C, L"MousePosText", [](RulerModel& m) -> SettingField { return ColorField{&m.MarkColors.FColorMousePosText}; }, RulerDefaults::ColorMousePosText},
    {C, L"Ticks", [](RulerModel& m) -> SettingField { return ColorField{&m.Look.FColorTicks}; }, RulerDefaults::ColorTicks},
    {C, L"Back", [](RulerModel& m) -> SettingField { return ColorField{&m.Look.FColorBack}; }, RulerDefaults::ColorBack},
    {S, L"RefCmSize", [](RulerModel& m) -> SettingField { return &m.Calibration.FRefCmSize; }, RulerDefaults::RefCmSize, false, PositiveLength},
    {S, L"RefCmSizeChangeBy", [](RulerModel& m) -> SettingField { return &m.Calibration.FRefCmSizeChangeBy; }, RulerDefaults::RefCmSizeChangeBy, false, PositiveLength},
    {S, L"CmAuto", [](RulerModel& m) -> SettingField { return &m.Calibration.FCmAuto; }, 1},
    {S, L"MagnifierSyncVisible", [](RulerModel& m) -> SettingField { return &m.Options.MagnifierSyncVisible; }, 1},
    {S, L"MoveHotKeyUp", [](RulerModel& m) -> SettingField { return ShortcutField{&m.Options.MoveHotKeyUp}; }, 0},
    {S, L"MoveHotKeyDown", [](RulerModel& m) -> SettingField { return ShortcutField{&m.Options.MoveHotKeyDown}; }, 0},
    {S, L"MoveHotKeyLeft", [](RulerModel& m) -> SettingField { return ShortcutField{&m.Options.MoveHotKeyLeft}; }, 0},
    {S, L"MoveHotKeyRight", [](RulerModel& m) -> SettingField { return ShortcutField{&m.Options.MoveHotKeyRight}; }, 0},
    {S, L"MoveHotKeyMoveBy", [](RulerModel& m) -> SettingField { return &m.Options.MoveHotKeyMoveBy; }, RulerDefaults::MoveHotKeyMoveBy},
    {S, L"HotKeyMeasureStart", [](RulerModel& m) -> SettingField { return ShortcutField{&m.Options.HotKeyMeasureStart}; }, RulerDefaults::HotKeyMeasureStart},
};
// clang-format on

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
}

void SaveRulerSettings(TCustomIniFile& ini, const RulerModel& model) {
    SaveSettingsTable(RulerSettingRows(), ini, model);
}
