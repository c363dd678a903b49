#pragma once
// A settings file could not be read or written; Message is the text for the
// user, in the program's language.
#include <stdexcept>
#include <string>

#include "util/UserMessage.h"

class EStorageError : public std::runtime_error, public UserMessage {
  public:
    explicit EStorageError(std::wstring message)
        : std::runtime_error("EStorageError"), UserMessage(std::move(message)) {}
};
