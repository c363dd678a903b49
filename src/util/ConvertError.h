#pragma once
// The conversion error of the utility routines: a message for the user, in
// the program's language.
#include <stdexcept>
#include <string>

#include "util/UserMessage.h"

class EConvertError : public std::runtime_error, public UserMessage {
  public:
    explicit EConvertError(std::wstring message)
        : std::runtime_error("EConvertError"), UserMessage(std::move(message)) {}
};
