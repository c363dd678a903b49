#include "settings/SettingsDlgRules.h"

#include "settings/PixelsPerMMEditor.h"
#include "settings/SettingsTexts.h"
#include "util/HotkeyMath.h"
#include "util/ShortCutText.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr TSettingsColorButton ColorButtons[SettingsColorCount] = {
    {L"cpbBack",
     {L"Hintergrund", L"Background"},
     RulerDefaults::ColorBack,
     &TSettingsExchange::ColorBack},
    {L"cpbTicks", {L"Skala", L"Scale"}, RulerDefaults::ColorTicks, &TSettingsExchange::ColorTicks},
    {L"cpbMouseLine",
     {L"Mauspositionsline", L"Mouse position line"},
     RulerDefaults::ColorMouseLine,
     &TSettingsExchange::ColorMouseLine},
    {L"cpbMousePosPosText",
     {L"Mausposition Zahl", L"Position number"},
     RulerDefaults::ColorMousePosText,
     &TSettingsExchange::ColorMousePosText},
    {L"cpbMousePosBack",
     {L"Mausposition Hintergrund", L"Position background"},
     RulerDefaults::ColorMousePosBack,
     &TSettingsExchange::ColorMousePosBack},
    {L"cpbPinMark",
     {L"Markierung", L"Pinned mark"},
     RulerDefaults::ColorPinMark,
     &TSettingsExchange::ColorPinMark},
};

constexpr TSettingsHotKeyField HotKeyFields[SettingsHotKeyCount] = {
    {L"hkMoveHotKeyUp",
     {L"Lineal nach oben verschieben", L"Move ruler up"},
     &TSettingsExchange::MoveHotKeyUp},
    {L"hkMoveHotKeyDown",
     {L"Lineal nach unten verschieben", L"Move ruler down"},
     &TSettingsExchange::MoveHotKeyDown},
    {L"hkMoveHotKeyLeft",
     {L"Lineal nach links verschieben", L"Move ruler left"},
     &TSettingsExchange::MoveHotKeyLeft},
    {L"hkMoveHotKeyRight",
     {L"Lineal nach rechts verschieben", L"Move ruler right"},
     &TSettingsExchange::MoveHotKeyRight},
    {L"hkMeasureStart",
     {L"Strecke messen: Startpunkt setzen", L"Measure distance: set start point"},
     &TSettingsExchange::HotKeyMeasureStart},
    {L"hkEdgeSpan", {L"Kanten messen", L"Measure edges"}, &TSettingsExchange::HotKeyEdgeSpan},
    {L"hkPinMark", {L"Markierung setzen", L"Pin mark"}, &TSettingsExchange::HotKeyPinMark},
};

std::wstring WholeNumberMessage(const LocalText& caption, int max) {
    return FormatText(SettingsText::WholeNumberWanted, {caption(), std::to_wstring(max)});
}

// The move step and the edge tolerance fields hold digits only; anything
// else, or a value beyond the up-down control's range, is refused.
bool ReadWholeNumber(const std::wstring& text, int max, int& value) {
    if (text.empty() || text.size() > 3) return false;
    int v = 0;
    for (wchar_t ch : text) {
        if (ch < L'0' || ch > L'9') return false;
        v = v * 10 + (ch - L'0');
    }
    if (v > max) return false;
    value = v;
    return true;
}

TSettingsCheck Failed(TSettingsField field, std::wstring message, int hotKeyIndex = -1) {
    return {false, field, hotKeyIndex, std::move(message)};
}

} // namespace

