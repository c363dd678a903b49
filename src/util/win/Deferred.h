#pragma once
// Runs a task later, from the message loop, outside every window procedure
// that is running now: how a window that closes itself gets released.
#include <functional>

void RunDeferred(std::function<void()> task);
