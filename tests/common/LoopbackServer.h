#pragma once
// A real HTTP server on the loopback, run by a test on a thread of its own:
// each connection gets the raw answer the test's function gives for the
// request's path (the whole target, for requests through a proxy). An empty
// answer keeps the connection open without a word, as a stalled server does,
// until the server ends.
#include <winsock2.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackServer {
  public:
    // send writes part of an answer; a streaming answer may call it often.
    using Send = std::function<void(const std::string& bytes)>;
    using Answer = std::function<void(const std::string& target, const Send& send)>;

    explicit LoopbackServer(Answer answer) : m_answer(std::move(answer)) {
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
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int Port() const { return m_port; }
    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }
    // The request lines received so far.
    std::vector<std::string> Requests() const {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    bool Stopping() const { return m_stop; }

    // A whole answer with its length.
    static std::string Response(const std::string& status, const std::string& body,
                                const std::string& headers = "") {
        return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
               "\r\n" + headers + "\r\n" + body;
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
            {
                std::lock_guard lock(m_mutex);
                m_requests.push_back(line);
            }
            const std::string target = line.substr(line.find(' ') + 1);
            bool sent = false;
            m_answer(target.substr(0, target.find(' ')), [&](const std::string& bytes) {
                sent = true;
                ::send(client, bytes.data(), static_cast<int>(bytes.size()), 0);
            });
            if (!sent) {
                m_stalled.push_back(client);
                continue;
            }
            ::shutdown(client, SD_SEND);
            ::closesocket(client);
        }
    }

    Answer m_answer;
    SOCKET m_listen = INVALID_SOCKET;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::vector<SOCKET> m_stalled;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
};
