// The top-most switch, the single-instance lock and the shared simple timers.
#include "storage/win/SimpleTimer.h"
#include "storage/win/SingleInstance.h"
#include "storage/win/TopWnd.h"
#include "util/AssertionFailed.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Runs the thread's messages for a while, or until done() holds.
template <typename Done> bool PumpUntil(Done done, DWORD ms) {
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < ms) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        ::Sleep(5);
    }
    return done();
}
void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

} // namespace

TEST(TopMostWindow, EventsFrameOnlyARealChange) {
    HWND wnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    TTopMostWindow top(wnd);
    int before = 0, after = 0;
    top.OnBeforeChange = [&](TTopMostWindow& t) {
        ++before;
        EXPECT_EQ(after, before - 1);
        EXPECT_FALSE(t.AlwaysOnTop()); // still the old level
    };
    top.OnAfterChange = [&](TTopMostWindow&) { ++after; };
    top.SetAlwaysOnTop(true);
    top.SetAlwaysOnTop(true);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    EXPECT_TRUE(::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    top.OnBeforeChange = nullptr;
    top.SetAlwaysOnTop(false);
    EXPECT_EQ(after, 2);
    EXPECT_FALSE(::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ::DestroyWindow(wnd);
}

TEST(SingleInstance, TheFirstCopyRunsALaterOneDoesNot) {
    const std::wstring name = L"{DravikTest\\," + std::to_wstring(::GetCurrentProcessId()) + L"}";
    EXPECT_TRUE(SingleInstanceCreate(name, false));
    const unsigned message = SingleInstanceMessage();
    // The same name without "\" and "," names the same lock and message.
    HANDLE other = ::CreateMutexW(
        nullptr, FALSE, (L"{DravikTest" + std::to_wstring(::GetCurrentProcessId()) + L"}").c_str());
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(SingleInstanceCreate(name, true)); // broadcasts, returns at once
    EXPECT_EQ(SingleInstanceMessage(), message);
    SingleInstanceClose();
    ::CloseHandle(other);
    EXPECT_TRUE(SingleInstanceCreate(name, false)); // the lock went with its last handle
    SingleInstanceClose();
    EXPECT_THROW(SingleInstanceCreate(L"\\,", false), EAssertionFailed);
}

TEST(SimpleTimer, AutoDisableFiresOncePerStart) {
    int ticks = 0;
    TSimpleTimer timer(10, [&](TSimpleTimer&) { ++ticks; });
    timer.SetAutoDisable(true);
    ASSERT_TRUE(timer.Start());
    EXPECT_TRUE(PumpUntil([&] { return ticks == 1; }, 2000));
    PumpFor(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(TSimpleTimer::ActiveCount(), 0);
    ASSERT_TRUE(timer.Start());
    EXPECT_TRUE(PumpUntil([&] { return ticks == 2; }, 2000));
}

TEST(SimpleTimer, IntervalZeroPausesAndANewIntervalResumes) {
    int ticks = 0;
    TSimpleTimer timer(10, [&](TSimpleTimer&) { ++ticks; });
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }, 2000));
    timer.SetInterval(0);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(TSimpleTimer::ActiveCount(), 0);
    const int paused = ticks;
    PumpFor(100);
    EXPECT_EQ(ticks, paused);
    timer.SetInterval(10);
    EXPECT_TRUE(PumpUntil([&] { return ticks > paused; }, 2000));
    EXPECT_EQ(TSimpleTimer::ActiveCount(), 1);
}

TEST(SimpleTimer, TheSharedWindowLivesWithTheTimersAndDeadTimersGetNoTicks) {
    HWND first = nullptr;
    {
        TSimpleTimer a, b;
        first = TSimpleTimer::HandlerWindow();
        ASSERT_NE(first, nullptr);
        a.SetInterval(10);
        a.Start();
    }
    EXPECT_EQ(TSimpleTimer::HandlerWindow(), nullptr);
    EXPECT_FALSE(::IsWindow(first));

    int ticks = 0;
    TSimpleTimer fresh(1000, [&](TSimpleTimer&) { ++ticks; });
    ASSERT_NE(TSimpleTimer::HandlerWindow(), nullptr);
    auto dead = std::make_unique<TSimpleTimer>(1000, [&](TSimpleTimer&) { ticks += 100; });
    const auto deadId = reinterpret_cast<UINT_PTR>(dead.get());
    dead.reset();
    // A tick still queued when its timer died reaches nobody.
    ::SendMessageW(TSimpleTimer::HandlerWindow(), WM_TIMER, deadId, 0);
    EXPECT_EQ(ticks, 0);
    ::SendMessageW(TSimpleTimer::HandlerWindow(), WM_TIMER, reinterpret_cast<UINT_PTR>(&fresh), 0);
    EXPECT_EQ(ticks, 1);
}
