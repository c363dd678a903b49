#pragma once
// An error raised with a message meant for the user (the platform-free part of
// the program raises these; the window layer shows them).
#include <stdexcept>
#include <string>

class EUserError : public std::runtime_error {
  public:
    explicit EUserError(std::wstring message)
        : std::runtime_error("EUserError"), Message(std::move(message)) {}
    std::wstring Message;
};
