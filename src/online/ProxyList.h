#pragma once
// The proxy that the system's Internet settings name for one protocol. The
// shell reads the list (InternetQueryOption) and hands it in when the access
// type is a named proxy.
//
// The list holds entries separated by ";" or blanks: "host:port" for every
// protocol, or "protocol=host:port" for one; a host may carry a scheme
// ("http://host:port") and may be an IPv6 address in brackets ("[::1]:8080").
#include <string>

struct TProxyServer {
    std::wstring Server; // empty: connect directly
    int Port = 0;
    friend bool operator==(const TProxyServer&, const TProxyServer&) = default;
};

// The protocol's own entry, else an entry for every protocol, else none: a list
// naming only other protocols means no proxy for this one. Without a port the
// port is 80; an entry with an unreadable port, or none at all, gives no proxy.
TProxyServer ProxyServerFromList(const std::wstring& proxyList, const std::wstring& protocol);
