#pragma once
// A programming error found at run time (a control or component used without
// the set-up it needs). Carries the message that names the component.
#include <stdexcept>
#include <string>

class EAssertionFailed : public std::logic_error {
  public:
    explicit EAssertionFailed(std::wstring message)
        : std::logic_error("EAssertionFailed"), Message(std::move(message)) {}
    std::wstring Message;
};
