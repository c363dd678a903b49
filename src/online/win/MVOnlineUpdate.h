#pragma once
// The update check of the program: automatic when the ruler is shown (at
// most once per interval, the download in the background), on demand from
// the menu, with its bookkeeping in the program family's registry key. What
// it finds opens the update dialog, or once in the program's life the
// feedback dialog.
#include "online/UpdateCheck.h"
#include "util/ProgramInfo.h"
#include "util/win/BackgroundTask.h"
#include "util/win/Window.h"

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// The moment in the calendar the bookkeeping counts in (local time).
TDateTime LocalNow();

// The bookkeeping store: "...\Common\DVK\UpdateCheck".
std::unique_ptr<TCustomIniFile> OpenUpdateCheckStore(const TProgramInfo& info);

// The version file through the system proxy, within the limits, as the check takes it.
TFetchResult FetchVersionFile(const std::wstring& url, const std::atomic<bool>* cancel);

class TMVOnlineUpdate : public Window {
  public:
    using TDialogEvent = std::function<void()>;

    explicit TMVOnlineUpdate(TProgramInfo& info);
    ~TMVOnlineUpdate() override;

    // showAlways false: the automatic check (in the background; its dialog
    // opens when the answer is there and no dialog of the program is open,
    // so never inside another); true: the update dialog at once.
    void Execute(bool showAlways, HWND owner);
    // Until the message loop has its answer (held while a dialog is open).
    bool CheckRunning() const { return m_check || m_verdictComing; }

    // Around every dialog it opens (the ruler lifts its top-most level).
    TDialogEvent OnBeforeDialog;
    TDialogEvent OnAfterDialog;
    // What "Kontakt mit uns aufnehmen" of the feedback dialog opens.
    std::function<void(HWND owner)> OnContact;

    // The addresses; with MorvaneURLs every check first takes the product's
    // own (below the configured server). "##PROG##" stands for the program id.
    std::wstring UrlVersionFile, UrlProgDownload, UrlProgChanges, UrlOtherProducts;
    bool MorvaneURLs = true;

    const TProgramInfo& ProgramInfo() const { return m_info; }
    // The check's context now: the program, the addresses, the clock and the
    // "debug" switch.
    TUpdateCheckContext CheckContext();

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void ShowVerdict(const TUpdateCheckResult& result);
    void ShowHeldWhenFree();

    TProgramInfo& m_info;
    HWND m_owner = nullptr;
    TUpdateCheckResult m_result; // before the check, which writes it
    std::unique_ptr<TBackgroundTask> m_check;
    // The automatic check's answer while a dialog of the program is open.
    std::optional<TUpdateCheckResult> m_held;
    // A verdict of the bookkeeping alone (no download), until the message
    // loop takes it up as it takes up the background check's.
    bool m_verdictComing = false;
};