TSettingsExchange ExchangeFromRuler(const RulerModel& model) {
    TSettingsExchange v;
    v.ColorMousePosText = model.MarkColors.FColorMousePosText;
    v.ColorMousePosBack = model.MarkColors.FColorMousePosBack;
    v.ColorMouseLine = model.MarkColors.FColorMouseLine;
    v.ColorTicks = model.Look.FColorTicks;
    v.ColorBack = model.Look.FColorBack;
    v.RefCmSize = model.Calibration.FRefCmSize;
    v.RefCmSizeChangeBy = model.Calibration.FRefCmSizeChangeBy;
    v.CmAuto = model.Calibration.FCmAuto;
    v.MagnifierSyncVisible = model.Options.MagnifierSyncVisible;
    v.MoveHotKeyUp = model.Options.MoveHotKeyUp;
    v.MoveHotKeyMoveBy = model.Options.MoveHotKeyMoveBy;
    v.MoveHotKeyDown = model.Options.MoveHotKeyDown;
    v.MoveHotKeyLeft = model.Options.MoveHotKeyLeft;
    v.MoveHotKeyRight = model.Options.MoveHotKeyRight;
    v.HotKeyMeasureStart = model.Options.HotKeyMeasureStart;
    v.HotKeyEdgeSpan = model.Options.HotKeyEdgeSpan;
    v.HotKeyPinMark = model.Options.HotKeyPinMark;
    v.EdgeTolerance = model.Options.EdgeTolerance;
    v.ColorPinMark = model.MarkColors.ColorPinMark;
    return v;
}

void ApplyExchangeToRuler(const TSettingsExchange& v, RulerModel& model) {
    model.MarkColors.FColorMousePosText = v.ColorMousePosText;
    model.MarkColors.FColorMousePosBack = v.ColorMousePosBack;
    model.MarkColors.FColorMouseLine = v.ColorMouseLine;
    model.Look.FColorTicks = v.ColorTicks;
    model.Look.FColorBack = v.ColorBack;
    model.Calibration.FRefCmSize = v.RefCmSize;
    model.Calibration.FRefCmSizeChangeBy = v.RefCmSizeChangeBy;
    model.Calibration.FCmAuto = v.CmAuto;
    model.Options.MagnifierSyncVisible = v.MagnifierSyncVisible;
    model.Options.MoveHotKeyUp = v.MoveHotKeyUp;
    model.Options.MoveHotKeyMoveBy = v.MoveHotKeyMoveBy;
    model.Options.MoveHotKeyDown = v.MoveHotKeyDown;
    model.Options.MoveHotKeyLeft = v.MoveHotKeyLeft;
    model.Options.MoveHotKeyRight = v.MoveHotKeyRight;
    model.Options.HotKeyMeasureStart = v.HotKeyMeasureStart;
    model.Options.HotKeyEdgeSpan = v.HotKeyEdgeSpan;
    model.Options.HotKeyPinMark = v.HotKeyPinMark;
    model.Options.EdgeTolerance = v.EdgeTolerance;
    model.MarkColors.ColorPinMark = v.ColorPinMark;
}

std::span<const TSettingsColorButton, SettingsColorCount> SettingsColorButtons() {
    return ColorButtons;
}

std::span<const TSettingsHotKeyField, SettingsHotKeyCount> SettingsHotKeyFields() {
    return HotKeyFields;
}

TSettingsDlgState FormShowState(const TSettingsExchange& values, wchar_t decimalChar) {
    TSettingsDlgState state;
    for (std::size_t i = 0; i < std::size(ColorButtons); ++i)
        state.Colors[i] = values.*ColorButtons[i].Field;
    state.AutoPixelPerMM = values.CmAuto;
    state.UserCmMeasured = FormatCmMeasured(values.RefCmSize, decimalChar);
    state.UserCmMeasuredChangeBy = FormatCmMeasured(values.RefCmSizeChangeBy, decimalChar);
    state.MagnifierSyncVisible = values.MagnifierSyncVisible;
    for (std::size_t i = 0; i < std::size(HotKeyFields); ++i)
        state.HotKeys[i] = values.*HotKeyFields[i].Field;
    state.MoveHotKeyMoveBy =
        std::to_wstring(std::clamp(values.MoveHotKeyMoveBy, 0, MoveHotKeyMoveByMax));
    state.EdgeTolerance = std::to_wstring(std::clamp(values.EdgeTolerance, 0, EdgeToleranceMax));
    return state;
}

void SelectDefaultColors(TSettingsDlgState& state) {
    for (std::size_t i = 0; i < std::size(ColorButtons); ++i)
        state.Colors[i] = ColorButtons[i].DefaultColor;
}

