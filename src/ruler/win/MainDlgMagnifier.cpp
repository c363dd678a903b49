// The ruler's side of the magnifier: it opens and releases the window, hands
// it the options it keeps for it and takes back what the user changes there.
#include "magnifier/win/MagnifierDlg.h"
#include "ruler/win/MainDlg.h"
#include "util/win/MVUtilWin.h"

namespace {
// Posted by the magnifier's Esc: the window is released from the ruler's
// own message, never from inside the magnifier's.
const UINT ReleaseMagnifierMessage = ::RegisterWindowMessageW(L"DravikReleaseMagnifier");
} // namespace

void TMainDlg::menMagnifierClick() {
    m_model.Options.Magnifier = !m_model.Options.Magnifier;
    ShowMagnifier(m_model.Options.Magnifier);
    if (m_model.Options.Magnifier && !::IsWindowVisible(Handle())) {
        m_model.Options.Visible = true;
        ShowLineal();
    }
}

void TMainDlg::ShowMagnifier(bool show) {
    if (!show) {
        m_magnifier.reset();
        return;
    }
    if (!m_magnifier) {
        m_magnifier = std::make_unique<TMagnifierDlg>();
        m_magnifier->Create(ApplicationWindow(), m_paths->IniName(), m_paths->IniFormat);
        m_magnifier->RulerPosition = [this] {
            RECT r{};
            ::GetWindowRect(Handle(), &r);
            return RulerFrame{{r.left, r.top, r.right, r.bottom}, m_model.Geometry.FHorizontal};
        };
        m_magnifier->ZoomChanged = [this](TMagnifierDlg& m) { EvZoomChanged(m); };
        m_magnifier->NeutralPointScreenChanged = [this](TMagnifierDlg& m) {
            EvNeutralPointScreenChanged(m);
        };
        // The close box hides the window; "Lupe" then shows the same one.
        m_magnifier->Closed = [this](TMagnifierDlg&) { m_model.Options.Magnifier = false; };
        m_magnifier->Released = [this](TMagnifierDlg&) {
            m_model.Options.Magnifier = false;
            ::PostMessageW(Handle(), ReleaseMagnifierMessage, 0, 0);
        };
    }
    const RulerOptions& o = m_model.Options;
    m_magnifier->SetNeutralPointScreen(o.NeutralPointScreen);
    m_magnifier->SetMoveMagnifierWithClick(o.MoveMagnifierWithClick);
    m_magnifier->SetZoom(o.Zoom);
    // Where the pointer is now, so the first picture needs no movement.
    m_magnifier->Magnify(ActX, ActY);
    m_magnifier->Show();
}

void TMainDlg::EvZoomChanged(TMagnifierDlg& sender) {
    m_model.Options.Zoom = sender.Zoom();
}

void TMainDlg::EvNeutralPointScreenChanged(TMagnifierDlg& sender) {
    m_model.Options.NeutralPointScreen = sender.NeutralPointScreen();
    m_model.Options.MoveMagnifierWithClick = sender.MoveMagnifierWithClick();
}

bool TMainDlg::HandleMagnifierMessage(UINT msg) {
    if (msg != ReleaseMagnifierMessage) return false;
    m_magnifier.reset();
    return true;
}
