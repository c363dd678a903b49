// The mouse-hook library under the real window system.
#include "hook/ZephalApi.h"

#include "../common/Input.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>
#include <windows.h>

#include <set>
#include <thread>
#include <vector>

namespace {

std::set<DWORD> ThreadIdsOfThisProcess() {
    std::set<DWORD> ids;
    HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snap == INVALID_HANDLE_VALUE) return ids;
    THREADENTRY32 entry{sizeof(entry)};
    const DWORD pid = ::GetCurrentProcessId();
    for (BOOL ok = ::Thread32First(snap, &entry); ok; ok = ::Thread32Next(snap, &entry))
        if (entry.th32OwnerProcessID == pid) ids.insert(entry.th32ThreadID);
    ::CloseHandle(snap);
    return ids;
}

std::set<DWORD> NewThreadsSince(const std::set<DWORD>& before) {
    std::set<DWORD> added;
    for (DWORD id : ThreadIdsOfThisProcess())
        if (!before.count(id)) added.insert(id);
    return added;
}

DWORD HandleCount() {
    DWORD count = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &count);
    return count;
}

// A plain window that records the hook's notifications.
struct Receiver {
    HWND wnd = nullptr;
    std::vector<POINT> received;

    Receiver() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Receiver::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HookReceiver";
        ::RegisterClassW(&wc);
        wnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Receiver() { ::DestroyWindow(wnd); }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Receiver*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && msg == ::GetMonitorMouseMoveMsg()) {
            self->received.push_back(
                {static_cast<LONG>(static_cast<LONG_PTR>(wParam)), static_cast<LONG>(lParam)});
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    // Pumps messages until a position arrives or the wait runs out.
    bool WaitFor(POINT expected, DWORD timeoutMs) {
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < timeoutMs) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&msg);
            for (const POINT& p : received)
                if (p.x == expected.x && p.y == expected.y) return true;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return false;
    }
};

} // namespace

TEST(HookLibrary, MessageNumberIsARegisteredMessageAndStable) {
    const UINT msg = ::GetMonitorMouseMoveMsg();
    EXPECT_GE(msg, 0xC000u);
    EXPECT_EQ(msg, ::GetMonitorMouseMoveMsg());
}

TEST(HookLibrary, RefusesAMissingTargetWindow) {
    EXPECT_FALSE(::InstallHookMouse(0, nullptr));
    EXPECT_FALSE(::IsHookSetMouse());
}

TEST(HookLibrary, DeliversScreenPositionsToTheTargetWindow) {
    Receiver receiver;
    ASSERT_TRUE(::InstallHookMouse(0, receiver.wnd));
    ASSERT_TRUE(::IsHookSetMouse());
    MoveMouseTo(123, 77);
    EXPECT_TRUE(receiver.WaitFor({123, 77}, 3000));
    MoveMouseTo(5, 640);
    EXPECT_TRUE(receiver.WaitFor({5, 640}, 3000));
    ::RemoveHookMouse();
    EXPECT_FALSE(::IsHookSetMouse());

    // After removal nothing arrives any more.
    receiver.received.clear();
    MoveMouseTo(300, 300);
    EXPECT_FALSE(receiver.WaitFor({300, 300}, 300));
}

TEST(HookLibrary, ReinstallingManyTimesKeepsOneInstallationAndLeaksNothing) {
    Receiver receiver;
    ASSERT_TRUE(::InstallHookMouse(0, receiver.wnd));
    ::RemoveHookMouse();
    const std::set<DWORD> threadsBefore = ThreadIdsOfThisProcess();
    const DWORD handlesBefore = HandleCount();
    for (int i = 0; i < 200; ++i) {
        // What the ruler does on every top-most change: remove while set, install.
        while (::IsHookSetMouse())
            ::RemoveHookMouse();
        ASSERT_TRUE(::InstallHookMouse(0, receiver.wnd)) << i;
        // Installing over an active installation replaces it.
        ASSERT_TRUE(::InstallHookMouse(0, receiver.wnd)) << i;
    }
    // The threads the installs left: the one hook thread (the system may start
    // threads of its own, so no exact count of all of them).
    const std::set<DWORD> installed = NewThreadsSince(threadsBefore);
    EXPECT_LE(installed.size(), 1u);
    ::RemoveHookMouse();
    EXPECT_FALSE(::IsHookSetMouse());
    ::RemoveHookMouse(); // removing again is harmless
    for (DWORD id : NewThreadsSince(threadsBefore))
        EXPECT_EQ(installed.count(id), 0u) << "the hook thread is still there";
    EXPECT_LE(HandleCount(), handlesBefore + 2);

    // Each install delivered to the same window: one notification per move.
    ASSERT_TRUE(::InstallHookMouse(0, receiver.wnd));
    receiver.received.clear();
    MoveMouseTo(444, 222);
    ASSERT_TRUE(receiver.WaitFor({444, 222}, 3000));
    int copies = 0;
    for (const POINT& p : receiver.received)
        copies += (p.x == 444 && p.y == 222) ? 1 : 0;
    EXPECT_EQ(copies, 1);
    ::RemoveHookMouse();
}

