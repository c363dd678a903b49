#include "ruler/win/RulerCompanions.h"

#include "colour/ColorFormModel.h"
#include "colour/win/MVColorDlg.h"
#include "colour/win/MVColorForm.h"
#include "magnifier/win/MagnifierDlg.h"
#include "online/win/InfoForm.h"
#include "online/win/MVOnlineUpdate.h"
#include "online/win/OnlineSettings.h"
#include "online/win/WishDlg.h"
#include "ruler/StartPointDelta.h"
#include "storage/PBPathList.h"
#include "storage/win/TopWnd.h"
#include "util/win/AppError.h"
#include "util/win/MVUtilWin.h"
#include "util/win/WindowRects.h"

namespace {

// Posted by the magnifier's Esc: the window is released from the ruler's
// own message, never from inside the magnifier's.
const UINT ReleaseMagnifierMessage = ::RegisterWindowMessageW(L"DravikReleaseMagnifier");

// The addresses as configured now (an administrator may change them while
// the program runs).
void TakeAddresses(TProgramInfo& info) {
    const TOnlineUrls urls = ConfiguredOnlineUrls(info);
    info.FeedbackURL = urls.Feedback;
    info.ContactDataURL = urls.ContactData;
}

void SetTopMost(HWND wnd) {
    ::SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

RulerCompanions::RulerCompanions(HWND ruler, RulerModel& model, TPBPathList& paths,
                                 TProgramInfo& info)
    : m_ruler(ruler), m_model(model), m_paths(paths), m_info(info),
      m_level(std::make_unique<TTopMostWindow>(ruler)),
      m_colorDlg(std::make_unique<TMVColorDlg>()) {
    TMVColorDlg& dlg = *m_colorDlg;
    dlg.Name = L"MVColorDlg";
    dlg.RGBText = L"HTML";
    dlg.OnlyCloseBtn = true;
    dlg.PickerIcon = false;
    dlg.OnBeforePickColor = [this](TMVColorDlg&) { BeforeColorShot(); };
    dlg.OnAfterPickColor = [this](TMVColorDlg&) { AfterColorShot(); };
    // The window keeps its keys in the ruler's own settings file, in the
    // file's own format (it must stay UTF-16 when it is).
    dlg.IniName = paths.IniName();
    dlg.IniFormat = paths.IniFormat;
}

RulerCompanions::~RulerCompanions() {
    // The magnifier keeps its place in the settings file as it goes.
    GuardedCall([this] { m_magnifier.reset(); });
    m_onlineUpdate.reset(); // a check still downloading stops
    GuardedCall([] { ReleaseColorForm(); });
}

// --- The level ---------------------------------------------------------------

void RulerCompanions::SetRulerOnTop(bool value) {
    m_level->SetAlwaysOnTop(value);
    // The window's own level follows, also when the component saw no change
    // (the window is created top-most).
    const bool topMost = (::GetWindowLongPtrW(m_ruler, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (topMost != m_level->AlwaysOnTop())
        ::SetWindowPos(m_ruler, m_level->AlwaysOnTop() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool RulerCompanions::RulerOnTop() const {
    return m_level->AlwaysOnTop();
}

void RulerCompanions::TopMostRemove() {
    m_level->SetAlwaysOnTop(false);
    if (m_magnifier) m_magnifier->SetStayOnTop(false);
}

void RulerCompanions::TopMostRestore() {
    if (m_model.Options.OnTop) m_level->SetAlwaysOnTop(true);
    if (m_magnifier) m_magnifier->SetStayOnTop(true);
}

void RulerCompanions::BringAboveOthers() {
    if (!m_model.Options.OnTop) return;
    SetTopMost(m_ruler);
    if (m_magnifier) SetTopMost(m_magnifier->Handle());
}

// --- The magnifier -------------------------------------------------------------

void RulerCompanions::ShowMagnifier(bool show, Point pointer) {
    if (!show) {
        m_magnifier.reset();
        return;
    }
    RulerOptions& o = m_model.Options;
    if (!m_magnifier) {
        m_magnifier = std::make_unique<TMagnifierDlg>();
        m_magnifier->Create(ApplicationWindow(), m_paths.IniName(), m_paths.IniFormat);
        m_magnifier->RulerPosition = [this] {
            return RulerFrame{WindowRectOf(m_ruler), m_model.Geometry.FHorizontal};
        };
        m_magnifier->FromStartPoint = [this](Point at) {
            const CursorState& cursor = m_model.Cursor;
            if (!cursor.HasStartPos) return std::wstring();
            return StartPointDeltaText(DeltaFromStart({m_model, {}}, cursor.StartPoint, at));
        };
        m_magnifier->ZoomChanged = [&o](TMagnifierDlg& m) { o.Zoom = m.Zoom(); };
        m_magnifier->NeutralPointScreenChanged = [&o](TMagnifierDlg& m) {
            o.NeutralPointScreen = m.NeutralPointScreen();
            o.MoveMagnifierWithClick = m.MoveMagnifierWithClick();
        };
        // The close box hides the window; "Lupe" then shows the same one.
        m_magnifier->Closed = [&o](TMagnifierDlg&) { o.Magnifier = false; };
        m_magnifier->Released = [this, &o](TMagnifierDlg&) {
            o.Magnifier = false;
            ::PostMessageW(m_ruler, ReleaseMagnifierMessage, 0, 0);
        };
    }
    m_magnifier->SetNeutralPointScreen(o.NeutralPointScreen);
    m_magnifier->SetMoveMagnifierWithClick(o.MoveMagnifierWithClick);
    m_magnifier->SetZoom(o.Zoom);
    // Where the pointer is now, so the first picture needs no movement.
    m_magnifier->Magnify(pointer.X, pointer.Y);
    m_magnifier->Show();
}

void RulerCompanions::FollowPointer(Point pointer) {
    if (m_magnifier) m_magnifier->Magnify(pointer.X, pointer.Y);
}

void RulerCompanions::RedrawMagnifier() {
    if (m_magnifier) m_magnifier->Redraw();
}

HWND RulerCompanions::MagnifierWindow() const {
    return m_magnifier ? m_magnifier->Handle() : nullptr;
}

bool RulerCompanions::HandleMessage(UINT msg) {
    if (msg != ReleaseMagnifierMessage) return false;
    m_magnifier.reset();
    return true;
}

// --- The colour window -----------------------------------------------------------

void RulerCompanions::OpenColorWindow() {
    // Owned by the ruler, so the window stays above the top-most ruler and
    // its title bar never hides behind it.
    m_colorDlg->Execute(false, m_ruler);
}

TColor RulerCompanions::ColorDlgColor() const {
    // A window still open at exit hands over the colour it shows.
    if (const TMVColorForm* form = OpenColorForm()) return form->GetUserColor();
    return m_colorDlg->Color;
}

void RulerCompanions::SetColorDlgColor(TColor color) {
    // "No colour" (a hand-edited file) has nothing to show: the window starts from black.
    m_colorDlg->Color = EditableColor(color);
}

bool RulerCompanions::ColorWindowOpen() const {
    return OpenColorForm() != nullptr;
}

bool RulerCompanions::ColorShotRunning() const {
    return OpenColorForm() && OpenColorForm()->ShotRunning();
}

void RulerCompanions::BeforeColorShot() {
    m_rulerShownBeforeShot = ::IsWindowVisible(m_ruler) != FALSE;
    if (m_rulerShownBeforeShot) ::ShowWindow(m_ruler, SW_HIDE);
    m_magnifierShownBeforeShot = m_magnifier && ::IsWindowVisible(m_magnifier->Handle());
    if (m_magnifierShownBeforeShot) ::ShowWindow(m_magnifier->Handle(), SW_HIDE);
}

void RulerCompanions::AfterColorShot() {
    if (m_rulerShownBeforeShot) ::ShowWindow(m_ruler, SW_SHOWNOACTIVATE);
    if (m_magnifierShownBeforeShot && m_magnifier)
        ::ShowWindow(m_magnifier->Handle(), SW_SHOWNOACTIVATE);
}

// --- Online ------------------------------------------------------------------------

TMVOnlineUpdate& RulerCompanions::OnlineUpdate() {
    if (!m_onlineUpdate) {
        m_onlineUpdate = std::make_unique<TMVOnlineUpdate>(m_info);
        m_onlineUpdate->OnBeforeDialog = [this] { TopMostRemove(); };
        m_onlineUpdate->OnAfterDialog = [this] { TopMostRestore(); };
        m_onlineUpdate->OnContact = [this](HWND owner) {
            TakeAddresses(m_info);
            ShowAboutDlg(m_info, owner);
        };
    }
    return *m_onlineUpdate;
}

void RulerCompanions::CheckForUpdates(bool manual) {
    OnlineUpdate().Execute(manual, m_ruler);
}

bool RulerCompanions::UpdateCheckRunning() const {
    return m_onlineUpdate && m_onlineUpdate->CheckRunning();
}

void RulerCompanions::ShowFeedback() {
    TopMostScope level(*this);
    TakeAddresses(m_info);
    ShowWishDlg(
        m_info, m_info.FeedbackURL, [this](HWND owner) { ShowAboutDlg(m_info, owner); }, m_ruler);
}

void RulerCompanions::ShowAbout() {
    TopMostScope level(*this);
    TakeAddresses(m_info);
    ShowAboutDlg(m_info, m_ruler);
}
