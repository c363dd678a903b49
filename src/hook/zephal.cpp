// zephal.dll: a low-level mouse hook on a thread of its own.
//
// A WH_MOUSE_LL hook runs on the thread that installed it, and the system
// drops a hook that does not return in time. The program's UI thread blocks at
// times (modal loops, downloads, screen shots), so the hook lives on a
// dedicated thread whose only work is to hand the position to the target
// window. The system mouse never waits for the UI thread.
//
// At most one notification waits in the target window's queue: the hook
// thread keeps the newest position and posts only while none is queued; when
// the window's thread takes the notification out of its queue, a message hook
// on that thread (WH_GETMESSAGE) fills in the newest position and marks it
// taken. A UI thread blocked for minutes so finds one notification with the
// current position, instead of a queue full of stale ones (Windows stops
// taking posts to a thread at 10 000).
#define ZEPHAL_BUILDING
#include "hook/ZephalApi.h"

#include <atomic>
#include <cstdint>

namespace {

HINSTANCE g_module = nullptr;
SRWLOCK g_lock = SRWLOCK_INIT; // guards install/remove
HANDLE g_thread = nullptr;     // hook thread, while installed
DWORD g_threadId = 0;
bool g_stopping = false;         // WM_QUIT posted, the thread not yet gone
std::atomic<bool> g_quit{false}; // the hook thread sends nothing more
std::atomic<UINT> g_moveMsg{0};

// The notification in the target's queue. Written by the hook thread (the
// newest position, "queued" when it posts) and by the target's thread (takes
// the newest position, clears "queued").
std::atomic<HWND> g_target{nullptr};
std::atomic<std::uint64_t> g_newest{0};
std::atomic<bool> g_queued{false};
std::atomic<DWORD> g_postedAt{0};
// A window of another process cannot get the message hook: it gets every position.
bool g_everyPosition = false; // hook thread only

std::uint64_t Pack(POINT p) {
    return static_cast<std::uint32_t>(p.x) |
           (static_cast<std::uint64_t>(static_cast<std::uint32_t>(p.y)) << 32);
}
WPARAM XOf(std::uint64_t packed) {
    return static_cast<WPARAM>(static_cast<LONG_PTR>(static_cast<std::int32_t>(packed)));
}
LPARAM YOf(std::uint64_t packed) {
    return static_cast<LPARAM>(static_cast<std::int32_t>(packed >> 32));
}

// On the target window's thread, as a message leaves its queue.
LRESULT CALLBACK TakeNotification(int code, WPARAM removal, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == g_moveMsg.load() &&
        msg->hwnd == g_target.load()) {
        // Cleared before the position is read: a move in between either makes
        // it here or posts anew, it is never lost.
        g_queued.store(false);
        const std::uint64_t newest = g_newest.load();
        msg->wParam = XOf(newest);
        msg->lParam = YOf(newest);
    }
    return ::CallNextHookEx(nullptr, code, removal, lParam);
}

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) {
    const HWND target = g_target.load();
    if (code == HC_ACTION && wParam == WM_MOUSEMOVE && target && !g_quit.load()) {
        const std::uint64_t position = Pack(reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)->pt);
        const UINT message = g_moveMsg.load();
        if (g_everyPosition) {
            ::PostMessageW(target, message, XOf(position), YOf(position));
        } else {
            g_newest.store(position);
            // A window destroyed with a notification queued never takes it.
            if (g_queued.load() && ::GetTickCount() - g_postedAt.load() > 1000 &&
                !::IsWindow(target))
                g_queued.store(false);
            if (!g_queued.exchange(true)) {
                g_postedAt.store(::GetTickCount());
                if (!::PostMessageW(target, message, XOf(position), YOf(position)))
                    g_queued.store(false);
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

struct StartInfo {
    HANDLE ready; // set when the hook is in place (or failed)
    HWND target;
    bool ok = false;
};

DWORD WINAPI HookThread(void* param) {
    auto* start = static_cast<StartInfo*>(param);
    MSG msg;
    // Create this thread's queue before anyone may post WM_QUIT to it.
    ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    g_queued.store(false);
    DWORD process = 0;
    const DWORD targetThread = ::GetWindowThreadProcessId(start->target, &process);
    HHOOK take = nullptr;
    if (process == ::GetCurrentProcessId())
        take = ::SetWindowsHookExW(WH_GETMESSAGE, &TakeNotification, g_module, targetThread);
    g_everyPosition = take == nullptr;
    g_target.store(start->target);
    HHOOK hook = ::SetWindowsHookExW(WH_MOUSE_LL, &LowLevelMouseProc, g_module, 0);
    start->ok = hook != nullptr;
    ::SetEvent(start->ready); // start is gone after this
    if (hook) {
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::UnhookWindowsHookEx(hook);
    }
    if (take) ::UnhookWindowsHookEx(take);
    return hook ? 0 : 1;
}

void ForgetThreadLocked() {
    ::CloseHandle(g_thread);
    g_thread = nullptr;
    g_threadId = 0;
    g_stopping = false;
    g_target.store(nullptr);
}

// Ends the hook thread; caller holds g_lock. False while it still runs: a
// thread that cannot be stopped (suspended, or stuck in a debugger) keeps its
// hook, and no second one may be installed beside it. The first try waits up
// to 5 s, later ones briefly, so that a caller's loop makes progress.
bool StopLocked() {
    if (!g_thread) return true;
    const DWORD wait = g_stopping ? 200 : 5000;
    g_quit.store(true);
    ::PostThreadMessageW(g_threadId, WM_QUIT, 0, 0);
    g_stopping = true;
    if (::WaitForSingleObject(g_thread, wait) != WAIT_OBJECT_0) return false;
    ForgetThreadLocked();
    return true;
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
    if (!StopLocked()) return FALSE;

    StartInfo start;
    start.ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    start.target = target;
    if (!start.ready) return FALSE;
    g_quit.store(false);
    DWORD id = 0;
    HANDLE thread = ::CreateThread(nullptr, 64 * 1024, &HookThread, &start, 0, &id);
    if (!thread) {
        ::CloseHandle(start.ready);
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
    // A thread that was asked to stop may have ended since.
    if (g_thread && g_stopping && ::WaitForSingleObject(g_thread, 0) == WAIT_OBJECT_0)
        ForgetThreadLocked();
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
