// The ruler's window commands: visibility, top-most level, orientation,
// size and place, transparency, keys, hotkeys and help.
#include "magnifier/win/MagnifierDlg.h"
#include "ruler/RulerWindowRules.h"
#include "ruler/win/HookLibrary.h"
#include "ruler/win/MainDlg.h"

#include "storage/FileSystem.h"
#include "util/StringUtils.h"
#include "util/UserError.h"
#include "util/win/CoolTrayIcon.h"
#include "util/win/HtmlHelp.h"
#include "util/win/MVUtilWin.h"
#include "util/win/ShellExec.h"

namespace {

Rect WindowRectOf(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void PlaceWindow(HWND wnd, Point position, Size size) {
    ::SetWindowPos(wnd, nullptr, position.X, position.Y, size.Width, size.Height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

bool KeyHeld(int key) {
    return ::GetKeyState(key) < 0;
}

} // namespace

// --- Visibility and level --------------------------------------------------

void TMainDlg::menVisibleClick() {
    ChangeVisible(!m_model.Options.Visible);
}

void TMainDlg::ChangeVisible(bool value) {
    m_model.Options.Visible = value;
    const bool sync = m_model.Options.MagnifierSyncVisible;
    // Hiding only goes to the tray; the program runs on.
    if (value) {
        if (sync) ShowMagnifier(m_model.Options.Magnifier);
        ShowLineal();
    } else {
        ::ShowWindow(Handle(), SW_HIDE);
        if (sync) ShowMagnifier(false);
    }
}

void TMainDlg::ShowLineal() {
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
}

void TMainDlg::TrayIconClick() {
    ChangeVisible(true);
}

void TMainDlg::menOnTopClick() {
    m_model.Options.OnTop = !m_model.Options.OnTop;
    ChangeAlwaysOnTop(m_model.Options.OnTop, true);
}

void TMainDlg::ChangeAlwaysOnTop(bool value, bool installHook) {
    TopMostWindow->SetAlwaysOnTop(value);
    // The window's own level follows, also when the component saw no change
    // (the window is created top-most).
    const bool topMost = (::GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (topMost != TopMostWindow->AlwaysOnTop())
        ::SetWindowPos(Handle(), TopMostWindow->AlwaysOnTop() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0,
                       0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (installHook) InstallHookMouse();
}

void TMainDlg::TopMostRemove() {
    TopMostWindow->SetAlwaysOnTop(false);
    if (m_magnifier) m_magnifier->SetStayOnTop(false);
}

void TMainDlg::TopMostRestore() {
    if (m_model.Options.OnTop) TopMostWindow->SetAlwaysOnTop(true);
    if (m_magnifier) m_magnifier->SetStayOnTop(true);
}

void TMainDlg::ApplicationEventsActivate() {
    if (TrayIcon) TrayIcon->SetIconIndex(0);
}

void TMainDlg::ApplicationEventsDeactivate() {
    if (TrayIcon) TrayIcon->SetIconIndex(1);
    // Another program's top-most window may have come over the ruler.
    if (!m_model.Options.OnTop) return;
    ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (m_magnifier)
        ::SetWindowPos(m_magnifier->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// --- Size and place ----------------------------------------------------------

void TMainDlg::OptimaleGre1Click() {
    const Rect w = WindowRectOf(Handle());
    const Placement p =
        OptimalSize(m_model.Geometry, {{w.Left, w.Top}, {w.Width(), w.Height()}}, m_primaryScreen);
    RulerGeometry& g = m_model.Geometry;
    (g.FHorizontal ? g.HWidth : g.VHeight) =
        g.FHorizontal ? p.WindowSize.Width : p.WindowSize.Height;
    PlaceWindow(Handle(), p.Position, p.WindowSize);
}

void TMainDlg::AufdemBildschirmzenterien1Click() {
    CenterAtScreen();
}

void TMainDlg::CenterAtScreen() {
    const Rect w = WindowRectOf(Handle());
    const Point p = CenteredOnScreen({w.Width(), w.Height()}, m_primaryScreen);
    ::SetWindowPos(Handle(), nullptr, p.X, p.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainDlg::MoveBy(Point delta) {
    const Rect w = WindowRectOf(Handle());
    ::SetWindowPos(Handle(), nullptr, w.Left + delta.X, w.Top + delta.Y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainDlg::SetWindowLength(int length) {
    RulerGeometry& g = m_model.Geometry;
    (g.FHorizontal ? g.HWidth : g.VHeight) = length;
    SetClientSize(RulerClientSize(g));
}

// --- Transparency ------------------------------------------------------------

void TMainDlg::mnut0Click(int percent) {
    SetTransparency(percent);
    ApplyTransparency();
}

void TMainDlg::SetTransparency(int value) {
    m_model.Options.fTransparency = value;
    // A value without an item (from a hand-edited file) leaves the check.
    if (value >= 0 && value <= 60 && value % 10 == 0) m_checkedTransparency = value;
}

void TMainDlg::ApplyTransparency() {
    const auto style = ::GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
    const std::optional<std::uint8_t> opacity = LayeredOpacity(m_model.Options.fTransparency);
    if (!opacity) {
        if (style & WS_EX_LAYERED)
            ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE, style & ~WS_EX_LAYERED);
        return;
    }
    if (!(style & WS_EX_LAYERED)) ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE, style | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(Handle(), 0, *opacity, LWA_ALPHA);
}

// --- Tray picker and help ----------------------------------------------------

void TMainDlg::menShowTrayPickerClick() {
    m_model.Options.ColorPickerIcon = !m_model.Options.ColorPickerIcon;
    if (TrayColorPicker) TrayColorPicker->SetIconVisible(m_model.Options.ColorPickerIcon);
}

void TMainDlg::Hilfe1Click() {
    const bool present = FileSystem().FileExists(m_helpFile);
    if (present && HtmlHelpLoaded()) {
        HelpDisplayTopic(m_helpFile);
        return;
    }
    // Either box must show in front of the top-most ruler.
    TopMostScope scope(*this);
    if (present) {
        HHShowError(1);
        return;
    }
    const std::wstring text =
        MyReplace(L"Die Hilfe-Datei \"%s\" wurde nicht gefunden!", L"%s", m_helpFile, false, 1);
    ::MessageBoxW(Handle(), text.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONERROR);
}

// --- Keys ----------------------------------------------------------------------

bool TMainDlg::FormKeyDown(WPARAM key) {
    static constexpr std::pair<WPARAM, ArrowKey> arrows[] = {{VK_LEFT, ArrowKey::Left},
                                                             {VK_RIGHT, ArrowKey::Right},
                                                             {VK_UP, ArrowKey::Up},
                                                             {VK_DOWN, ArrowKey::Down}};
    for (auto [vk, arrow] : arrows) {
        if (vk != key) continue;
        const Rect w = WindowRectOf(Handle());
        const auto move = ArrowKeyMove(m_model.Geometry, {w.Left, w.Top}, arrow, KeyHeld(VK_SHIFT),
                                       KeyHeld(VK_CONTROL));
        if (!move) return false;
        if (move->Length)
            SetWindowLength(*move->Length);
        else
            MoveBy({move->Position.X - w.Left, move->Position.Y - w.Top});
        return false;
    }
    // Menu keys are single keys without modifiers.
    if (KeyHeld(VK_CONTROL) || KeyHeld(VK_MENU) || KeyHeld(VK_SHIFT)) return false;
    const auto* row = Commands().ByKey(static_cast<UINT>(key));
    return row && Commands().Execute(*this, row->Id);
}

bool TMainDlg::FormKeyPress(wchar_t key) {
    switch (key) {
    case L'e':
        if (const auto next = NextUnitInCycle(m_model.Scale.fRulerUnit)) SetRulerUnit(*next);
        return true;
    case L'+':
        Plus1Click();
        return true;
    case L'-':
        Minus1Click();
        return true;
    default:
        return false;
    }
}

// --- Hotkeys -------------------------------------------------------------------

std::vector<std::uint16_t> TMainDlg::RegisterHotkeys() {
    UnRegisterHotkeys();
    // A combination another program holds does nothing for the ruler; the
    // caller may tell the user.
    std::vector<std::uint16_t> failed;
    m_registeredHotkeys = 0;
    for (const RulerHotkey& h : RulerHotkeys()) {
        const std::uint16_t shortCut = m_model.Options.*h.Shortcut;
        if (MvRegisterHotKey(Handle(), shortCut, h.Id))
            ++m_registeredHotkeys;
        else if (shortCut != 0)
            failed.push_back(shortCut);
    }
    return failed;
}

void TMainDlg::UnRegisterHotkeys() {
    for (const RulerHotkey& h : RulerHotkeys())
        if (m_model.Options.*h.Shortcut != 0) ::UnregisterHotKey(Handle(), h.Id);
    m_registeredHotkeys = 0;
}

void TMainDlg::ProcessHotkeys(int id) {
    if (!::IsWindowVisible(Handle()) || !TopMostWindow->AlwaysOnTop()) ChangeVisible(true);
    const RulerHotkey* hotkey = RulerHotkeyById(id);
    if (!hotkey) return;
    if (hotkey->MeasureStart) {
        MeasureStartPoint();
        return;
    }
    const int by = m_model.Options.MoveHotKeyMoveBy;
    MoveBy({hotkey->Direction.X * by, hotkey->Direction.Y * by});
}