TEST(HookLibrary, ABusyReceiverGetsTheNewestPositionWithoutABacklog) {
    Receiver receiver;
    ASSERT_TRUE(::InstallHookMouse(0, receiver.wnd));
    // The receiver's thread (this one) is busy sending input and pumps no
    // messages meanwhile. The hook runs on its own thread, so nothing waits for
    // this one; of the positions meanwhile only the newest is kept.
    for (int i = 0; i < 50; ++i)
        MoveMouseTo(100 + i, 100);
    ASSERT_TRUE(receiver.WaitFor({149, 100}, 3000));
    EXPECT_LE(receiver.received.size(), 3u) << "one on its way, then the newest";
    for (std::size_t i = 1; i < receiver.received.size(); ++i)
        EXPECT_GE(receiver.received[i].x, receiver.received[i - 1].x) << "in order";
    EXPECT_EQ(receiver.received.back().x, 149);
    ::RemoveHookMouse();
}

TEST(HookLibrary, BlockedReceiverHasOneNotificationInFlight) {
    Receiver receiver;
    ASSERT_TRUE(::InstallHookMouse(0, receiver.wnd));
    // The mouse moves for a second while this thread does not look at its queue.
    std::thread mover([] {
        for (int i = 0; i < 500; ++i) {
            MoveMouseTo(200 + i % 400, 300 + i / 400);
            ::Sleep(2);
        }
        MoveMouseTo(7, 9);
    });
    mover.join();
    ::Sleep(200); // the hook thread has seen every move
    MSG msg;
    EXPECT_TRUE(::PostMessageW(receiver.wnd, WM_NULL, 0, 0)) << "other posts still get through";
    ASSERT_TRUE(receiver.WaitFor({7, 9}, 3000));
    // Whatever comes after the newest position would be a backlog.
    const DWORD until = ::GetTickCount() + 300;
    while (::GetTickCount() < until)
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    EXPECT_LE(receiver.received.size(), 2u);
    for (const POINT& p : receiver.received)
        EXPECT_TRUE(p.x == 7 && p.y == 9) << "a stale position " << p.x << "," << p.y;
    ::RemoveHookMouse();
}

TEST(HookLibrary, AHookThreadThatCannotBeStoppedIsNeverJoinedByASecond) {
    Receiver receiver;
    const std::set<DWORD> before = ThreadIdsOfThisProcess();
    ASSERT_TRUE(::InstallHookMouse(0, receiver.wnd));
    DWORD hookThread = 0;
    for (DWORD id : ThreadIdsOfThisProcess())
        if (!before.count(id)) hookThread = id;
    const HANDLE thread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, hookThread);
    ASSERT_NE(thread, nullptr);
    ::SuspendThread(thread);

    ::RemoveHookMouse(); // waits its 5 s in vain
    EXPECT_TRUE(::IsHookSetMouse());
    EXPECT_FALSE(::InstallHookMouse(0, receiver.wnd));
    EXPECT_EQ(ThreadIdsOfThisProcess().size(), before.size() + 1);
    const DWORD start = ::GetTickCount();
    ::RemoveHookMouse();
    EXPECT_LT(::GetTickCount() - start, 2000u) << "a second try does not wait as long";

    ::ResumeThread(thread);
    ::CloseHandle(thread);
    // The thread ends as asked; the library notices by itself.
    const DWORD resumed = ::GetTickCount();
    while (::IsHookSetMouse() && ::GetTickCount() - resumed < 3000)
        ::Sleep(10);
    EXPECT_FALSE(::IsHookSetMouse());
    ASSERT_TRUE(::InstallHookMouse(0, receiver.wnd));
    MoveMouseTo(31, 41);
    EXPECT_TRUE(receiver.WaitFor({31, 41}, 3000));
    ::RemoveHookMouse();
}
