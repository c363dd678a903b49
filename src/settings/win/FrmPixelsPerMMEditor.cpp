#include "settings/win/FrmPixelsPerMMEditor.h"
#include "util/Dpi.h"

#include "settings/PixelsPerMMEditor.h"
#include "settings/SettingsDlgRules.h"
#include "settings/win/SettingsDlgIds.h"
#include "util/Numbers.h"
#include "util/win/ControlRows.h"
#include "util/win/Controls.h"
#include "util/win/Fonts.h"
#include "util/win/MVUtilWin.h"
#include "util/win/SysColors.h"

#include <commctrl.h>

#include <array>
#include <utility>

namespace {

constexpr int FrameWidth = 310;
constexpr int FrameHeight = 280;
// Captions nothing refers to; after the dialog's own.
constexpr int FirstFrameCaption = idFirstCaption + 100;

using enum TControlKind;
constexpr std::array<TControlRow, 12> Rows{{
    {Group,
     idCalibrationGroup,
     0,
     0,
     FrameWidth,
     FrameHeight,
     {L"Lineal- und Darstellungsgenauigkeit", L"Ruler and display accuracy"}},
    {Radio,
     idRbAutoPixelPerMM,
     12,
     20,
     286,
     17,
     {L"&Automatisch (eventuell ungenau)", L"&Automatic (may be inaccurate)"}},
    {Radio,
     idRbUserPixelPerMM,
     12,
     40,
     286,
     17,
     {L"&Eigenen Wert verwenden:", L"Use your &own value:"}},
    {Text,
     0,
     29,
     62,
     270,
     60,
     {L"Messen Sie die Länge des schwarzen Balkens mit einem echten Lineal am Bildschirm ab. "
      L"Geben Sie einen möglichst genauen Wert mit Nachkommastellen wie z.B. 5,48 cm an.",
      L"Measure the length of the black bar on the screen with a real ruler. Enter a value as "
      L"exact as you can, with decimals, such as 5.48 cm."}},
    {Custom, idReferenceBar, 29, 124, 239, 41},
    {Label, 0, 29, 178, 164, 15, {L"Länge des schwarzen &Balkens ", L"Lengt&h of the black bar "}},
    {Edit, idEUserCmMeasured, 196, 175, 49, 21},
    {Label, 0, 250, 178, 30, 15, LocalText::Neutral(L"cm")},
    {Label, 0, 29, 204, 164, 15, {L"Änderung mit +/- &Taste um", L"Step per +/- &key "}},
    {Edit, idEUserCmMeasuredChangeBy, 196, 201, 49, 21},
    {Label, 0, 250, 204, 30, 15, LocalText::Neutral(L"cm")},
    {Text,
     0,
     29,
     230,
     270,
     45,
     {L"Diese Angabe wird genutzt um zu berechnen, wie viele Pixel einen Zentimeter auf dem "
      L"Bildschirm entsprechen.",
      L"This value tells how many pixels make one centimeter on the screen."}},
}};
constexpr const TControlRow& ReferenceBarRow = Rows[4];

// The bar keeps its device pixels; only its place scales.
Rect ReferenceBarBounds(const TControlRow& row, UINT dpi) {
    const Rect place = ScaledRowBounds(row, dpi);
    const TReferenceBarLayout bar = ReferenceBarLayout(static_cast<int>(dpi));
    return {place.Left, place.Top, place.Left + bar.WhiteArea.Width(),
            place.Top + bar.WhiteArea.Height()};
}

} // namespace

Size TFrmPixelsPerMMEditor::DesignSize() {
    return {FrameWidth, FrameHeight};
}

void TFrmPixelsPerMMEditor::Create(HWND parent, int id, Point place, UINT dpi) {
    m_place = place;
    RegisterClassOnce(PixelsPerMMEditorClass, ::LoadCursorW(nullptr, IDC_ARROW), nullptr,
                      CS_DBLCLKS, ::GetSysColorBrush(COLOR_BTNFACE));
    const auto scaled = [dpi](int v) { return ScaleToDpi(v, dpi); };
    CreateChild(PixelsPerMMEditorClass, L"", WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                {scaled(place.X), scaled(place.Y), scaled(place.X + FrameWidth),
                 scaled(place.Y + FrameHeight)},
                parent, id);
    const HFONT font = CachedFont(GetSysGuiFont(dpi));
    CreateControlRows(Handle(), Rows, FirstFrameCaption, dpi, font,
                      [&](const TControlRow& row, const Rect&) {
                          if (row.Id == idReferenceBar)
                              CreateReferenceBar(ReferenceBarBounds(row, dpi));
                      });
    SetAutoPixelPerMM(true);
}

void TFrmPixelsPerMMEditor::CreateReferenceBar(const Rect& bounds) {
    ::CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, bounds.Left,
                      bounds.Top, bounds.Width(), bounds.Height(), Handle(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(idReferenceBar)),
                      ::GetModuleHandleW(nullptr), nullptr);
}

