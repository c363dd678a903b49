// zephal.dll: a low-level mouse hook on a thread of its own.
//
// A WH_MOUSE_LL hook runs on the thread that installed it, and the system
// drops a hook that does not return in time. The program's UI thread blocks at
// times (modal loops, downloads, screen shots), so the hook lives on a
// dedicated thread whose only work is to post the position to the target
// window. The system mouse never waits for the UI thread.
#define ZEPHAL_BUILDING
#include "hook/ZephalApi.h"

#include <atomic>

namespace {

HINSTANCE g_module = nullptr;
SRWLOCK g_lock = SRWLOCK_INIT; // guards install/remove
HANDLE g_thread = nullptr;     // hook thread, while installed
DWORD g_threadId = 0;
std::atomic<HWND> g_target{nullptr}; // read by the hook procedure
std::atomic<UINT> g_moveMsg{0};

struct StartInfo {
    HANDLE ready; // set when the hook is in place (or failed)
    bool ok = false;
};

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == WM_MOUSEMOVE) {
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (HWND target = g_target.load(std::memory_order_relaxed)) {
            ::PostMessageW(target, g_moveMsg.load(std::memory_order_relaxed),
                           static_cast<WPARAM>(static_cast<LONG_PTR>(info->pt.x)),
                           static_cast<LPARAM>(info->pt.y));
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD WINAPI HookThread(void* param) {
    auto* start = static_cast<StartInfo*>(param);
    MSG msg;
    // Create this thread's queue before anyone may post WM_QUIT to it.
    ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    HHOOK hook = ::SetWindowsHookExW(WH_MOUSE_LL, &LowLevelMouseProc, g_module, 0);
    start->ok = hook != nullptr;
    ::SetEvent(start->ready);
    if (!hook) return 1;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::UnhookWindowsHookEx(hook);
    return 0;
}

// Ends the hook thread; caller holds g_lock.
void StopLocked() {
    if (!g_thread) return;
    ::PostThreadMessageW(g_threadId, WM_QUIT, 0, 0);
    ::WaitForSingleObject(g_thread, 5000);
    ::CloseHandle(g_thread);
    g_thread = nullptr;
    g_threadId = 0;
    g_target.store(nullptr);
}

class LockGuard {
  public:
    LockGuard() { ::AcquireSRWLockExclusive(&g_lock); }
    ~LockGuard() { ::ReleaseSRWLockExclusive(&g_lock); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;
};

} // namespace

ZEPHAL_API UINT WINAPI GetMonitorMouseMoveMsg() {
    UINT msg = g_moveMsg.load();
    if (msg == 0) {
        msg = ::RegisterWindowMessageW(
            L"Zephal.MonitorMouseMove.{6C1F3A52-8D0B-4B7E-9E41-2A7D5C0F9B13}");
        g_moveMsg.store(msg);
    }
    return msg;
}

ZEPHAL_API BOOL WINAPI InstallHookMouse(int /*reserved*/, HWND target) {
    if (!target || !::IsWindow(target)) return FALSE;
    GetMonitorMouseMoveMsg();
    LockGuard lock;
    StopLocked();

    StartInfo start;
    start.ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!start.ready) return FALSE;
    g_target.store(target);
    DWORD id = 0;
    HANDLE thread = ::CreateThread(nullptr, 64 * 1024, &HookThread, &start, 0, &id);
    if (!thread) {
        ::CloseHandle(start.ready);
        g_target.store(nullptr);
        return FALSE;
    }
    ::SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST);
    ::WaitForSingleObject(start.ready, INFINITE);
    ::CloseHandle(start.ready);
    if (!start.ok) {
        ::WaitForSingleObject(thread, INFINITE);
        ::CloseHandle(thread);
        g_target.store(nullptr);
        return FALSE;
    }
    g_thread = thread;
    g_threadId = id;
    return TRUE;
}

ZEPHAL_API BOOL WINAPI IsHookSetMouse() {
    LockGuard lock;
    return g_thread != nullptr;
}

ZEPHAL_API void WINAPI RemoveHookMouse() {
    LockGuard lock;
    StopLocked();
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    // At process exit the hook thread is already gone; the system removes the
    // hook with it, so there is nothing to wait for here.
    return TRUE;
}
