// The ruler's online windows: feedback.
#include "online/win/WishDlg.h"
#include "ruler/win/MainDlg.h"
#include "util/win/MVUtilWin.h"

void TMainDlg::WnscheFeedback1Click() {
    TopMostScope level(*this);
    ShowWishDlg(m_programInfo, m_programInfo.FeedbackURL, nullptr, Handle());
}
