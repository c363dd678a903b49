#pragma once
// GET requests to the vendor's server through libcurl, within limits, and
// the same on a worker thread that posts its end to a window, so no window
// waits for the network.
#include "online/HttpResult.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

// One GET. proxy: "host:port" of the system's proxy, or "" for none (also
// against proxies named in the environment). cancel, when set, ends the
// transfer as THttpFailure::Cancelled.
THttpResult HttpGet(const std::string& url, const std::string& proxy, const THttpLimits& limits,
                    const std::atomic<bool>* cancel = nullptr);

class TBackgroundFetch {
  public:
    // Starts the fetch; at its end message is posted to window, lParam this
    // object. The window takes the result with Result().
    TBackgroundFetch(HWND window, UINT message, std::string url, std::string proxy,
                     THttpLimits limits = {});
    // Cancels a running fetch and waits for the worker (the transfer notices
    // the cancel within a fraction of a second).
    ~TBackgroundFetch();
    TBackgroundFetch(const TBackgroundFetch&) = delete;
    TBackgroundFetch& operator=(const TBackgroundFetch&) = delete;

    void Cancel() { m_cancel = true; }
    bool Done() const { return m_done; }
    // Valid once Done (after the posted message).
    const THttpResult& Result() const { return m_result; }

  private:
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_done{false};
    THttpResult m_result;
    std::thread m_worker;
};
