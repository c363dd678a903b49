#pragma once
// Work that must not hold up a window (a download) on a thread of its own:
// at its end a message is posted to the window, lParam this task, so the
// window takes the result on its own thread. Going away cancels the work and
// waits for the thread; work that runs long checks the flag it is handed.
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

class TBackgroundTask {
  public:
    using TWork = std::function<void(const std::atomic<bool>& cancelled)>;

    TBackgroundTask(HWND window, UINT message, TWork work)
        : m_worker([this, window, message, work = std::move(work)] {
              work(m_cancel);
              m_done = true;
              // A window gone by now simply gets no message.
              ::PostMessageW(window, message, 0, reinterpret_cast<LPARAM>(this));
          }) {}
    ~TBackgroundTask() {
        m_cancel = true;
        if (m_worker.joinable()) m_worker.join();
    }
    TBackgroundTask(const TBackgroundTask&) = delete;
    TBackgroundTask& operator=(const TBackgroundTask&) = delete;

    void Cancel() { m_cancel = true; }
    bool Done() const { return m_done; }

  private:
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_done{false};
    std::thread m_worker; // last: it starts once the flags exist
};
