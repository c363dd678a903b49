// The settings dialog's controls: one row per control with its 96-DPI place
// and text, in reading order, which is the tab order. Left: colours, then
// the hotkeys; right: calibration, "Sonstiges", then the buttons.
#include "settings/win/SettingsDlg.h"

#include "settings/win/SettingsDlgIds.h"
#include "util/HotkeyMath.h"
#include "util/win/ControlRows.h"
#include "util/win/Fonts.h"

#include <commctrl.h>

#include <array>

namespace {

constexpr int ClientWidth = 734;
constexpr int ClientHeight = 472;
constexpr Point FramePlace{416, 8};

// One hot-key row of the group: caption, then field.
constexpr int HotKeyRowY(int row) {
    return 186 + 30 * row;
}

using enum TControlKind;
constexpr std::array Rows{
    TControlRow{Group, idColorsGroup, 8, 8, 400, 146, {L"Farben", L"Colors"}},
    TControlRow{Label, 0, 20, 31, 108, 15, {L"&Hintergrund", L"&Background"}},
    TControlRow{Custom, idCpbBack, 130, 28, 55, 21},
    TControlRow{Label, 0, 20, 57, 108, 15, {L"S&kala", L"S&cale"}},
    TControlRow{Custom, idCpbTicks, 130, 54, 55, 21},
    TControlRow{Label, 0, 20, 83, 108, 15, {L"&Mauspositionsline", L"&Mouse position line"}},
    TControlRow{Custom, idCpbMouseLine, 130, 80, 55, 21},
    TControlRow{Label, 0, 200, 31, 136, 15, {L"Mausposition &Zahl", L"Position &number"}},
    TControlRow{Custom, idCpbMousePosPosText, 340, 28, 55, 21},
    TControlRow{
        Label, 0, 200, 57, 136, 15, {L"Mausposition Hinter&grund", L"Pos&ition background"}},
    TControlRow{Custom, idCpbMousePosBack, 340, 54, 55, 21},
    TControlRow{Label, 0, 200, 83, 136, 15, {L"Markierung", L"Pinned mark"}},
    TControlRow{Custom, idCpbPinMark, 340, 80, 55, 21},
    TControlRow{Button, idResetColors, 320, 116, 75, 25, {L"Standar&d...", L"&Default..."}},

    TControlRow{Group,
                idHotKeysGroup,
                8,
                162,
                400,
                267,
                {L"Systemweite Tastenkürzel ", L"System-wide hotkeys "}},
    TControlRow{Label,
                0,
                20,
                HotKeyRowY(0) + 3,
                202,
                15,
                {L"Lineal nach &oben verschieben", L"Move ruler &up"}},
    TControlRow{HotKey, idHkMoveHotKeyUp, 226, HotKeyRowY(0), 150, 21},
    TControlRow{Label,
                0,
                20,
                HotKeyRowY(1) + 3,
                202,
                15,
                {L"Lineal nach &unten verschieben", L"Move ruler do&wn"}},
    TControlRow{HotKey, idHkMoveHotKeyDown, 226, HotKeyRowY(1), 150, 21},
    TControlRow{Label,
                0,
                20,
                HotKeyRowY(2) + 3,
                202,
                15,
                {L"Lineal nach &links verschieben", L"Move ruler &left"}},
    TControlRow{HotKey, idHkMoveHotKeyLeft, 226, HotKeyRowY(2), 150, 21},
    TControlRow{Label,
                0,
                20,
                HotKeyRowY(3) + 3,
                202,
                15,
                {L"Lineal nach &rechts verschieben", L"Move ruler &right"}},
    TControlRow{HotKey, idHkMoveHotKeyRight, 226, HotKeyRowY(3), 150, 21},
    TControlRow{
        Label, 0, 20, HotKeyRowY(4) + 3, 202, 15, {L"Lineal &verschieben um", L"Move ruler b&y"}},
    TControlRow{NumberEdit, idEMoveHotKeyMoveBy, 226, HotKeyRowY(4), 50, 21},
    TControlRow{UpDown, idUdMoveHotKeyMoveBy, 0, 0, 0, 0},
    TControlRow{Label, 0, 282, HotKeyRowY(4) + 3, 40, 15, {L"Pixel", L"pixels"}},
    TControlRow{Label,
                0,
                20,
                HotKeyRowY(5) + 3,
                202,
                15,
                {L"&Strecke messen: Startpunkt setzen", L"Measure distance: &set start point"}},
    TControlRow{HotKey, idHkMeasureStart, 226, HotKeyRowY(5), 150, 21},
    TControlRow{Button, idMeasureStartHelp, 380, HotKeyRowY(5), 21, 21, LocalText::Neutral(L"?")},
    TControlRow{Label, 0, 20, HotKeyRowY(6) + 3, 202, 15, {L"Ka&nten messen", L"Measure &edges"}},
    TControlRow{HotKey, idHkEdgeSpan, 226, HotKeyRowY(6), 150, 21},
    TControlRow{Label, 0, 20, HotKeyRowY(7) + 3, 202, 15, {L"Mark&ierung setzen", L"&Pin mark"}},
    TControlRow{HotKey, idHkPinMark, 226, HotKeyRowY(7), 150, 21},

    TControlRow{Custom, idPixelsPerMMEditor, FramePlace.X, FramePlace.Y, 0, 0},
    TControlRow{Group, idOtherGroup, 416, 296, 310, 75, {L"Sonstiges", L"Other"}},
    TControlRow{Check,
                idCbMagnifierSyncVisible,
                428,
                316,
                290,
                17,
                {L"Menüpunkt \"Sichtbar\" ändert auch Lu&pe",
                 L"Menu item \"Visible\" also switches the ma&gnifier"}},
    TControlRow{Label, 0, 428, 342, 110, 15, {L"Kantentoleranz", L"Edge tolerance"}},
    TControlRow{NumberEdit, idEEdgeTolerance, 540, 339, 50, 21},
    TControlRow{UpDown, idUdEdgeTolerance, 0, 0, 0, 0},
    TControlRow{DefaultButton, idSettingsOK, 570, 439, 75, 25, LocalText::Neutral(L"OK")},
    TControlRow{Button, idSettingsCancel, 651, 439, 75, 25, {L"Abbrechen", L"Cancel"}},
};

constexpr LocalText kMoreColors{L"Weitere...", L"More..."};
constexpr LocalText kDefaultColor{L"Standard", L"Default"};

int ColorIndex(int id) {
    return id - idCpbBack;
}

} // namespace

