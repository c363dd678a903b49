#pragma once
// The proxy of the system's Internet settings, as the platform hands it out.
#include <string>

// The proxy list ("host:port" or "http=host:port;https=..."), or empty when
// the settings name no proxy (direct access, or automatic configuration).
std::wstring SystemProxyList();

// The proxy for one protocol ("http") as libcurl takes it: "host:port", or
// "" for a direct connection.
std::string SystemProxyFor(const std::wstring& protocol);
