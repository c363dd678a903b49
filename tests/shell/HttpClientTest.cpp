// Fetches from a real HTTP server on the loopback, run by the test on a
// thread of its own: a good answer, the failures a user can meet, the
// limits that keep a hostile server from hanging or flooding the program,
// the proxy, and the worker thread's message; and the proxy as the system's
// Internet settings name it.
#include "online/win/HttpClient.h"
#include "online/win/SystemProxy.h"
#include "util/win/BackgroundTask.h"

#include "../common/LoopbackServer.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The answers the tests need, by the request's path.
void Answer(const std::string& path, const LoopbackServer::Send& send) {
    using S = LoopbackServer;
    if (EndsWith(path, "/updates.txt")) {
        send(S::Response("200 OK", "DVK=2.3|2.0\r\n"));
    } else if (EndsWith(path, "/moved")) {
        send(S::Response("302 Found", "", "Location: /updates.txt\r\n"));
    } else if (EndsWith(path, "/loop")) {
        send(S::Response("302 Found", "", "Location: /loop\r\n"));
    } else if (EndsWith(path, "/elsewhere")) {
        send(S::Response("302 Found", "", "Location: file:///c:/windows/win.ini\r\n"));
    } else if (EndsWith(path, "/huge")) {
        // No length: the body ends when the connection does.
        send("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
        const std::string block(64 * 1024, 'x');
        for (int i = 0; i < 32; ++i)
            send(block);
    } else if (EndsWith(path, "/binary")) {
        send(S::Response("200 OK", std::string("MZ\0\x01", 4)));
    } else if (!EndsWith(path, "/stall")) {
        send(S::Response("404 Not Found", "not found"));
    }
}

// A port nobody listens on: one taken and given back at once.
int ClosedPort() {
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&at), sizeof(at));
    int length = sizeof(at);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&at), &length);
    ::closesocket(s);
    return ntohs(at.sin_port);
}

} // namespace

TEST(HttpClientShell, AnswersFailuresAndLimits) {
    LoopbackServer server(Answer);
    THttpLimits quick;
    quick.ConnectTimeoutMs = 2000;
    quick.TotalTimeoutMs = 1500;
    quick.MaxBytes = 1024 * 1024;
    struct Case {
        std::string Url;
        THttpFailure Failure;
        long Status;
        std::string Body;
    };
    const std::vector<Case> cases{
        {server.Url("/updates.txt"), THttpFailure::None, 200, "DVK=2.3|2.0\r\n"},
        {server.Url("/moved"), THttpFailure::None, 200, "DVK=2.3|2.0\r\n"},
        {server.Url("/missing"), THttpFailure::Status, 404, ""},
        {server.Url("/loop"), THttpFailure::TooManyRedirects, 302, ""},
        {server.Url("/elsewhere"), THttpFailure::BadAddress, 302, ""},
        {server.Url("/huge"), THttpFailure::TooLarge, 200, ""},
        {server.Url("/binary"), THttpFailure::NotText, 200, ""},
        {server.Url("/stall"), THttpFailure::Timeout, 0, ""},
        // No TLS answer to the handshake: the connection itself timed out.
        {"https://127.0.0.1:" + std::to_string(server.Port()) + "/updates.txt",
         THttpFailure::ConnectTimeout, 0, ""},
        {"http://127.0.0.1:" + std::to_string(ClosedPort()) + "/updates.txt",
         THttpFailure::Unreachable, 0, ""},
        {"ftp://127.0.0.1/updates.txt", THttpFailure::BadAddress, 0, ""},
    };
    for (const Case& c : cases) {
        const THttpResult result = HttpGet(c.Url, "", quick);
        EXPECT_EQ(result.Failure, c.Failure) << c.Url;
        EXPECT_EQ(result.Status, c.Status) << c.Url;
        EXPECT_EQ(result.Body, c.Body) << c.Url;
        EXPECT_EQ(HttpFailureText(result).empty(), result.Ok()) << c.Url;
    }
}

TEST(HttpClientShell, TheProxyGetsTheRequestAndTheWorkerPostsItsEnd) {
    LoopbackServer server(Answer);
    // A proxy receives the whole address in the request line.
    const THttpResult viaProxy = HttpGet("http://updates.example.invalid/updates.txt",
                                         "127.0.0.1:" + std::to_string(server.Port()), {});
    EXPECT_TRUE(viaProxy.Ok());
    ASSERT_FALSE(server.Requests().empty());
    EXPECT_EQ(server.Requests().back(), "GET http://updates.example.invalid/updates.txt HTTP/1.1");

    // The worker's message arrives at a window of this thread with the result.
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          nullptr, nullptr);
    constexpr UINT WM_FETCHED = WM_APP + 7;
    THttpResult fetched;
    TBackgroundTask fetch(window, WM_FETCHED, [&](const std::atomic<bool>& cancelled) {
        fetched = HttpGet(server.Url("/updates.txt"), "", {}, &cancelled);
    });
    MSG msg{};
    const DWORD start = ::GetTickCount();
    bool arrived = false;
    while (!arrived && ::GetTickCount() - start < 10000) {
        if (::PeekMessageW(&msg, window, WM_FETCHED, WM_FETCHED, PM_REMOVE))
            arrived = msg.lParam == reinterpret_cast<LPARAM>(&fetch);
        else
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
    }
    ASSERT_TRUE(arrived);
    EXPECT_TRUE(fetch.Done());
    EXPECT_EQ(fetched.Body, "DVK=2.3|2.0\r\n");

    // Closing the waiting window cancels a stalled fetch at once, long
    // before its time limit.
    const DWORD before = ::GetTickCount();
    {
        TBackgroundTask stalled(window, WM_FETCHED, [&](const std::atomic<bool>& cancelled) {
            HttpGet(server.Url("/stall"), "", {}, &cancelled);
        });
    }
    EXPECT_LT(::GetTickCount() - before, 5000u);
    ::DestroyWindow(window);
}

TEST(SystemProxyShell, TheInternetSettingsProxyIsReadWhileEnabled) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER,
                                L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
                                0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    // The user's own settings come back afterwards.
    DWORD oldEnable = 0, size = sizeof(oldEnable);
    const bool hadEnable =
        ::RegQueryValueExW(key, L"ProxyEnable", nullptr, nullptr,
                           reinterpret_cast<BYTE*>(&oldEnable), &size) == ERROR_SUCCESS;
    wchar_t oldServer[512] = {};
    DWORD serverSize = sizeof(oldServer);
    const bool hadServer =
        ::RegQueryValueExW(key, L"ProxyServer", nullptr, nullptr,
                           reinterpret_cast<BYTE*>(oldServer), &serverSize) == ERROR_SUCCESS;
    const auto set = [&](DWORD enable, const std::wstring& server) {
        ::RegSetValueExW(key, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enable),
                         sizeof(enable));
        ::RegSetValueExW(key, L"ProxyServer", 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(server.c_str()),
                         static_cast<DWORD>((server.size() + 1) * sizeof(wchar_t)));
    };

    set(1, L"proxy.example:3128");
    EXPECT_EQ(SystemProxyList(), L"proxy.example:3128");
    set(0, L"proxy.example:3128");
    EXPECT_EQ(SystemProxyList(), L"");

    if (hadEnable)
        ::RegSetValueExW(key, L"ProxyEnable", 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&oldEnable), sizeof(oldEnable));
    else
        ::RegDeleteValueW(key, L"ProxyEnable");
    if (hadServer)
        ::RegSetValueExW(key, L"ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(oldServer),
                         serverSize);
    else
        ::RegDeleteValueW(key, L"ProxyServer");
    ::RegCloseKey(key);
}
