#pragma once
// GET requests to the vendor's server through libcurl, within limits (run
// them in a TBackgroundTask, so no window waits for the network).
#include "online/HttpResult.h"

#include <atomic>
#include <string>

// One GET. proxy: "host:port" of the system's proxy, or "" for none (also
// against proxies named in the environment). cancel, when set, ends the
// transfer as THttpFailure::Cancelled.
THttpResult HttpGet(const std::string& url, const std::string& proxy, const THttpLimits& limits,
                    const std::atomic<bool>* cancel = nullptr);
