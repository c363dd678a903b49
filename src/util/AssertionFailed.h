#pragma once
// A programming error found at run time (a control or component used without
// the set-up it needs). Carries the message that names the component.
#include <stdexcept>
#include <string>

#include "util/UserMessage.h"

class EAssertionFailed : public std::logic_error, public UserMessage {
  public:
    explicit EAssertionFailed(std::wstring message)
        : std::logic_error("EAssertionFailed"), UserMessage(std::move(message)) {}
};
