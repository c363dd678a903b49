#pragma once
// The calibration per monitor: which one applies where the ruler stands,
// what a calibration by the user changes, and the section "Calibration" of
// the settings file (one key per monitor id: "auto" or the calibration
// length in centimetres, "5,48").
#include "ruler/RulerModel.h"
#include "storage/CustomIniFile.h"

#include <optional>
#include <span>
#include <string>

struct MonitorCalibrationValue {
    bool Auto = true;
    double RefCmSize = RulerDefaults::RefCmSize;
    friend bool operator==(const MonitorCalibrationValue&,
                           const MonitorCalibrationValue&) = default;
};

// "auto" (any case) or a positive length with a decimal comma (a point is
// taken too; the scale clamps it as it does "RefCmSize"); null for anything
// else, which then counts as no entry.
std::optional<MonitorCalibrationValue> ParseMonitorCalibration(const std::wstring& text);
std::wstring MonitorCalibrationText(const MonitorCalibrationValue& value);

// The ruler now stands on this monitor: its own entry, else the general keys.
void SelectMonitorCalibration(RulerCalibration& calibration, const std::wstring& monitorId);

// The user changed the calibration of the monitor the ruler stands on: it
// gets its own entry. The other connected monitors without one are pinned
// to what they use now, since the general keys follow the ruler's monitor
// when they are written.
void RememberMonitorCalibration(RulerCalibration& calibration,
                                std::span<const std::wstring> connectedIds);

// Pixels per millimetre on a monitor, by its calibration: its own entry or
// the general keys; automatic from what the monitor tells.
PixelsPerMM PixelsPerMMOn(const RulerCalibration& calibration, const Monitor& monitor);

void LoadMonitorCalibrations(TCustomIniFile& ini, RulerCalibration& calibration);
void SaveMonitorCalibrations(TCustomIniFile& ini, const RulerCalibration& calibration);
