#include "online/win/SystemProxy.h"

#include "online/ProxyList.h"
#include "storage/TextCodec.h"
#include "util/win/SystemLibraries.h"

#include <windows.h>

#include <wininet.h>

#include <vector>

std::wstring SystemProxyList() {
    // The Internet settings' library loads with the first question; without
    // it the settings name no proxy that could be read.
    if (!LoadSystemLibraries({L"wininet.dll"})) return {};
    // The answer's strings point into the same buffer.
    std::vector<unsigned char> buffer(4096);
    DWORD size = static_cast<DWORD>(buffer.size());
    if (!::InternetQueryOptionW(nullptr, INTERNET_OPTION_PROXY, buffer.data(), &size)) return {};
    const auto* info = reinterpret_cast<const INTERNET_PROXY_INFO*>(buffer.data());
    if (info->dwAccessType != INTERNET_OPEN_TYPE_PROXY || !info->lpszProxy) return {};
    return reinterpret_cast<const wchar_t*>(info->lpszProxy);
}

bool GetProxyServer(const std::wstring& protocol, std::wstring& server, int& port) {
    const TProxyServer proxy = ProxyServerFromList(SystemProxyList(), protocol);
    server = proxy.Server;
    port = proxy.Server.empty() ? 0 : proxy.Port;
    return !server.empty();
}

std::string SystemProxyFor(const std::wstring& protocol) {
    std::wstring server;
    int port = 0;
    if (!GetProxyServer(protocol, server, port)) return {};
    // An IPv6 address keeps its brackets in front of the port.
    const bool ipv6 = server.find(L':') != std::wstring::npos && server.front() != L'[';
    return EncodeUtf8((ipv6 ? L"[" + server + L"]" : server) + L":" + std::to_wstring(port));
}
