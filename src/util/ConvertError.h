#pragma once
// The conversion error of the utility routines: a German message for the user.
#include <stdexcept>
#include <string>

#include "util/UserMessage.h"

class EConvertError : public std::runtime_error, public UserMessage {
  public:
    explicit EConvertError(std::wstring message)
        : std::runtime_error("EConvertError"), UserMessage(std::move(message)) {}
};
