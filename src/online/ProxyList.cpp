#include "online/ProxyList.h"

#include "util/StringUtils.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace {

constexpr int kDefaultPort = 80;

std::vector<std::wstring> Entries(const std::wstring& list) {
    std::vector<std::wstring> entries;
    std::wstring entry;
    for (const wchar_t ch : list + L";") {
        if (ch == L';' || ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n') {
            if (!entry.empty()) entries.push_back(entry);
            entry.clear();
        } else {
            entry += ch;
        }
    }
    return entries;
}

std::optional<int> PortOf(const std::wstring& text) {
    if (text.empty()) return kDefaultPort;
    if (text.size() > 5) return std::nullopt;
    int port = 0;
    for (const wchar_t ch : text) {
        if (ch < L'0' || ch > L'9') return std::nullopt;
        port = port * 10 + (ch - L'0');
    }
    if (port < 1 || port > 65535) return std::nullopt;
    return port;
}

// No host name holds these; an entry with one is garbled ("http=a=b:80").
bool IsHostText(const std::wstring& host) {
    for (const wchar_t ch : host)
        if (static_cast<std::uint32_t>(ch) <= 0x20 ||
            std::wstring(L"=;/\\\"<>@").find(ch) != std::wstring::npos)
            return false;
    return true;
}

// "host:port", "http://host:port/", "[::1]:8080"; none when unusable.
std::optional<TProxyServer> ServerOf(std::wstring address) {
    const auto scheme = address.find(L"://");
    if (scheme != std::wstring::npos) address.erase(0, scheme + 3);
    if (!address.empty() && address.back() == L'/') address.pop_back();

    std::wstring host, port;
    if (!address.empty() && address.front() == L'[') {
        const auto close = address.find(L']');
        if (close == std::wstring::npos) return std::nullopt;
        host = address.substr(0, close + 1);
        const std::wstring rest = address.substr(close + 1);
        if (!rest.empty() && rest.front() != L':') return std::nullopt;
        if (!rest.empty()) port = rest.substr(1);
    } else {
        const auto colon = address.find(L':');
        host = address.substr(0, colon);
        if (colon != std::wstring::npos) port = address.substr(colon + 1);
    }
    const auto number = PortOf(port);
    if (host.empty() || host == L"[]" || !number || !IsHostText(host)) return std::nullopt;
    return TProxyServer{host, *number};
}

} // namespace

TProxyServer ProxyServerFromList(const std::wstring& proxyList, const std::wstring& protocol) {
    std::optional<std::wstring> own, common;
    for (const auto& entry : Entries(proxyList)) {
        const auto eq = entry.find(L'=');
        if (eq == std::wstring::npos) {
            if (!common) common = entry;
        } else if (!own && SameTextIgnoreCase(entry.substr(0, eq), protocol)) {
            own = entry.substr(eq + 1);
        }
    }
    const auto address = own ? own : common;
    if (!address) return {};
    return ServerOf(*address).value_or(TProxyServer{});
}
