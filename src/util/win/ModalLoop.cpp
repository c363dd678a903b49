#include "util/win/ModalLoop.h"
#include "util/Dpi.h"
#include "util/win/WindowRects.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// All on the UI thread, which runs every modal loop.
int g_openModalLoops = 0;
std::vector<std::pair<HWND, UINT>> g_waiting;

void PostToWaiting() {
    const auto waiting = std::exchange(g_waiting, {});
    for (const auto& [wnd, msg] : waiting)
        ::PostMessageW(wnd, msg, 0, 0);
}

// Counts the loop while it runs, also when it ends by an exception.
class OpenLoop {
  public:
    OpenLoop() { ++g_openModalLoops; }
    ~OpenLoop() {
        if (--g_openModalLoops == 0) PostToWaiting();
    }
    OpenLoop(const OpenLoop&) = delete;
    OpenLoop& operator=(const OpenLoop&) = delete;
};

} // namespace

int OpenModalLoops() {
    return g_openModalLoops;
}

void PostWhenNoModalLoop(HWND wnd, UINT msg) {
    const std::pair entry{wnd, msg};
    if (std::find(g_waiting.begin(), g_waiting.end(), entry) == g_waiting.end())
        g_waiting.push_back(entry);
    if (g_openModalLoops == 0) PostToWaiting();
}

void RunModal(HWND wnd, const std::function<bool()>& done) {
    const OpenLoop counted;
    const HWND owner = ::GetWindow(wnd, GW_OWNER);
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
    ::ShowWindow(wnd, SW_SHOW);
    ::SetForegroundWindow(wnd);
    MSG msg{};
    while (!done() && ::IsWindow(wnd)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) continue;
        if (::IsDialogMessageW(wnd, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    // The owner comes back before the window goes, so the activation
    // returns to it rather than to another program.
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
    if (::IsWindow(wnd)) ::ShowWindow(wnd, SW_HIDE);
}

void HandleNextDlgCtl(HWND form, WPARAM wParam, LPARAM lParam) {
    HWND target = nullptr;
    if (LOWORD(lParam))
        target = reinterpret_cast<HWND>(wParam);
    else
        target = ::GetNextDlgTabItem(form, ::GetFocus(), wParam != 0);
    if (target && ::IsChild(form, target)) ::SetFocus(target);
}

void SetDesignClientSize(HWND wnd, Size design, UINT dpi, bool keepPlace) {
    RECT frame{0, 0, ScaleToDpi(design.Width, dpi), ScaleToDpi(design.Height, dpi)};
    ::AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(::GetWindowLongPtrW(wnd, GWL_STYLE)),
                               FALSE, static_cast<DWORD>(::GetWindowLongPtrW(wnd, GWL_EXSTYLE)),
                               dpi);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const Rect now = WindowRectOf(wnd);
    const bool placed = keepPlace && now.Width() > 1;
    ::SetWindowPos(wnd, nullptr, placed ? now.Left : (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                   placed ? now.Top : (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

bool LetScreenSettle(DWORD ms) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    const ULONGLONG end = ::GetTickCount64() + ms;
    for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now),
                                    QS_PAINT | QS_SENDMESSAGE);
        while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    return true;
}
