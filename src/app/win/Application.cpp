#include "app/win/Application.h"

#include "util/ProgramInfo.h"
#include "util/win/AppError.h"
#include "util/win/MVUtilWin.h"
#include "util/win/TestControl.h"

#include <commctrl.h>

#include <algorithm>

namespace {

std::vector<HWND>& ModelessWindows() {
    static std::vector<HWND> windows;
    return windows;
}

LRESULT CALLBACK ApplicationWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Errors are shown here, from the loop, one box at a time.
    if (msg == ApplicationErrorMessage()) {
        ShowPendingApplicationErrors();
        return 0;
    }
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

} // namespace

Application::Application() : m_title(TProgramInfo().ProductName) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = &ApplicationWndProc;
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

void Application::AddModeless(HWND wnd) {
    auto& windows = ModelessWindows();
    if (std::find(windows.begin(), windows.end(), wnd) == windows.end()) windows.push_back(wnd);
}

void Application::RemoveModeless(HWND wnd) {
    auto& windows = ModelessWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), wnd), windows.end());
}

bool Application::IsModelessMessage(MSG& msg) {
    for (HWND wnd : ModelessWindows())
        if (::IsWindow(wnd) && ::IsDialogMessageW(wnd, &msg)) return true;
    return false;
}

int Application::Run() {
    MSG msg{};
    int failures = 0;
    for (;;) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) break;
        if (got == -1) {
            // A message the system could not hand over (Wine does this with
            // a huge WM_COPYDATA from another program) is dropped; the
            // program runs on and still ends through its close path.
            ::OutputDebugStringW(L"Dravik: GetMessageW failed; message dropped\n");
            if (++failures > 100) ::Sleep(10);
            continue;
        }
        failures = 0;
        CountLoopMessage(msg);
        if (IsModelessMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
