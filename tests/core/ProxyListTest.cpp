#include "online/ProxyList.h"

#include <gtest/gtest.h>

TEST(ProxyList, ServerAndPortForHttp) {
    const struct {
        const wchar_t* list;
        TProxyServer http;
    } cases[] = {
        {L"proxy:3128", {L"proxy", 3128}},
        {L"http=proxy:8080;https=proxy:8443", {L"proxy", 8080}},
        {L"https=s:8443;http=h:81", {L"h", 81}},
        {L"ftp=f:21;https=s:8443", {}}, // only other protocols: connect directly
        {L"HTTP=h:82", {L"h", 82}},
        {L"xhttp=x:1;http=h:2", {L"h", 2}},         // "http=" inside another name
        {L"all:3128 https=s:8443", {L"all", 3128}}, // blanks separate too
        {L"http=own:1;common:2", {L"own", 1}},      // the protocol's own entry first
        {L"common:2;http=own:1", {L"own", 1}},
        {L"proxy", {L"proxy", 80}}, // no port
        {L"http=proxy:", {L"proxy", 80}},
        {L"http=http://host:8080", {L"host", 8080}},
        {L"http://host:8080/", {L"host", 8080}},
        {L"[::1]:8080", {L"[::1]", 8080}},
        {L"http=[fe80::1]", {L"[fe80::1]", 80}},
        {L"proxy:abc", {}}, // unreadable ports
        {L"proxy:0", {}},
        {L"proxy:65536", {}},
        {L"proxy:99999999999", {}},
        {L"[::1", {}},
        {L"[::1]x", {}},
        {L":8080", {}},
        {L"http=", {}},
        {L"http=a=b:80", {}}, // garbled entries
        {L"http=user@h:80", {}},
        {L"", {}},
        {L" ; ", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProxyServerFromList(c.list, L"http"), c.http) << c.list;
}
