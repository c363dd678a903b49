// Counting driver: how long a mouse movement takes from the system's input
// queue to the ruler's window procedure through zephal.dll, with an idle UI
// thread and with a UI thread that is busy 5 ms out of every 6 ms.
//
// Also reports how long SendInput itself takes: with a low-level hook
// installed, the system waits for the hook before the cursor moves, so that
// figure is what a user's mouse would feel. Positions a busy UI thread had no
// time for are skipped (the library delivers the newest one only).
//
// Last, the UI thread blocks for a while (10 s by default) with the mouse
// moving at about 1000 Hz: how many notifications were waiting for it then,
// and whether the first one it got carries the newest position.
//   HookLatencyBench.exe [moves] [blocked seconds]   (default 10000, 10)
#include "hook/ZephalApi.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

LARGE_INTEGER g_freq;
std::vector<long long> g_sent, g_received, g_stall;
int g_moves = 10000;
HWND g_receiver = nullptr;

long long Now() {
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return t.QuadPart;
}
double Micros(long long ticks) {
    return 1e6 * static_cast<double>(ticks) / static_cast<double>(g_freq.QuadPart);
}

POINT PositionOf(int i) {
    return {10 + i % 1000, 10 + i / 1000};
}
int IndexOf(int x, int y) {
    return (y - 10) * 1000 + (x - 10);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == ::GetMonitorMouseMoveMsg()) {
        const int i = IndexOf(static_cast<int>(wParam), static_cast<int>(lParam));
        if (i >= 0 && i < g_moves && g_received[static_cast<size_t>(i)] == 0)
            g_received[static_cast<size_t>(i)] = Now();
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Inject(std::atomic<bool>& done) {
    const int w = ::GetSystemMetrics(SM_CXSCREEN) - 1, h = ::GetSystemMetrics(SM_CYSCREEN) - 1;
    for (int i = 0; i < g_moves; ++i) {
        const POINT p = PositionOf(i);
        INPUT in{};
        in.type = INPUT_MOUSE;
        // Exact pixel hit: round to the nearest normalised coordinate.
        in.mi.dx = (p.x * 65535 + w / 2) / w;
        in.mi.dy = (p.y * 65535 + h / 2) / h;
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        const long long t0 = Now();
        g_sent[static_cast<size_t>(i)] = t0;
        ::SendInput(1, &in, sizeof(in));
        g_stall[static_cast<size_t>(i)] = Now() - t0;
        // About a 1000 Hz mouse.
        while (Now() - t0 < g_freq.QuadPart / 1000)
            std::this_thread::yield();
    }
    done = true;
    ::PostMessageW(g_receiver, WM_NULL, 0, 0);
}

void Report(const char* title) {
    std::vector<double> latency, stall;
    int lost = 0;
    for (size_t i = 0; i < g_sent.size(); ++i) {
        if (g_received[i] == 0) {
            ++lost;
            continue;
        }
        latency.push_back(Micros(g_received[i] - g_sent[i]));
        stall.push_back(Micros(g_stall[i]));
    }
    auto pct = [](std::vector<double>& v, double q) {
        if (v.empty()) return 0.0;
        std::sort(v.begin(), v.end());
        return v[static_cast<size_t>(q * static_cast<double>(v.size() - 1))];
    };
    std::printf("%-22s moves %d  delivered %zu  skipped %d\n", title, g_moves, latency.size(),
                lost);
    std::printf("  delivery latency  median %8.1f us   p99 %8.1f us\n", pct(latency, 0.5),
                pct(latency, 0.99));
    std::printf("  SendInput stall   median %8.1f us   p99 %8.1f us\n", pct(stall, 0.5),
                pct(stall, 0.99));
}

void Run(bool busy) {
    g_sent.assign(static_cast<size_t>(g_moves), 0);
    g_received.assign(static_cast<size_t>(g_moves), 0);
    g_stall.assign(static_cast<size_t>(g_moves), 0);
    std::atomic<bool> done{false};
    std::thread injector(Inject, std::ref(done));
    MSG msg;
    while (!done) {
        if (busy) {
            // Busy with something else for 5 ms, then one turn of the loop.
            const long long until = Now() + g_freq.QuadPart * 5 / 1000;
            while (Now() < until) {
            }
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&msg);
        } else if (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::DispatchMessageW(&msg);
        }
    }
    injector.join();
    // Collect stragglers.
    const long long until = Now() + g_freq.QuadPart / 5;
    while (Now() < until)
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    Report(busy ? "busy UI thread" : "idle UI thread");
}

int g_blockedNotifications = 0;
POINT g_firstAfterBlock{-1, -1};

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == ::GetMonitorMouseMoveMsg()) {
        if (g_blockedNotifications++ == 0)
            g_firstAfterBlock = {static_cast<LONG>(wParam), static_cast<LONG>(lParam)};
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Blocked(int seconds) {
    ::SetWindowLongPtrW(g_receiver, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc));
    std::atomic<bool> done{false};
    int moves = 0;
    POINT last{};
    std::thread injector([&] {
        const int w = ::GetSystemMetrics(SM_CXSCREEN) - 1, h = ::GetSystemMetrics(SM_CYSCREEN) - 1;
        const long long end = Now() + g_freq.QuadPart * seconds;
        while (Now() < end) {
            last = {20 + moves % 900, 20 + (moves / 900) % 500};
            INPUT in{};
            in.type = INPUT_MOUSE;
            in.mi.dx = (last.x * 65535 + w / 2) / w;
            in.mi.dy = (last.y * 65535 + h / 2) / h;
            in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            ::SendInput(1, &in, sizeof(in));
            ++moves;
            const long long t0 = Now();
            while (Now() - t0 < g_freq.QuadPart / 1000)
                std::this_thread::yield();
        }
        done = true;
    });
    // The UI thread is blocked: no message is looked at.
    ::Sleep(static_cast<DWORD>(seconds) * 1000 + 300);
    injector.join();
    const bool postable = ::PostMessageW(g_receiver, WM_NULL, 0, 0) != FALSE;
    MSG msg;
    const long long until = Now() + g_freq.QuadPart / 2;
    while (Now() < until)
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    std::printf("blocked UI thread %d s  moves %d  notifications waiting %d  first one newest %s"
                "  other posts %s\n",
                seconds, moves, g_blockedNotifications,
                g_firstAfterBlock.x == last.x && g_firstAfterBlock.y == last.y ? "yes" : "no",
                postable ? "accepted" : "refused");
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) g_moves = std::max(1, std::atoi(argv[1]));
    const int blockedSeconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    ::SetProcessDPIAware();
    ::QueryPerformanceFrequency(&g_freq);
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HookLatencyBench";
    ::RegisterClassW(&wc);
    g_receiver = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   wc.hInstance, nullptr);
    if (!::InstallHookMouse(0, g_receiver)) {
        std::puts("InstallHookMouse failed");
        return 1;
    }
    Run(false);
    Run(true);
    Blocked(blockedSeconds);
    ::RemoveHookMouse();
    ::DestroyWindow(g_receiver);
    return 0;
}
