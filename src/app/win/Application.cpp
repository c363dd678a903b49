#include "app/win/Application.h"

#include "util/win/MVUtilWin.h"

#include <commctrl.h>

Application::Application() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = &::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hIcon = ::LoadIconW(wc.hInstance, L"MAINICON");
    wc.lpszClassName = L"DravikApplication";
    ::RegisterClassExW(&wc);
    // Zero-sized and never activated: it only owns the program's windows.
    m_wnd = ::CreateWindowExW(0, wc.lpszClassName, m_title.c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                              nullptr, nullptr, wc.hInstance, nullptr);
    SetApplicationWindow(m_wnd);
}

Application::~Application() {
    SetApplicationWindow(nullptr);
    if (m_wnd) ::DestroyWindow(m_wnd);
}

int Application::Run() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
