#include "ruler/MonitorCalibration.h"

#include "util/Numbers.h"
#include "util/StringUtils.h"

#include <cmath>

namespace {

constexpr const wchar_t* Section = L"Calibration";

MonitorCalibrationValue Current(const RulerCalibration& c) {
    return {c.FCmAuto, c.FRefCmSize};
}

MonitorCalibrationValue General(const RulerCalibration& c) {
    return {c.DefaultAuto, c.DefaultRefCmSize};
}

} // namespace

std::optional<MonitorCalibrationValue> ParseMonitorCalibration(const std::wstring& text) {
    if (UpperCaseText(text) == L"AUTO") return MonitorCalibrationValue{};
    std::wstring number = text;
    for (wchar_t& c : number)
        if (c == L'.') c = L',';
    double cm = 0;
    // Any positive length, as "RefCmSize" takes it: the scale clamps it.
    if (!TryStrToFloatMV(number, L',', cm) || !std::isfinite(cm) || cm <= 0) return std::nullopt;
    return MonitorCalibrationValue{false, cm};
}

std::wstring MonitorCalibrationText(const MonitorCalibrationValue& value) {
    if (value.Auto) return L"auto";
    return FormatFloatMV(L"0.00##", L'.', L',', value.RefCmSize);
}

void SelectMonitorCalibration(RulerCalibration& c, const std::wstring& monitorId) {
    c.MonitorId = monitorId;
    const auto entry = c.PerMonitor.find(monitorId);
    std::optional<MonitorCalibrationValue> own;
    if (entry != c.PerMonitor.end()) own = ParseMonitorCalibration(entry->second);
    const MonitorCalibrationValue value = own.value_or(General(c));
    c.FCmAuto = value.Auto;
    // An automatic monitor keeps the length last typed, for the next time
    // the user leaves automatic mode.
    if (!value.Auto) c.FRefCmSize = value.RefCmSize;
}

void RememberMonitorCalibration(RulerCalibration& c, std::span<const std::wstring> connectedIds) {
    for (const std::wstring& id : connectedIds) {
        if (id == c.MonitorId) continue;
        if (!c.PerMonitor.contains(id)) c.PerMonitor[id] = MonitorCalibrationText(General(c));
    }
    c.PerMonitor[c.MonitorId] = MonitorCalibrationText(Current(c));
}

PixelsPerMM PixelsPerMMOn(const RulerCalibration& calibration, const Monitor& monitor) {
    RulerCalibration on = calibration;
    SelectMonitorCalibration(on, monitor.Id);
    RulerModel model;
    model.Calibration = on;
    ApplyCalibration(model, AutomaticPixelsPerMM(monitor));
    return {model.Scale.Converter.PixelsPerMMX(), model.Scale.Converter.PixelsPerMMY()};
}

void LoadMonitorCalibrations(TCustomIniFile& ini, RulerCalibration& c) {
    c.DefaultAuto = c.FCmAuto;
    c.DefaultRefCmSize = c.FRefCmSize;
    TStrings ids;
    ini.ReadSection(Section, ids);
    c.PerMonitor.clear();
    for (const std::wstring& id : ids)
        c.PerMonitor[id] = ini.ReadString(Section, id, L"");
}

void SaveMonitorCalibrations(TCustomIniFile& ini, const RulerCalibration& c) {
    for (const auto& [id, text] : c.PerMonitor)
        ini.WriteString(Section, id, text);
}
