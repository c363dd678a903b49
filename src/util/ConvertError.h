#pragma once
// The conversion error of the utility routines: a German message for the user.
#include <stdexcept>
#include <string>

class EConvertError : public std::runtime_error {
  public:
    explicit EConvertError(std::wstring message)
        : std::runtime_error("EConvertError"), Message(std::move(message)) {}
    std::wstring Message;
};
