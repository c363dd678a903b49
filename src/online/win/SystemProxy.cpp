#include "online/win/SystemProxy.h"

#include "online/ProxyList.h"
#include "storage/TextCodec.h"

#include <windows.h>

#include <wininet.h>

#include <vector>

std::wstring SystemProxyList() {
    // The answer's strings point into the same buffer.
    std::vector<unsigned char> buffer(4096);
    DWORD size = static_cast<DWORD>(buffer.size());
    if (!::InternetQueryOptionW(nullptr, INTERNET_OPTION_PROXY, buffer.data(), &size)) return {};
    const auto* info = reinterpret_cast<const INTERNET_PROXY_INFO*>(buffer.data());
    if (info->dwAccessType != INTERNET_OPEN_TYPE_PROXY || !info->lpszProxy) return {};
    return reinterpret_cast<const wchar_t*>(info->lpszProxy);
}

std::string SystemProxyFor(const std::wstring& protocol) {
    const TProxyServer proxy = ProxyServerFromList(SystemProxyList(), protocol);
    if (proxy.Server.empty()) return {};
    // An IPv6 address keeps its brackets in front of the port.
    const bool ipv6 = proxy.Server.find(L':') != std::wstring::npos && proxy.Server.front() != L'[';
    const std::wstring host = ipv6 ? L"[" + proxy.Server + L"]" : proxy.Server;
    return EncodeUtf8(host + L":" + std::to_wstring(proxy.Port));
}
