#pragma once
// The update dialog "Update-Assistent": what the check found, the search on
// demand (in the background: the window keeps painting and "Schließen" ends
// a search that hangs), and the interval of the automatic check.
#include "online/UpdateCheck.h"
#include "online/win/HtmlLabel.h"
#include "util/ProgramInfo.h"
#include "util/win/BackgroundTask.h"
#include "util/win/DialogWindow.h"
#include "util/win/MVBevel.h"
#include "util/win/MVLabel.h"

#include <memory>
#include <optional>

class TMVOnlineUpdate;

class TOnlineUpdateDlg : public DialogWindow {
  public:
    TOnlineUpdateDlg();
    ~TOnlineUpdateDlg() override;

    // Set before Create.
    TMVOnlineUpdate* OnlineUpdate = nullptr; // the check, its product and addresses
    std::wstring UpdMessage;
    TAutoUpdateInterval AutoUpdateInterval = aai4Weeks;
    int NewLastMsgID = 0;
    // Read back after closing: the entry the user picked, none when the list
    // was left as shown.
    std::optional<TAutoUpdateInterval> PickedInterval;

    void Create(HWND owner);
    void ShowModal();

    void btnSearchClick();
    void lSettingsClick();
    bool Searching() const { return static_cast<bool>(m_search); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    HBRUSH ControlBackground(UINT kind, HWND control, HDC dc) override;
    void OnCloseRequest() override;
    void PaintContent(HDC dc, const Rect& area) override;
    void OnDpiChanged(UINT dpi, const RECT& suggested) override;

  private:
    void CreateControls();
    void LayoutControls();
    void SetClientHeight(int designHeight);
    void SearchDone();
    HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }

    THtmlLabel m_message;
    TMVLabel lSettings;
    TMvBevel m_panelLine;
    TUpdateCheckResult m_searchResult; // before the search, which writes it
    std::unique_ptr<TBackgroundTask> m_search;
    int m_clientHeight = 0; // at 96 DPI
};
