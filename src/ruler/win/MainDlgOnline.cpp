// The ruler's online windows: the update check, feedback and About, each
// between the removal and the restore of the top-most level.
#include "online/win/InfoForm.h"
#include "online/win/MVOnlineUpdate.h"
#include "online/win/OnlineSettings.h"
#include "online/win/WishDlg.h"
#include "ruler/win/MainDlg.h"

namespace {

// The addresses as configured now (an administrator may change them while
// the program runs).
void TakeAddresses(TProgramInfo& info) {
    const TOnlineUrls urls = ConfiguredOnlineUrls(info);
    info.FeedbackURL = urls.Feedback;
    info.ContactDataURL = urls.ContactData;
}

} // namespace

void TMainDlg::WnscheFeedback1Click() {
    TopMostScope level(*this);
    TakeAddresses(m_programInfo);
    ShowWishDlg(
        m_programInfo, m_programInfo.FeedbackURL,
        [this](HWND owner) { ShowAboutDlg(m_programInfo, owner); }, Handle());
}

void TMainDlg::menAboutClick() {
    TopMostScope level(*this);
    TakeAddresses(m_programInfo);
    ShowAboutDlg(m_programInfo, Handle());
}

TMVOnlineUpdate& TMainDlg::OnlineUpdate() {
    if (!MVOnlineUpdate1) {
        MVOnlineUpdate1 = std::make_unique<TMVOnlineUpdate>(m_programInfo);
        MVOnlineUpdate1->OnBeforeDialog = [this] { TopMostRemove(); };
        MVOnlineUpdate1->OnAfterDialog = [this] { TopMostRestore(); };
        MVOnlineUpdate1->OnContact = [this](HWND owner) {
            TakeAddresses(m_programInfo);
            ShowAboutDlg(m_programInfo, owner);
        };
    }
    return *MVOnlineUpdate1;
}

void TMainDlg::CheckForUpdatesAutomatically() {
    OnlineUpdate().Execute(false, Handle());
}

void TMainDlg::NachneuerVersionsuchen1Click() {
    OnlineUpdate().Execute(true, Handle());
}
