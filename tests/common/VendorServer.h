#pragma once
// A stand-in for the vendor's server on the loopback, which the program
// reaches through the "ServerURL" value of its registry key while the object
// lives: the version file says this version is current, and the contact
// data holds one line of an address ("Kai 1").
#include "LoopbackServer.h"
#include "ProgramRegistry.h"

#include "util/ProgramInfo.h"

#include <string>

class VendorServer {
  public:
    VendorServer()
        : m_server([](const std::string& target, const LoopbackServer::Send& send) {
              if (target == "/updates.txt")
                  send(LoopbackServer::Response("200 OK", "DVK=2.2|2.0\r\n"));
              else if (target == "/contact.ini")
                  send(LoopbackServer::Response("200 OK", "Street=Kai 1\r\n"));
              else
                  send(LoopbackServer::Response("404 Not Found", "not found"));
          }),
          m_url(TProgramInfo().RegistryKey().c_str(), L"ServerURL", Address()) {}

    // The request lines received so far.
    std::vector<std::string> Requests() const { return m_server.Requests(); }

  private:
    std::wstring Address() const {
        const std::string url = m_server.Url("");
        return std::wstring(url.begin(), url.end());
    }

    DirectConnection m_direct;
    LoopbackServer m_server;
    RegistryValueScope m_url;
};
