// The mouse-hook library under the real window system.
#include "hook/ZephalApi.h"

#include "../common/Input.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>
#include <windows.h>

#include <vector>

namespace {

int ThreadCountOfThisProcess() {
    HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snap == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{sizeof(entry)};
    int count = 0;
    const DWORD pid = ::GetCurrentProcessId();
    for (BOOL ok = ::Thread32First(snap, &entry); ok; ok = ::Thread32Next(snap, &entry))
        if (entry.th32OwnerProcessID == pid) ++count;
    ::CloseHandle(snap);
    return count;
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
    const int threadsBefore = ThreadCountOfThisProcess();
    const DWORD handlesBefore = HandleCount();
    for (int i = 0; i < 200; ++i) {
        // What the ruler does on every top-most change: remove while set, install.
        while (::IsHookSetMouse())
            ::RemoveHookMouse();
        ASSERT_TRUE(::InstallHookMouse(0, receiver.wnd)) << i;
        // Installing over an active installation replaces it.
        ASSERT_TRUE(::InstallHookMouse(0, receiver.wnd)) << i;
    }
    EXPECT_EQ(ThreadCountOfThisProcess(), threadsBefore + 1); // exactly one hook thread
    ::RemoveHookMouse();
    EXPECT_FALSE(::IsHookSetMouse());
    ::RemoveHookMouse(); // removing again is harmless
    EXPECT_EQ(ThreadCountOfThisProcess(), threadsBefore);
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

TEST(HookLibrary, PositionsWaitForABusyReceiverAndNoneIsLost) {
    Receiver receiver;
    ASSERT_TRUE(::InstallHookMouse(0, receiver.wnd));
    // The receiver's thread (this one) is busy sending input and pumps no
    // messages meanwhile. The hook runs on its own thread and only posts, so
    // nothing waits for this thread and every position is kept in its queue.
    for (int i = 0; i < 50; ++i)
        MoveMouseTo(100 + i, 100);
    ASSERT_TRUE(receiver.WaitFor({149, 100}, 3000));
    int next = 100;
    for (const POINT& p : receiver.received)
        if (p.y == 100 && p.x == next) ++next;
    EXPECT_EQ(next, 150) << "positions arrive complete and in order";
    ::RemoveHookMouse();
}
