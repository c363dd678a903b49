#include "storage/win/SimpleTimer.h"

#include <algorithm>
#include <memory>
#include <vector>

struct TSimpleTimerHandler {
    HWND Window = nullptr;
    int ActiveCount = 0;
    // The live timers. A WM_TIMER may still be queued when its timer dies:
    // ids are looked up here, never taken as the object itself.
    std::vector<TSimpleTimer*> Timers;

    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

namespace {

std::unique_ptr<TSimpleTimerHandler>& Handler() {
    static std::unique_ptr<TSimpleTimerHandler> handler;
    return handler;
}

TSimpleTimerHandler& AddTimer(TSimpleTimer* timer) {
    auto& handler = Handler();
    if (!handler) {
        handler = std::make_unique<TSimpleTimerHandler>();
        WNDCLASSW wc{};
        wc.lpfnWndProc = &TSimpleTimerHandler::WndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DravikSimpleTimer";
        ::RegisterClassW(&wc);
        handler->Window = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                            nullptr, wc.hInstance, nullptr);
    }
    handler->Timers.push_back(timer);
    return *handler;
}

void RemoveTimer(TSimpleTimer* timer) {
    auto& handler = Handler();
    if (!handler) return;
    auto& timers = handler->Timers;
    timers.erase(std::remove(timers.begin(), timers.end(), timer), timers.end());
    if (!timers.empty()) return;
    if (handler->Window) ::DestroyWindow(handler->Window);
    handler.reset();
}

} // namespace

LRESULT CALLBACK TSimpleTimerHandler::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && Handler()) {
        const auto& timers = Handler()->Timers;
        const auto it = std::find_if(timers.begin(), timers.end(),
                                     [&](const TSimpleTimer* t) { return t->FId == wParam; });
        if (it != timers.end()) (*it)->Fire();
        return 0;
    }
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

TSimpleTimer::TSimpleTimer() : FId(reinterpret_cast<UINT_PTR>(this)) {
    AddTimer(this);
}

TSimpleTimer::TSimpleTimer(unsigned interval, TNotifyEvent onTimer)
    : FId(reinterpret_cast<UINT_PTR>(this)), FInterval(interval), FOnTimer(std::move(onTimer)) {
    AddTimer(this);
}

TSimpleTimer::~TSimpleTimer() {
    if (FEnabled) Stop(true);
    RemoveTimer(this);
}

void TSimpleTimer::SetEnabled(bool value) {
    if (value)
        Start();
    else
        Stop(true);
}

void TSimpleTimer::SetInterval(unsigned value) {
    if (value == FInterval) return;
    FInterval = value;
    if (!FEnabled) return;
    if (value == 0)
        Stop(false);
    else
        Start();
}

void TSimpleTimer::SetOnTimer(TNotifyEvent handler) {
    FOnTimer = std::move(handler);
    if (!FOnTimer && FEnabled) Stop(false);
}

bool TSimpleTimer::Start() {
    if (FInterval == 0) return false;
    if (FEnabled) Stop(false);
    TSimpleTimerHandler& handler = *Handler();
    if (!::SetTimer(handler.Window, FId, FInterval, nullptr)) return false;
    FEnabled = true;
    ++handler.ActiveCount;
    return true;
}

void TSimpleTimer::Stop(bool disable) {
    if (disable) FEnabled = false;
    auto& handler = Handler();
    if (handler && ::KillTimer(handler->Window, FId))
        handler->ActiveCount = std::max(0, handler->ActiveCount - 1);
}

void TSimpleTimer::Fire() {
    if (FAutoDisable) Stop(true);
    if (FOnTimer) FOnTimer(*this);
}

HWND TSimpleTimer::HandlerWindow() {
    return Handler() ? Handler()->Window : nullptr;
}

int TSimpleTimer::ActiveCount() {
    return Handler() ? Handler()->ActiveCount : 0;
}
