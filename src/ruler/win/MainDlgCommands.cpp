// The ruler's window commands: visibility, top-most level, orientation,
// size and place, units and calibration, transparency, the companion
// windows, help and exit; and what the hotkeys do.
#include "ruler/win/MainDlg.h"

#include "ruler/MonitorCalibration.h"
#include "ruler/RulerTexts.h"
#include "ruler/RulerWindowRules.h"
#include "ruler/win/RulerCompanions.h"
#include "ruler/win/RulerTray.h"
#include "storage/FileSystem.h"
#include "util/StringUtils.h"
#include "util/win/Clipboard.h"
#include "util/win/HtmlHelp.h"
#include "util/win/MVUtilWin.h"
#include "util/win/WindowRects.h"

namespace {

bool KeyHeld(int key) {
    return ::GetKeyState(key) < 0;
}

} // namespace

// --- Visibility and level --------------------------------------------------

void TMainDlg::ToggleVisible() {
    ChangeVisible(!m_model.Options.Visible);
}

void TMainDlg::ChangeVisible(bool value) {
    m_model.Options.Visible = value;
    const bool sync = m_model.Options.MagnifierSyncVisible;
    // Hiding only goes to the tray; the program runs on.
    if (value) {
        if (sync) m_companions->ShowMagnifier(m_model.Options.Magnifier, m_pointer);
        ShowRuler();
    } else {
        ::ShowWindow(Handle(), SW_HIDE);
        if (sync) m_companions->ShowMagnifier(false, m_pointer);
    }
}

void TMainDlg::ShowRuler() {
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
}

void TMainDlg::ToggleOnTop() {
    m_model.Options.OnTop = !m_model.Options.OnTop;
    ApplyLevel();
    InstallHookMouse();
}

void TMainDlg::ApplyLevel() {
    m_companions->SetRulerOnTop(m_model.Options.OnTop);
}

// --- Orientation, size and place ---------------------------------------------

void TMainDlg::Turn() {
    SetOrientation(m_model, !m_model.Geometry.FHorizontal);
    SetClientSize(RulerClientSize(m_model.Geometry));
    FaceChanged();
}

