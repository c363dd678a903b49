#pragma once
// The message of an error, for the user, in the program's language. Every
// error type of the program carries one, so the error handler needs to know
// only this base.
#include <string>

class UserMessage {
  public:
    explicit UserMessage(std::wstring message) : Message(std::move(message)) {}
    virtual ~UserMessage() = default;
    std::wstring Message;
};
