#pragma once
// Light timers that share one hidden message window per process.
#include <windows.h>

#include <cstdint>
#include <functional>

class TSimpleTimer {
  public:
    using TNotifyEvent = std::function<void(TSimpleTimer& sender)>;

    TSimpleTimer();                                        // 1000 ms, no handler, stopped
    TSimpleTimer(unsigned interval, TNotifyEvent onTimer); // stopped
    ~TSimpleTimer();
    TSimpleTimer(const TSimpleTimer&) = delete;
    TSimpleTimer& operator=(const TSimpleTimer&) = delete;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    unsigned Interval() const { return FInterval; }
    // A running timer restarts with the new period; 0 stops its ticks while
    // it stays enabled.
    void SetInterval(unsigned value);
    bool AutoDisable() const { return FAutoDisable; }
    // Stops before each notification: the timer fires once per Start.
    void SetAutoDisable(bool value) { FAutoDisable = value; }
    // Clearing the handler of an enabled timer stops its ticks; it stays enabled.
    void SetOnTimer(TNotifyEvent handler);

    bool Start();
    void Stop(bool disable);

    // The shared window while any timer exists, and how many run (for tests).
    static HWND HandlerWindow();
    static int ActiveCount();

  private:
    friend struct TSimpleTimerHandler;
    void Fire();

    UINT_PTR FId;
    bool FEnabled = false;
    unsigned FInterval = 1000;
    bool FAutoDisable = false;
    TNotifyEvent FOnTimer;
};
