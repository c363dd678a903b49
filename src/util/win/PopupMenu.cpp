#include "util/win/PopupMenu.h"

void ProcessPendingMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

UINT TrackPopupMenuFor(HWND owner, HMENU menu, POINT at, const RECT* exclude) {
    ::SetForegroundWindow(owner);
    ProcessPendingMessages();
    TPMPARAMS params{sizeof(params)};
    if (exclude) params.rcExclude = *exclude;
    const UINT command = static_cast<UINT>(
        ::TrackPopupMenuEx(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | (exclude ? TPM_VERTICAL : 0),
                           at.x, at.y, owner, exclude ? &params : nullptr));
    // Without a message after it, a menu shown from the tray would not close
    // when the user clicks elsewhere next time.
    ::PostMessageW(owner, WM_NULL, 0, 0);
    return command;
}
