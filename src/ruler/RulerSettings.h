#pragma once
// The ruler's keys in the settings file, as rows over the ruler model.
#include "ruler/RulerModel.h"
#include "storage/SettingsTable.h"

#include <span>

std::span<const SettingRow<RulerModel>> RulerSettingRows();

// Before a load: the defaults that depend on the screen (the ruler centred
// on the primary screen as a 600 x 400 window would be).
void PrimeRulerDefaults(RulerModel& model, Size primaryScreen);

// Reads every key into the model (missing and invalid keys give defaults),
// and writes them in the file's order.
void LoadRulerSettings(TCustomIniFile& ini, RulerModel& model);
void SaveRulerSettings(TCustomIniFile& ini, const RulerModel& model);
