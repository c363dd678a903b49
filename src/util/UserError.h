#pragma once
// An error raised with a message meant for the user (the platform-free part of
// the program raises these; the window layer shows them).
#include <stdexcept>
#include <string>

#include "util/UserMessage.h"

class EUserError : public std::runtime_error, public UserMessage {
  public:
    explicit EUserError(std::wstring message)
        : std::runtime_error("EUserError"), UserMessage(std::move(message)) {}
};
