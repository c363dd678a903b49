#pragma once
// A settings file could not be read or written; Message is the German text for the user.
#include <stdexcept>
#include <string>

class EStorageError : public std::runtime_error {
  public:
    explicit EStorageError(std::wstring message)
        : std::runtime_error("EStorageError"), Message(std::move(message)) {}
    std::wstring Message;
};
