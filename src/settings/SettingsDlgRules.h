#pragma once
// The settings dialog without its window: the values it exchanges with the
// ruler, what its fields show, the checks of OK and what OK reads back.
#include "ruler/RulerModel.h"
#include "util/Color.h"
#include "util/LocalText.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

// The ruler's values the dialog edits.
struct TSettingsExchange {
    TColor ColorMousePosText = RulerDefaults::ColorMousePosText;
    TColor ColorMousePosBack = RulerDefaults::ColorMousePosBack;
    TColor ColorMouseLine = RulerDefaults::ColorMouseLine;
    TColor ColorTicks = RulerDefaults::ColorTicks;
    TColor ColorBack = RulerDefaults::ColorBack;
    double RefCmSize = RulerDefaults::RefCmSize;
    double RefCmSizeChangeBy = RulerDefaults::RefCmSizeChangeBy;
    bool CmAuto = true;
    bool MagnifierSyncVisible = true;
    std::uint16_t MoveHotKeyUp = 0;
    int MoveHotKeyMoveBy = RulerDefaults::MoveHotKeyMoveBy;
    std::uint16_t MoveHotKeyDown = 0;
    std::uint16_t MoveHotKeyLeft = 0;
    std::uint16_t MoveHotKeyRight = 0;
    std::uint16_t HotKeyMeasureStart = RulerDefaults::HotKeyMeasureStart;
    std::uint16_t HotKeyEdgeSpan = RulerDefaults::HotKeyEdgeSpan;
    std::uint16_t HotKeyPinMark = RulerDefaults::HotKeyPinMark;
    int EdgeTolerance = RulerDefaults::EdgeTolerance;
    TColor ColorPinMark = RulerDefaults::ColorPinMark;
    friend bool operator==(const TSettingsExchange&, const TSettingsExchange&) = default;
};

TSettingsExchange ExchangeFromRuler(const RulerModel& model);
// All values into the model; the caller repaints what the colours changed,
// saves and recomputes the conversion.
void ApplyExchangeToRuler(const TSettingsExchange& values, RulerModel& model);

// The colour buttons in the order "Standard..." resets them.
struct TSettingsColorButton {
    const wchar_t* Name;
    LocalText Caption;
    TColor DefaultColor;
    TColor TSettingsExchange::*Field;
};
constexpr int SettingsColorCount = 6;
std::span<const TSettingsColorButton, SettingsColorCount> SettingsColorButtons();

// The hot-key fields in reading order.
struct TSettingsHotKeyField {
    const wchar_t* Name;
    LocalText Caption;
    std::uint16_t TSettingsExchange::*Field;
};
constexpr int SettingsHotKeyCount = 7;
std::span<const TSettingsHotKeyField, SettingsHotKeyCount> SettingsHotKeyFields();

constexpr int MoveHotKeyMoveByMax = 100;
constexpr int EdgeToleranceMax = 255;

// What the dialog's fields hold: colours in SettingsColorButtons order,
// shortcut values in SettingsHotKeyFields order, texts as typed.
struct TSettingsDlgState {
    std::array<TColor, SettingsColorCount> Colors{};
    bool AutoPixelPerMM = true;
    std::wstring UserCmMeasured;
    std::wstring UserCmMeasuredChangeBy;
    bool MagnifierSyncVisible = true;
    std::array<std::uint16_t, SettingsHotKeyCount> HotKeys{};
    std::wstring MoveHotKeyMoveBy;
    std::wstring EdgeTolerance;
};

// The fields on showing; the move step is shown within 0..100, the edge
// tolerance within 0..255.
TSettingsDlgState FormShowState(const TSettingsExchange& values, wchar_t decimalChar);
// "Standard...": every colour button takes its default colour.
void SelectDefaultColors(TSettingsDlgState& state);

// The field a failed check puts the focus on.
enum class TSettingsField {
    None,
    eUserCmMeasured,
    eUserCmMeasuredChangeBy,
    eMoveHotKeyMoveBy,
    eEdgeTolerance,
    HotKey, // SettingsHotKeyFields()[HotKeyIndex]
};
struct TSettingsCheck {
    bool Ok = true;
    TSettingsField Focus = TSettingsField::None;
    int HotKeyIndex = -1;
    std::wstring Message;
};
// The calibration frame's checks: the length with the user's own value only,
// the step always.
TSettingsCheck CheckCalibration(bool autoPixelPerMM, const std::wstring& userCmMeasured,
                                const std::wstring& userCmMeasuredChangeBy, wchar_t decimalChar);
// The checks of OK in reading order; the first failing one decides. The
// measured length counts only with the user's own value; the step, the move
// step and the hotkeys always.
TSettingsCheck CheckSettings(const TSettingsDlgState& state, wchar_t decimalChar);

// The values after OK (the state passed CheckSettings). shown are the values
// the dialog was opened with: a length the user did not touch keeps all its
// digits, and one that is no number in automatic mode is not taken over.
TSettingsExchange FormCloseValues(const TSettingsDlgState& state, wchar_t decimalChar,
                                  const TSettingsExchange& shown);

// The note after OK when other programs hold some of the hotkeys: the
// captions and combinations of the commands not registered; empty for none.
std::wstring
HotKeysNotRegisteredMessage(const std::vector<std::pair<std::wstring, std::uint16_t>>& failed);
