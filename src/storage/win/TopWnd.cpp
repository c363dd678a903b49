#include "storage/win/TopWnd.h"

void TTopMostWindow::SetAlwaysOnTop(bool value) {
    if (value == FAlwaysOnTop) return;
    if (OnBeforeChange) OnBeforeChange(*this);
    FAlwaysOnTop = value;
    ChangeState();
    if (OnAfterChange) OnAfterChange(*this);
}

void TTopMostWindow::ChangeState() {
    ::SetWindowPos(FHWindow, FAlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
}
