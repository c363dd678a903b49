#include "util/win/ModalLoop.h"
#include "util/Dpi.h"

void RunModal(HWND wnd, const std::function<bool()>& done) {
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
    RECT frame{0, 0, ScaleToDpi(design.Width, static_cast<int>(dpi)),
               ScaleToDpi(design.Height, static_cast<int>(dpi))};
    ::AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(::GetWindowLongPtrW(wnd, GWL_STYLE)),
                               FALSE, static_cast<DWORD>(::GetWindowLongPtrW(wnd, GWL_EXSTYLE)),
                               dpi);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT now{};
    ::GetWindowRect(wnd, &now);
    const bool placed = keepPlace && now.right - now.left > 1;
    ::SetWindowPos(wnd, nullptr, placed ? now.left : (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                   placed ? now.top : (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}