void TMainDlg::SetClientSize(Size size) {
    RECT r{0, 0, size.Width, size.Height};
    ::AdjustWindowRectEx(&r, static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    ::SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainDlg::FitLengthToScreen() {
    const Rect w = WindowRectOf(Handle());
    const Placement p = OptimalSize(m_model.Geometry, {{w.Left, w.Top}, {w.Width(), w.Height()}},
                                    OwnMonitor().Bounds);
    RulerGeometry& g = m_model.Geometry;
    (g.FHorizontal ? g.HWidth : g.VHeight) =
        g.FHorizontal ? p.WindowSize.Width : p.WindowSize.Height;
    ::SetWindowPos(Handle(), nullptr, p.Position.X, p.Position.Y, p.WindowSize.Width,
                   p.WindowSize.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainDlg::CenterOnScreen() {
    const Rect w = WindowRectOf(Handle());
    const Point p = CenteredOnScreen({w.Width(), w.Height()}, OwnMonitor().Bounds);
    ::SetWindowPos(Handle(), nullptr, p.X, p.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainDlg::MoveBy(Point delta) {
    const Rect w = WindowRectOf(Handle());
    ::SetWindowPos(Handle(), nullptr, w.Left + delta.X, w.Top + delta.Y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainDlg::SetLength(int length) {
    RulerGeometry& g = m_model.Geometry;
    (g.FHorizontal ? g.HWidth : g.VHeight) = length;
    SetClientSize(RulerClientSize(g));
}

void TMainDlg::StepByArrow(int arrow) {
    const Rect w = WindowRectOf(Handle());
    const auto move = ArrowKeyMove(m_model.Geometry, {w.Left, w.Top}, static_cast<ArrowKey>(arrow),
                                   KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL));
    if (!move) return;
    if (move->Length)
        SetLength(*move->Length);
    else
        MoveBy({move->Position.X - w.Left, move->Position.Y - w.Top});
}

void TMainDlg::CopyReading() {
    CopyTextToClipboard(Handle(), ReadingCopyText(CursorView(), m_model.Cursor));
}

// --- Units and calibration -------------------------------------------------

void TMainDlg::ChooseUnit(int unit) {
    m_model.Scale.fRulerUnit = static_cast<TRulerUnit>(unit);
    FaceChanged();
}

void TMainDlg::ChooseLanguage(int choice) {
    m_model.Options.Language = static_cast<LanguageChoice>(choice);
    ApplyLanguage();
}

void TMainDlg::NextUnit() {
    if (const auto next = NextUnitInCycle(m_model.Scale.fRulerUnit)) ChooseUnit(*next);
}

void TMainDlg::ApplyScale() {
    const Monitor& monitor = ScaleMonitor();
    SelectMonitorCalibration(m_model.Calibration, monitor.Id);
    ApplyCalibration(m_model, AutomaticPixelsPerMM(monitor));
    FaceChanged();
}

void TMainDlg::CalibrationChanged(const RulerCalibration& before) {
    const RulerCalibration& now = m_model.Calibration;
    if (now.FCmAuto == before.FCmAuto && now.FRefCmSize == before.FRefCmSize) return;
    std::vector<std::wstring> connected;
    for (const Monitor& m : m_monitors.Monitors())
        connected.push_back(m.Id);
    RememberMonitorCalibration(m_model.Calibration, connected);
}

const Monitor& TMainDlg::ScaleMonitor() const {
    const Rect w = WindowRectOf(Handle());
    return m_monitors.At({w.Left + m_border.Width, w.Top + m_border.Height});
}

const Monitor& TMainDlg::OwnMonitor() const {
    return m_monitors.MostlyUnder(WindowRectOf(Handle()));
}

void TMainDlg::FollowMonitor() {
    const Monitor& monitor = ScaleMonitor();
    const PixelsPerMM automatic = AutomaticPixelsPerMM(monitor);
    const TPixelMMConverter& now = m_model.Scale.Converter;
    const bool sameAutomatic =
        now.PixelsPerMMX() == automatic.X && now.PixelsPerMMY() == automatic.Y;
    if (monitor.Id == m_model.Calibration.MonitorId && (!now.AutoCalc() || sameAutomatic)) return;
    ApplyScale();
}

namespace {

// A calibration key shows millimetres: the unit becomes "Milimeter" first.
void StepScale(RulerModel& model, double delta) {
    model.Scale.fRulerUnit = ruMillimeter;
    if (StepCalibration(model, delta)) ::MessageBeep(0);
}

} // namespace

void TMainDlg::WidenScale() {
    ChangeModel([](RulerModel& m) { StepScale(m, -m.Calibration.FRefCmSizeChangeBy); });
}

void TMainDlg::NarrowScale() {
    ChangeModel([](RulerModel& m) { StepScale(m, m.Calibration.FRefCmSizeChangeBy); });
}

void TMainDlg::SetRefCmSize(double refCmSize) {
    ChangeModel([refCmSize](RulerModel& m) {
        m.Calibration.FCmAuto = false;
        m.Calibration.FRefCmSize = refCmSize;
    });
}

// --- Transparency ------------------------------------------------------------

void TMainDlg::ChooseTransparency(int percent) {
    m_model.Options.fTransparency = percent;
    ApplyTransparency();
}

void TMainDlg::ApplyTransparency() {
    const int value = m_model.Options.fTransparency;
    // A value without an item (from a hand-edited file) leaves the check.
    if (value >= 0 && value <= 60 && value % 10 == 0) m_checkedTransparency = value;
    const auto style = ::GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
    const std::optional<std::uint8_t> opacity = LayeredOpacity(value);
    if (!opacity) {
        if (style & WS_EX_LAYERED)
            ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE, style & ~WS_EX_LAYERED);
        return;
    }
    if (!(style & WS_EX_LAYERED)) ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE, style | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(Handle(), 0, *opacity, LWA_ALPHA);
}

// --- Companions, help and exit -----------------------------------------------

void TMainDlg::ToggleTrayPicker() {
    m_model.Options.ColorPickerIcon = !m_model.Options.ColorPickerIcon;
    m_tray->ShowPicker(m_model.Options.ColorPickerIcon);
}

void TMainDlg::PickColor() {
    m_companions->OpenColorWindow();
}

void TMainDlg::ToggleMagnifier() {
    RulerOptions& o = m_model.Options;
    o.Magnifier = !o.Magnifier;
    m_companions->ShowMagnifier(o.Magnifier, m_pointer);
    if (o.Magnifier && !::IsWindowVisible(Handle())) {
        o.Visible = true;
        ShowRuler();
    }
    FollowStartTip(m_pointer); // the tip stands in for a closed magnifier
}

void TMainDlg::CheckForUpdates() {
    m_companions->CheckForUpdates(true);
}

void TMainDlg::SendFeedback() {
    m_companions->ShowFeedback();
}

void TMainDlg::ShowAbout() {
    m_companions->ShowAbout();
}

void TMainDlg::ShowHelp() {
    const bool present = FileSystem().FileExists(m_helpFile);
    if (present && HtmlHelpAvailable()) {
        HelpDisplayTopic(m_helpFile);
        return;
    }
    // Either box must show in front of the top-most ruler.
    RulerCompanions::TopMostScope scope(*m_companions);
    if (present) {
        HHShowError(1);
        return;
    }
    const std::wstring text = FormatText(RulerText::HelpFileMissing, {m_helpFile});
    ::MessageBoxW(Handle(), text.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONERROR);
}

void TMainDlg::Exit() {
    ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

// --- Hotkeys -------------------------------------------------------------------

void TMainDlg::OnHotkey(int id) {
    ++m_counters.HotkeyPresses;
    if (!::IsWindowVisible(Handle()) || !m_companions->RulerOnTop()) ChangeVisible(true);
    const RulerHotkey* hotkey = RulerHotkeyById(id);
    if (!hotkey) return;
    switch (hotkey->Action) {
    case HotkeyAction::MeasureStart:
        MeasureStartPoint();
        return;
    case HotkeyAction::EdgeSpan:
        MeasureEdgeSpan();
        return;
    case HotkeyAction::PinMark:
        PinMarkAtPointer();
        return;
    case HotkeyAction::Move:
        break;
    }
    const int by = m_model.Options.MoveHotKeyMoveBy;
    MoveBy({hotkey->Direction.X * by, hotkey->Direction.Y * by});
}
