#include "online/win/MVOnlineUpdate.h"
#include "util/win/Log.h"

#include "online/win/HttpClient.h"
#include "online/win/InfoForm.h"
#include "online/win/MVOnlineUpdateForm.h"
#include "online/win/OnlineSettings.h"
#include "online/win/SystemProxy.h"
#include "online/win/WishDlg.h"
#include "storage/win/RegistryProgData.h"
#include "util/CommandLine.h"
#include "util/DateTime.h"
#include "util/StringUtils.h"
#include "util/win/ModalLoop.h"

namespace {

constexpr UINT WM_CHECK_DONE = WM_APP + 40;
constexpr UINT WM_SHOW_HELD = WM_APP + 42;
// A message box is no modal loop of ours, but disables the window it
// belongs to: while it does, the answer is asked for again now and then.
constexpr UINT_PTR kOwnerBusyTimer = 1;
constexpr UINT kOwnerBusyRetryMs = 250;

} // namespace

TDateTime LocalNow() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    return EncodeDate(t.wYear, t.wMonth, t.wDay) +
           EncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

std::unique_ptr<TCustomIniFile> OpenUpdateCheckStore(const TProgramInfo& info) {
    return CreateRegistryProgData(info.FamilyKey() + L"\\" + UpdateCheckKey, false, false);
}

TFetchResult FetchVersionFile(const std::wstring& url, const std::atomic<bool>* cancel) {
    const THttpResult answer = HttpGet(EncodeUtf8(url), SystemProxyFor(L"http"), {}, cancel);
    TFetchResult result;
    result.Ok = answer.Ok();
    result.Body.assign(answer.Body.begin(), answer.Body.end());
    result.Error = HttpFailureText(answer);
    result.Detail = Widen(answer.Detail.c_str());
    return result;
}

TMVOnlineUpdate::TMVOnlineUpdate(TProgramInfo& info) : m_info(info) {
    RegisterClassOnce(L"TMVOnlineUpdate", nullptr, nullptr, 0);
    CreateWnd(L"TMVOnlineUpdate", L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE);
}

TMVOnlineUpdate::~TMVOnlineUpdate() {
    m_check.reset(); // cancels a download still running
    if (Handle()) ::DestroyWindow(Handle());
}

TUpdateCheckContext TMVOnlineUpdate::CheckContext() {
    if (MorvaneURLs) {
        const TOnlineUrls urls = ConfiguredOnlineUrls(m_info);
        UrlVersionFile = urls.VersionFile;
        UrlProgDownload = urls.ProgDownload;
        UrlProgChanges = urls.ProgChanges;
    }
    const std::wstring id = LowerCaseText(m_info.ProgramId);
    const auto program = [&](const std::wstring& url) {
        return MyReplace(url, L"##PROG##", id, false, 0);
    };
    TUpdateCheckContext context;
    context.ProgramId = m_info.ProgramId;
    context.Version = m_info.Version;
    context.Urls = ConfiguredOnlineUrls(m_info);
    context.Urls.VersionFile = UrlVersionFile;
    context.Urls.ProgDownload = program(UrlProgDownload);
    context.Urls.ProgChanges = program(UrlProgChanges);
    context.Urls.OtherProducts = program(UrlOtherProducts);
    context.Now = LocalNow();
    context.Debug = HasParam(L"debug");
    return context;
}

void TMVOnlineUpdate::Execute(bool showAlways, HWND owner) {
    m_owner = owner;
    const TUpdateCheckContext context = CheckContext();
    if (showAlways) {
        const auto store = OpenUpdateCheckStore(m_info);
        ShowVerdict(ExecuteVerdict(*store, context, true, nullptr));
        return;
    }
    if (CheckRunning()) return; // one automatic check at a time
    // Mostly it is not due: the bookkeeping alone gives the verdict, here and
    // without a thread. Only a check that goes online runs in the background
    // (and loads the network code then).
    try {
        const auto store = OpenUpdateCheckStore(m_info);
        if (!AutomaticCheckGoesOnline(*store, context.Now)) {
            m_result = ExecuteVerdict(*store, context, false, nullptr);
            // Taken up from the message loop, as the background check's answer.
            m_verdictComing = true;
            ::PostMessageW(Handle(), WM_CHECK_DONE, 0, 0);
            return;
        }
    } catch (...) {
        LogCurrentException(L"automatic update check");
        return; // no store: nothing to show, the next start tries again
    }
    m_check = std::make_unique<TBackgroundTask>(
        Handle(), WM_CHECK_DONE, [this, context](const std::atomic<bool>& cancelled) {
            try {
                const auto store = OpenUpdateCheckStore(m_info);
                m_result = ExecuteVerdict(*store, context, false, [&](const std::wstring& url) {
                    return FetchVersionFile(url, &cancelled);
                });
            } catch (...) {
                LogCurrentException(L"automatic update check");
                m_result = {}; // no store: nothing to show, the next start tries again
            }
        });
}

LRESULT TMVOnlineUpdate::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const bool answered = (m_check && lParam == reinterpret_cast<LPARAM>(m_check.get())) ||
                          (m_verdictComing && lParam == 0);
    if (msg == WM_CHECK_DONE && answered) {
        m_check.reset();
        m_verdictComing = false;
        m_held = m_result;
        ShowHeldWhenFree();
        return 0;
    }
    if (msg == WM_SHOW_HELD || (msg == WM_TIMER && wParam == kOwnerBusyTimer)) {
        ShowHeldWhenFree();
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void TMVOnlineUpdate::ShowHeldWhenFree() {
    if (!m_held) return;
    if (OpenModalLoops() > 0) {
        PostWhenNoModalLoop(Handle(), WM_SHOW_HELD);
        return;
    }
    if (m_owner && ::IsWindow(m_owner) && !::IsWindowEnabled(m_owner)) {
        ::SetTimer(Handle(), kOwnerBusyTimer, kOwnerBusyRetryMs, nullptr);
        return;
    }
    ::KillTimer(Handle(), kOwnerBusyTimer);
    const TUpdateCheckResult result = std::move(*m_held);
    m_held.reset();
    ShowVerdict(result);
}

void TMVOnlineUpdate::ShowVerdict(const TUpdateCheckResult& result) {
    if (result.Verdict == sdNone) return;
    if (OnBeforeDialog) OnBeforeDialog();
    try {
        if (result.Verdict == sdWish) {
            m_info.FeedbackURL = ConfiguredOnlineUrls(m_info).Feedback;
            ShowWishDlg(m_info, m_info.FeedbackURL, OnContact, m_owner);
        } else {
            const auto store = OpenUpdateCheckStore(m_info);
            TOnlineUpdateDlg dialog;
            dialog.OnlineUpdate = this;
            dialog.UpdMessage = result.Msg;
            dialog.AutoUpdateInterval = ReadAutoUpdateInterval(*store);
            dialog.NewLastMsgID = result.NewLastMsgID;
            dialog.Create(m_owner);
            dialog.ShowModal();
            FinishUpdateDialog(*store, dialog.PickedInterval, dialog.NewLastMsgID);
        }
    } catch (...) {
        if (OnAfterDialog) OnAfterDialog();
        throw;
    }
    if (OnAfterDialog) OnAfterDialog();
}
