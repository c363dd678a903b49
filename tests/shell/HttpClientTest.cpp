// Fetches from a real HTTP server on the loopback, run by the test on a
// thread of its own: a good answer, the failures a user can meet, the
// limits that keep a hostile server from hanging or flooding the program,
// the proxy, and the worker thread's message; and the proxy as the system's
// Internet settings name it.
#include "online/win/HttpClient.h"
#include "online/win/SystemProxy.h"

#include <gtest/gtest.h>
#include <winsock2.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

// Answers each connection by the first line's path; "/stall" keeps the
// connection open without a word until the test ends.
class LoopbackServer {
  public:
    LoopbackServer() {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
        m_listen = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&at), sizeof(at));
        int length = sizeof(at);
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&at), &length);
        m_port = ntohs(at.sin_port);
        ::listen(m_listen, 8);
        m_thread = std::thread([this] { Serve(); });
    }
    ~LoopbackServer() {
        m_stop = true;
        ::closesocket(m_listen);
        m_thread.join();
        for (SOCKET s : m_stalled)
            ::closesocket(s);
        ::WSACleanup();
    }
    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }
    std::string Proxy() const { return "127.0.0.1:" + std::to_string(m_port); }
    // The request lines received so far.
    std::vector<std::string> Requests() const {
        std::vector<std::string> copy;
        for (int i = 0; i < m_count; ++i)
            copy.push_back(m_requests[static_cast<std::size_t>(i)]);
        return copy;
    }

  private:
    void Serve() {
        while (!m_stop) {
            const SOCKET client = ::accept(m_listen, nullptr, nullptr);
            if (client == INVALID_SOCKET) return;
            std::string request;
            char buffer[2048];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const int got = ::recv(client, buffer, sizeof(buffer), 0);
                if (got <= 0) break;
                request.append(buffer, static_cast<std::size_t>(got));
            }
            const std::string line = request.substr(0, request.find("\r\n"));
            if (m_count < 64) m_requests[static_cast<std::size_t>(m_count++)] = line;
            const std::string target = line.substr(line.find(' ') + 1);
            const std::string path = target.substr(0, target.find(' '));
            if (path.find("/stall") != std::string::npos) {
                m_stalled.push_back(client);
                continue;
            }
            Answer(client, path);
            ::shutdown(client, SD_SEND);
            ::closesocket(client);
        }
    }
    static void Send(SOCKET s, const std::string& text) {
        ::send(s, text.data(), static_cast<int>(text.size()), 0);
    }
    void Answer(SOCKET s, const std::string& path) {
        const auto ends = [&](const char* suffix) {
            const std::string tail(suffix);
            return path.size() >= tail.size() &&
                   path.compare(path.size() - tail.size(), tail.size(), tail) == 0;
        };
        if (ends("/updates.txt")) {
            Send(s, "HTTP/1.1 200 OK\r\nContent-Length: 13\r\n\r\nDVK=2.3|2.0\r\n");
        } else if (ends("/moved")) {
            Send(s, "HTTP/1.1 302 Found\r\nLocation: /updates.txt\r\nContent-Length: 0\r\n\r\n");
        } else if (ends("/loop")) {
            Send(s, "HTTP/1.1 302 Found\r\nLocation: /loop\r\nContent-Length: 0\r\n\r\n");
        } else if (ends("/elsewhere")) {
            Send(s, "HTTP/1.1 302 Found\r\nLocation: file:///c:/windows/win.ini\r\n"
                    "Content-Length: 0\r\n\r\n");
        } else if (ends("/huge")) {
            // No length: the body ends when the connection does.
            Send(s, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
            const std::string block(64 * 1024, 'x');
            for (int i = 0; i < 32 && !m_stop; ++i)
                Send(s, block);
        } else if (ends("/binary")) {
            Send(s, std::string("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nMZ\0\x01", 42));
        } else {
            Send(s, "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found");
        }
    }

    SOCKET m_listen = INVALID_SOCKET;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::vector<SOCKET> m_stalled;
    std::string m_requests[64];
    std::atomic<int> m_count{0};
};

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
    LoopbackServer server;
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
    LoopbackServer server;
    // A proxy receives the whole address in the request line.
    const THttpResult viaProxy =
        HttpGet("http://updates.example.invalid/updates.txt", server.Proxy(), {});
    EXPECT_TRUE(viaProxy.Ok());
    ASSERT_FALSE(server.Requests().empty());
    EXPECT_EQ(server.Requests().back(), "GET http://updates.example.invalid/updates.txt HTTP/1.1");

    // The worker's message arrives at a window of this thread with the result.
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          nullptr, nullptr);
    constexpr UINT WM_FETCHED = WM_APP + 7;
    TBackgroundFetch fetch(window, WM_FETCHED, server.Url("/updates.txt"), "");
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
    EXPECT_EQ(fetch.Result().Body, "DVK=2.3|2.0\r\n");

    // Closing the waiting window cancels a stalled fetch at once, long
    // before its time limit.
    const DWORD before = ::GetTickCount();
    { TBackgroundFetch stalled(window, WM_FETCHED, server.Url("/stall"), ""); }
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