Size TSettingsDlg::ClientDesignSize() const {
    return {ClientWidth, ClientHeight};
}

void TSettingsDlg::CreateControls() {
    const UINT dpi = Dpi();
    CreateControlRows(
        Handle(), Rows, idFirstCaption, dpi, CachedFont(GetSysGuiFont(dpi)),
        [&](const TControlRow& row, const Rect& bounds) {
            if (row.Id == idPixelsPerMMEditor) {
                FrmPixelsPerMMEditor.Create(Handle(), row.Id, FramePlace, dpi);
                return;
            }
            const int index = ColorIndex(row.Id);
            const TSettingsColorButton& table =
                SettingsColorButtons()[static_cast<std::size_t>(index)];
            TColorPickerButton& button = m_colorButtons[static_cast<std::size_t>(index)];
            button.CustomText = kMoreColors();
            button.DefaultText = kDefaultColor();
            button.ShowSystemColors = false;
            button.ButtonWidth = 23;
            button.DefaultColor = table.DefaultColor;
            if (OnMoreColors)
                button.OnClick = [this](TColorPickerButton& sender) {
                    TColor color = sender.SelectionColor();
                    if (OnMoreColors(Handle(), color)) sender.SetSelectionColor(color);
                };
            button.Create(Handle(), row.Id, bounds);
            ::SetWindowTextW(button.Handle(), table.Caption()); // its name for screen readers
        });
    for (const int id : {idHkMoveHotKeyUp, idHkMoveHotKeyDown, idHkMoveHotKeyLeft,
                         idHkMoveHotKeyRight, idHkMeasureStart, idHkEdgeSpan, idHkPinMark}) {
        ::SetWindowSubclass(Item(id), &TSettingsDlg::HotKeyFieldProc, 0,
                            reinterpret_cast<DWORD_PTR>(this));
    }
    ::SendMessageW(Item(idUdMoveHotKeyMoveBy), UDM_SETRANGE32, 0, MoveHotKeyMoveByMax);
    ::SendMessageW(Item(idEMoveHotKeyMoveBy), EM_LIMITTEXT, 3, 0);
    ::SendMessageW(Item(idUdEdgeTolerance), UDM_SETRANGE32, 0, EdgeToleranceMax);
    ::SendMessageW(Item(idEEdgeTolerance), EM_LIMITTEXT, 3, 0);
}

void TSettingsDlg::LayoutControls() {
    const UINT dpi = Dpi();
    PlaceControlRows(Handle(), Rows, idFirstCaption, dpi, CachedFont(GetSysGuiFont(dpi)));
    FrmPixelsPerMMEditor.Layout(dpi);
}
