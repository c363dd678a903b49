#include "settings/win/SettingsDlg.h"

#include "help/HelpIds.h"
#include "settings/SettingsTexts.h"
#include "util/win/HtmlHelp.h"

#include "settings/win/SettingsDlgIds.h"
#include "util/HotkeyMath.h"
#include "util/Numbers.h"
#include "util/win/Controls.h"
#include "util/win/Fonts.h"
#include "util/win/MVUtilWin.h"
#include "util/win/ModalLoop.h"

#include <commctrl.h>

namespace {

// Not clipping its children: the group boxes paint no inside of their own.
constexpr DWORD FormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD FormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

constexpr int HotKeyIds[SettingsHotKeyCount] = {
    idHkMoveHotKeyUp, idHkMoveHotKeyDown, idHkMoveHotKeyLeft, idHkMoveHotKeyRight,
    idHkMeasureStart, idHkEdgeSpan,       idHkPinMark};

// No key alone and no Shift alone: Alt is added to them. The control's own
// rules would replace the modifiers instead (Shift+L became Alt+L).
std::uint16_t HotKeyOf(HWND field) {
    return ApplyHotKeyRule(
        HotKeyToShortCut(static_cast<std::uint16_t>(::SendMessageW(field, HKM_GETHOTKEY, 0, 0))));
}

void SetHotKey(HWND field, std::uint16_t shortCut) {
    ::SendMessageW(field, HKM_SETHOTKEY, ShortCutToHotKey(shortCut), 0);
}

bool Checked(HWND button) {
    return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace

TSettingsDlg::TSettingsDlg() : DialogWindow(IDH_SETTINGS) {}

TSettingsDlg::~TSettingsDlg() {
    if (Handle()) ::DestroyWindow(Handle());
}

void TSettingsDlg::Create(HWND owner) {
    RegisterClassOnce(SettingsDlgClass, ::LoadCursorW(nullptr, IDC_ARROW),
                      ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"), CS_DBLCLKS,
                      ::GetSysColorBrush(COLOR_BTNFACE));
    CreateWnd(SettingsDlgClass, SettingsText::DialogCaption(), FormStyle, FormExStyle, 0, 0, 1, 1,
              owner);
    FormCreate();
}

void TSettingsDlg::FormCreate() {
    CreateControls();
    SetDesignClientSize(Handle(), ClientDesignSize(), Dpi());
}

int TSettingsDlg::ShowModal() {
    FormShow();
    return RunModalLoop();
}

void TSettingsDlg::FormShow() {
    const TSettingsDlgState state = FormShowState(Exchange, TypedDecimalSeparator());
    for (int i = 0; i < SettingsColorCount; ++i) {
        TColorPickerButton& button = ColorButton(i);
        button.DefaultColor = SettingsColorButtons()[static_cast<std::size_t>(i)].DefaultColor;
        button.SetSelectionColor(state.Colors[static_cast<std::size_t>(i)]);
    }
    FrmPixelsPerMMEditor.NameMonitor(CalibratedMonitor);
    FrmPixelsPerMMEditor.SetAutoPixelPerMM(Exchange.CmAuto);
    FrmPixelsPerMMEditor.SetUserCmMeasured(Exchange.RefCmSize);
    FrmPixelsPerMMEditor.SetUserCmMeasuredChangeBy(Exchange.RefCmSizeChangeBy);
    ::SendMessageW(Item(idCbMagnifierSyncVisible), BM_SETCHECK,
                   state.MagnifierSyncVisible ? BST_CHECKED : BST_UNCHECKED, 0);
    for (int i = 0; i < SettingsHotKeyCount; ++i)
        SetHotKey(Item(HotKeyIds[i]), state.HotKeys[static_cast<std::size_t>(i)]);
    UD_SetPosition(Item(idUdMoveHotKeyMoveBy), Exchange.MoveHotKeyMoveBy);
    ::SetWindowTextW(Item(idEEdgeTolerance), state.EdgeTolerance.c_str());
    m_lastFocus = ::GetNextDlgTabItem(Handle(), nullptr, FALSE);
    ::SetFocus(m_lastFocus);
}

TSettingsDlgState TSettingsDlg::FieldState() const {
    TSettingsDlgState state;
    for (int i = 0; i < SettingsColorCount; ++i)
        state.Colors[static_cast<std::size_t>(i)] =
            m_colorButtons[static_cast<std::size_t>(i)].SelectionColor();
    state.AutoPixelPerMM = FrmPixelsPerMMEditor.GetAutoPixelPerMM();
    state.UserCmMeasured = FrmPixelsPerMMEditor.UserCmMeasuredText();
    state.UserCmMeasuredChangeBy = FrmPixelsPerMMEditor.UserCmMeasuredChangeByText();
    state.MagnifierSyncVisible = Checked(Item(idCbMagnifierSyncVisible));
    for (int i = 0; i < SettingsHotKeyCount; ++i)
        state.HotKeys[static_cast<std::size_t>(i)] = HotKeyOf(Item(HotKeyIds[i]));
    state.MoveHotKeyMoveBy = WindowText(Item(idEMoveHotKeyMoveBy));
    state.EdgeTolerance = WindowText(Item(idEEdgeTolerance));
    return state;
}

bool TSettingsDlg::FormCloseQuery() {
    if (!FrmPixelsPerMMEditor.CheckSettings(Handle())) return false;
    const TSettingsCheck check = CheckSettings(FieldState(), TypedDecimalSeparator());
    if (check.Ok) return true;
    const HWND field = check.Focus == TSettingsField::HotKey ? Item(HotKeyIds[check.HotKeyIndex])
                       : check.Focus == TSettingsField::eEdgeTolerance ? Item(idEEdgeTolerance)
                                                                       : Item(idEMoveHotKeyMoveBy);
    SetActiveControl(Handle(), field);
    ::SendMessageW(field, EM_SETSEL, 0, -1);
    ::MessageBoxW(Handle(), check.Message.c_str(), ApplicationTitle().c_str(),
                  MB_OK | MB_ICONERROR);
    return false;
}

void TSettingsDlg::FormClose() {
    Exchange = FormCloseValues(FieldState(), TypedDecimalSeparator(), Exchange);
}

void TSettingsDlg::CloseWith(int result) {
    if (result == IDOK) {
        if (!FormCloseQuery()) return;
        FormClose();
    }
    EndModal(result);
}

void TSettingsDlg::Button3Click() {
    if (::MessageBoxW(Handle(), SettingsText::ResetColorsQuestion(), ApplicationTitle().c_str(),
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    for (TColorPickerButton& button : m_colorButtons)
        button.SelectDefaultColor();
}

void TSettingsDlg::Button4Click() {
    ::MessageBoxW(Handle(), SettingsText::MeasureStartHelp(), ApplicationTitle().c_str(),
                  MB_OK | MB_ICONINFORMATION);
}

LRESULT CALLBACK TSettingsDlg::HotKeyFieldProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                               UINT_PTR, DWORD_PTR) {
    switch (msg) {
    case WM_KEYDOWN:
        // Backspace or Delete alone empties the field: no hotkey.
        if ((wParam == VK_BACK || wParam == VK_DELETE) && !(::GetKeyState(VK_CONTROL) & 0x8000) &&
            !(::GetKeyState(VK_SHIFT) & 0x8000)) {
            ::SendMessageW(wnd, HKM_SETHOTKEY, 0, 0);
            return 0;
        }
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        // Once the keys are let go, the field shows what will be stored.
        const LRESULT result = ::DefSubclassProc(wnd, msg, wParam, lParam);
        const auto shown = static_cast<std::uint16_t>(::SendMessageW(wnd, HKM_GETHOTKEY, 0, 0));
        const std::uint16_t kept = HotKeyOf(wnd);
        if (HotKeyToShortCut(shown) != kept) SetHotKey(wnd, kept);
        return result;
    }
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(wnd, &TSettingsDlg::HotKeyFieldProc, 0);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(wnd, msg, wParam, lParam);
}

LRESULT TSettingsDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case idSettingsOK:
        case idSettingsCancel:
            CloseWith(LOWORD(wParam));
            return 0;
        case idResetColors:
            if (HIWORD(wParam) == BN_CLICKED) Button3Click();
            return 0;
        case idMeasureStartHelp:
            if (HIWORD(wParam) == BN_CLICKED) Button4Click();
            return 0;
        default:
            break;
        }
        break;
    case WM_ACTIVATE:
        // A message box took the activation: the focus goes back to its field.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (const HWND focus = ::GetFocus(); focus && ::IsChild(Handle(), focus))
                m_lastFocus = focus;
        } else if (m_lastFocus && ::IsWindow(m_lastFocus)) {
            ::SetFocus(m_lastFocus);
            return 0;
        }
        break;
    default:
        break;
    }
    return DialogWindow::HandleMessage(msg, wParam, lParam);
}

void TSettingsDlg::OnDpiChanged(UINT dpi, const RECT& suggested) {
    Window::OnDpiChanged(dpi, suggested);
    LayoutControls();
}