TSettingsCheck CheckCalibration(bool autoPixelPerMM, const std::wstring& userCmMeasured,
                                const std::wstring& userCmMeasuredChangeBy, wchar_t decimalChar) {
    if (!autoPixelPerMM && !IsValidCmMeasured(userCmMeasured, decimalChar))
        return Failed(TSettingsField::eUserCmMeasured, InvalidCmMeasuredMessage());
    if (!IsValidCmMeasuredChangeBy(userCmMeasuredChangeBy, decimalChar))
        return Failed(TSettingsField::eUserCmMeasuredChangeBy, InvalidCmMeasuredChangeByMessage());
    return {};
}

TSettingsCheck CheckSettings(const TSettingsDlgState& state, wchar_t decimalChar) {
    if (TSettingsCheck calibration = CheckCalibration(state.AutoPixelPerMM, state.UserCmMeasured,
                                                      state.UserCmMeasuredChangeBy, decimalChar);
        !calibration.Ok)
        return calibration;
    int step = 0;
    if (!ReadWholeNumber(state.MoveHotKeyMoveBy, MoveHotKeyMoveByMax, step))
        return Failed(TSettingsField::eMoveHotKeyMoveBy,
                      WholeNumberMessage(SettingsText::MoveRulerBy, MoveHotKeyMoveByMax));
    int tolerance = 0;
    if (!ReadWholeNumber(state.EdgeTolerance, EdgeToleranceMax, tolerance))
        return Failed(TSettingsField::eEdgeTolerance,
                      WholeNumberMessage(SettingsText::EdgeTolerance, EdgeToleranceMax));
    if (const auto clash = FindDuplicateShortCut(state.HotKeys)) {
        const auto caption = [](int index) {
            return HotKeyFields[static_cast<std::size_t>(index)].Caption();
        };
        const std::wstring keys =
            ShortCutToText(state.HotKeys[static_cast<std::size_t>(clash->Second)]);
        return Failed(TSettingsField::HotKey,
                      FormatText(SettingsText::HotKeyTwice,
                                 {keys, caption(clash->First), caption(clash->Second)}),
                      clash->Second);
    }
    return {};
}

TSettingsExchange FormCloseValues(const TSettingsDlgState& state, wchar_t decimalChar,
                                  const TSettingsExchange& shown) {
    TSettingsExchange v = shown;
    for (std::size_t i = 0; i < std::size(ColorButtons); ++i)
        v.*ColorButtons[i].Field = state.Colors[i];
    v.CmAuto = state.AutoPixelPerMM;
    // Only a changed text replaces the value: the four shown decimals would
    // cut the ones stored.
    if (state.UserCmMeasured != FormatCmMeasured(shown.RefCmSize, decimalChar) &&
        (!state.AutoPixelPerMM || IsValidCmMeasured(state.UserCmMeasured, decimalChar)))
        v.RefCmSize = ParseCmMeasured(state.UserCmMeasured, decimalChar);
    if (state.UserCmMeasuredChangeBy != FormatCmMeasured(shown.RefCmSizeChangeBy, decimalChar))
        v.RefCmSizeChangeBy = ParseCmMeasured(state.UserCmMeasuredChangeBy, decimalChar);
    v.MagnifierSyncVisible = state.MagnifierSyncVisible;
    for (std::size_t i = 0; i < std::size(HotKeyFields); ++i)
        v.*HotKeyFields[i].Field = state.HotKeys[i];
    int step = 0;
    v.MoveHotKeyMoveBy = ReadWholeNumber(state.MoveHotKeyMoveBy, MoveHotKeyMoveByMax, step)
                             ? step
                             : std::clamp(shown.MoveHotKeyMoveBy, 0, MoveHotKeyMoveByMax);
    int tolerance = 0;
    if (ReadWholeNumber(state.EdgeTolerance, EdgeToleranceMax, tolerance))
        v.EdgeTolerance = tolerance;
    return v;
}

std::wstring
HotKeysNotRegisteredMessage(const std::vector<std::pair<std::wstring, std::uint16_t>>& failed) {
    if (failed.empty()) return {};
    std::wstring lines;
    for (const auto& [caption, shortCut] : failed)
        lines += L"\r\n" + caption + L" (" + ShortCutToText(shortCut) + L")";
    return FormatText(SettingsText::HotKeysTaken, {lines});
}