void TFrmPixelsPerMMEditor::Layout(UINT dpi) {
    const auto scaled = [dpi](int v) { return ScaleToDpi(v, dpi); };
    PlaceAt({scaled(m_place.X), scaled(m_place.Y), scaled(m_place.X + FrameWidth),
             scaled(m_place.Y + FrameHeight)});
    PlaceControlRows(Handle(), Rows, FirstFrameCaption, dpi, CachedFont(GetSysGuiFont(dpi)));
    const Rect bar = ReferenceBarBounds(ReferenceBarRow, dpi);
    ::SetWindowPos(Item(idReferenceBar), nullptr, bar.Left, bar.Top, bar.Width(), bar.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFrmPixelsPerMMEditor::NameMonitor(const std::wstring& name) {
    const std::wstring caption = Rows[0].Text();
    ::SetWindowTextW(Item(idCalibrationGroup),
                     name.empty() ? caption.c_str() : (caption + L" – " + name).c_str());
}

void TFrmPixelsPerMMEditor::SetAutoPixelPerMM(bool value) {
    ::SendMessageW(Item(idRbAutoPixelPerMM), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    ::SendMessageW(Item(idRbUserPixelPerMM), BM_SETCHECK, value ? BST_UNCHECKED : BST_CHECKED, 0);
    rbAutoPixelPerMMClick();
}

bool TFrmPixelsPerMMEditor::GetAutoPixelPerMM() const {
    return ::SendMessageW(Item(idRbAutoPixelPerMM), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TFrmPixelsPerMMEditor::SetUserCmMeasured(double value) {
    ::SetWindowTextW(Item(idEUserCmMeasured),
                     FormatCmMeasured(value, TypedDecimalSeparator()).c_str());
}

void TFrmPixelsPerMMEditor::SetUserCmMeasuredChangeBy(double value) {
    ::SetWindowTextW(Item(idEUserCmMeasuredChangeBy),
                     FormatCmMeasured(value, TypedDecimalSeparator()).c_str());
}

double TFrmPixelsPerMMEditor::GetUserCmMeasured() const {
    return ParseCmMeasured(UserCmMeasuredText(), TypedDecimalSeparator());
}

double TFrmPixelsPerMMEditor::GetCmMeasuredChangeBy() const {
    return ParseCmMeasured(UserCmMeasuredChangeByText(), TypedDecimalSeparator());
}

std::wstring TFrmPixelsPerMMEditor::UserCmMeasuredText() const {
    return WindowText(Item(idEUserCmMeasured));
}

std::wstring TFrmPixelsPerMMEditor::UserCmMeasuredChangeByText() const {
    return WindowText(Item(idEUserCmMeasuredChangeBy));
}

bool TFrmPixelsPerMMEditor::CheckSettings(HWND form) {
    const TSettingsCheck check =
        CheckCalibration(GetAutoPixelPerMM(), UserCmMeasuredText(), UserCmMeasuredChangeByText(),
                         TypedDecimalSeparator());
    if (check.Ok) return true;
    const HWND field =
        Item(check.Focus == TSettingsField::eUserCmMeasured ? idEUserCmMeasured
                                                            : idEUserCmMeasuredChangeBy);
    SetActiveControl(form, field);
    ::SendMessageW(field, EM_SETSEL, 0, -1);
    ::MessageBoxW(form, check.Message.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONERROR);
    return false;
}

void TFrmPixelsPerMMEditor::rbAutoPixelPerMMClick() {
    const bool user = ::SendMessageW(Item(idRbUserPixelPerMM), BM_GETCHECK, 0, 0) == BST_CHECKED;
    const HWND length = Item(idEUserCmMeasured);
    ::EnableWindow(length, user);
    EnabledColor(length);
    ::InvalidateRect(length, nullptr, TRUE);
    // Tab reaches the group at its checked radio.
    for (const auto& [id, checked] :
         {std::pair{idRbAutoPixelPerMM, !user}, {idRbUserPixelPerMM, user}}) {
        const HWND radio = Item(id);
        const LONG_PTR style = ::GetWindowLongPtrW(radio, GWL_STYLE);
        ::SetWindowLongPtrW(radio, GWL_STYLE, checked ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

LRESULT TFrmPixelsPerMMEditor::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if ((LOWORD(wParam) == idRbAutoPixelPerMM || LOWORD(wParam) == idRbUserPixelPerMM) &&
            HIWORD(wParam) == BN_CLICKED) {
            rbAutoPixelPerMMClick();
            return 0;
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush =
                EditBackgroundBrush(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID != idReferenceBar) break;
        const TReferenceBarLayout bar = ReferenceBarLayout(static_cast<int>(WindowDpi(Handle())));
        const RECT white{bar.WhiteArea.Left, bar.WhiteArea.Top, bar.WhiteArea.Right,
                         bar.WhiteArea.Bottom};
        const RECT black{bar.Bar.Left, bar.Bar.Top, bar.Bar.Right, bar.Bar.Bottom};
        ::FillRect(item->hDC, &white, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::FillRect(item->hDC, &black, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        return TRUE;
    }
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}
