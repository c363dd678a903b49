#pragma once
// Times a program's start: from the creation of its process to the moment
// its window is shown with nothing left to paint. Create the watch before
// the program starts; it looks on a thread of its own, about every
// millisecond, for a window of the class.
#include <string>
#include <windows.h>

#include <atomic>
#include <thread>

struct StartupTime {
    double WallMs = -1; // process created to window painted
    // The CPU time the process used by then: under Wine as Linux counts it
    // (Wine's own process times of another process are not kept up).
    double CpuMs = -1;
};

class StartupWatch {
  public:
    // unixName: the command name Linux shows for the process under Wine.
    StartupWatch(const wchar_t* windowClass, std::string unixName);
    ~StartupWatch();
    StartupWatch(const StartupWatch&) = delete;
    StartupWatch& operator=(const StartupWatch&) = delete;

    // What was seen within the time; -1 figures when the window never was.
    StartupTime Wait(DWORD timeoutMs);

  private:
    void Look(const wchar_t* windowClass);
    void Take(HWND wnd);

    const std::string m_unixName;

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_seen{false};
    StartupTime m_time;
    std::thread m_thread;
};
