#include "util/win/Deferred.h"

#include "util/win/AppError.h"

#include <windows.h>

#include <memory>

namespace {

constexpr UINT RunTaskMessage = WM_APP + 1;

LRESULT CALLBACK DeferredWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != RunTaskMessage) return ::DefWindowProcW(wnd, msg, wParam, lParam);
    std::unique_ptr<std::function<void()>> task(reinterpret_cast<std::function<void()>*>(lParam));
    GuardedCall([&] { (*task)(); });
    return 0;
}

HWND DeferredWindow() {
    static HWND wnd = [] {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = &DeferredWndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DravikDeferred";
        ::RegisterClassExW(&wc);
        return ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 wc.hInstance, nullptr);
    }();
    return wnd;
}

} // namespace

void RunDeferred(std::function<void()> task) {
    auto boxed = std::make_unique<std::function<void()>>(std::move(task));
    if (::PostMessageW(DeferredWindow(), RunTaskMessage, 0, reinterpret_cast<LPARAM>(boxed.get())))
        boxed.release(); // the window procedure owns it now
}
