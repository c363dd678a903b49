#pragma once
// The names under which the ruler reports its state on the test channel
// ("state" answers one line "Name=value" per key). The program's answer and
// the end-to-end tests both name the keys from here, so a key misspelt in a
// test does not compile.

struct RulerStateKey {
    const wchar_t* Name;
};

namespace RulerState {
inline constexpr RulerStateKey Left{L"Left"};
inline constexpr RulerStateKey Top{L"Top"};
inline constexpr RulerStateKey ClientLeft{L"ClientLeft"};
inline constexpr RulerStateKey ClientTop{L"ClientTop"};
inline constexpr RulerStateKey ClientWidth{L"ClientWidth"};
inline constexpr RulerStateKey ClientHeight{L"ClientHeight"};
inline constexpr RulerStateKey Horizontal{L"Horizontal"};
inline constexpr RulerStateKey Unit{L"Unit"};
inline constexpr RulerStateKey ActX{L"ActX"};
inline constexpr RulerStateKey ActY{L"ActY"};
inline constexpr RulerStateKey MousePos{L"MousePos"};
inline constexpr RulerStateKey HasStartPos{L"HasStartPos"};
inline constexpr RulerStateKey StartPos{L"StartPos"};
inline constexpr RulerStateKey BoxLeft{L"BoxLeft"};
inline constexpr RulerStateKey BoxTop{L"BoxTop"};
inline constexpr RulerStateKey BoxRight{L"BoxRight"};
inline constexpr RulerStateKey BoxBottom{L"BoxBottom"};
inline constexpr RulerStateKey BoxText{L"BoxText"};
inline constexpr RulerStateKey Down{L"Down"};
inline constexpr RulerStateKey HWidth{L"HWidth"};
inline constexpr RulerStateKey VHeight{L"VHeight"};
inline constexpr RulerStateKey HookMessages{L"HookMessages"};
inline constexpr RulerStateKey HookSet{L"HookSet"};
inline constexpr RulerStateKey BackImgRenders{L"BackImgRenders"};
inline constexpr RulerStateKey Paints{L"Paints"};
inline constexpr RulerStateKey TimerMessages{L"TimerMessages"};
inline constexpr RulerStateKey PixelsCopied{L"PixelsCopied"};
inline constexpr RulerStateKey CmAuto{L"CmAuto"};
inline constexpr RulerStateKey RefCmSize{L"RefCmSize"};
inline constexpr RulerStateKey PixelsPerMMX{L"PixelsPerMMX"};
inline constexpr RulerStateKey PixelsPerMMY{L"PixelsPerMMY"};
inline constexpr RulerStateKey Dpi{L"Dpi"};
// The id of the monitor whose calibration the scale uses, and how many there are.
inline constexpr RulerStateKey MonitorId{L"MonitorId"};
inline constexpr RulerStateKey Monitors{L"Monitors"};
inline constexpr RulerStateKey TopMost{L"TopMost"};
inline constexpr RulerStateKey Visible{L"Visible"};
inline constexpr RulerStateKey OnTop{L"OnTop"};
inline constexpr RulerStateKey Transparency{L"Transparency"};
inline constexpr RulerStateKey CheckedTransparency{L"CheckedTransparency"};
inline constexpr RulerStateKey TrayIcon{L"TrayIcon"};
inline constexpr RulerStateKey TrayPicture{L"TrayPicture"};
inline constexpr RulerStateKey TrayColorPicker{L"TrayColorPicker"};
inline constexpr RulerStateKey Magnifier{L"Magnifier"};
inline constexpr RulerStateKey MagnifierChecked{L"MagnifierChecked"};
inline constexpr RulerStateKey Zoom{L"Zoom"};
inline constexpr RulerStateKey ColorWindow{L"ColorWindow"};
inline constexpr RulerStateKey ColorDlgColor{L"ColorDlgColor"};
inline constexpr RulerStateKey ColorShot{L"ColorShot"};
inline constexpr RulerStateKey MagnifierDraws{L"MagnifierDraws"};
inline constexpr RulerStateKey MagnifierTicks{L"MagnifierTicks"};
inline constexpr RulerStateKey MenuHint{L"MenuHint"};
inline constexpr RulerStateKey Layered{L"Layered"};
inline constexpr RulerStateKey HotKeys{L"HotKeys"};
inline constexpr RulerStateKey HotkeyPresses{L"HotkeyPresses"};
inline constexpr RulerStateKey SettingsDlg{L"SettingsDlg"};
inline constexpr RulerStateKey UpdateCheck{L"UpdateCheck"};
inline constexpr RulerStateKey CheckedUnit{L"CheckedUnit"};
// The pinned marks on the face: client positions, ascending, comma-separated.
inline constexpr RulerStateKey MarkPositions{L"MarkPositions"};
inline constexpr RulerStateKey EdgeSpans{L"EdgeSpans"};
inline constexpr RulerStateKey ScreenPixelsRead{L"ScreenPixelsRead"};
// The text of the tip with the figures from the start point while it is on
// the screen (empty otherwise).
inline constexpr RulerStateKey StartTip{L"StartTip"};
} // namespace RulerState
