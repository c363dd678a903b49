#include "util/win/DialogWindow.h"

#include "util/win/HtmlHelp.h"
#include "util/win/ModalLoop.h"

int DialogWindow::RunModalLoop() {
    m_result = 0;
    RunModal(Handle(), [this] { return m_result != 0; });
    return m_result != 0 ? m_result : IDCANCEL;
}

void DialogWindow::EndModal(int result) {
    m_result = result != 0 ? result : IDCANCEL;
}

HBRUSH DialogWindow::ControlBackground(UINT, HWND, HDC) {
    return nullptr;
}

LRESULT DialogWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_HELP:
        if (m_helpContext != 0 && ApplicationHelpContext(m_helpContext)) return TRUE;
        break;
    case WM_NEXTDLGCTL:
        HandleNextDlgCtl(Handle(), wParam, lParam);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        if (const HBRUSH brush = ControlBackground(msg, reinterpret_cast<HWND>(lParam),
                                                   reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ERASEBKGND:
        if (PaintsWholeClient) return 1;
        break;
    case WM_CLOSE:
        OnCloseRequest();
        return 0;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}
