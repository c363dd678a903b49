#pragma once
// The proxy of the system's Internet settings, as the platform hands it out.
#include <string>

// The proxy list ("host:port" or "http=host:port;https=..."), or empty when
// the settings name no proxy (direct access, or automatic configuration).
std::wstring SystemProxyList();

// The system's proxy for one protocol ("http"): false, with an empty server
// and port 0, for a direct connection.
bool GetProxyServer(const std::wstring& protocol, std::wstring& server, int& port);

// The same as libcurl takes it: "host:port", or "" for a direct connection.
std::string SystemProxyFor(const std::wstring& protocol);
