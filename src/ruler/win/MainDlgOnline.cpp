// The ruler's online windows: feedback and About, each between the removal
// and the restore of the top-most level.
#include "online/win/InfoForm.h"
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
