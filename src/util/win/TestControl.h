#pragma once
// A test-only control channel: with the switch "testcontrol" on the command
// line, a test driver can ask the running program for its state through
// WM_COPYDATA instead of sleeping and guessing. Without the switch the program
// ignores such messages.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// dwData of a question and of its answer.
constexpr ULONG_PTR kTestControlQuery = 0x44564B51; // "DVKQ"
constexpr ULONG_PTR kTestControlReply = 0x44564B52; // "DVKR"

bool TestControlEnabled();

// Answers a WM_COPYDATA question by sending the reply text back to replyTo.
LRESULT HandleTestControl(HWND self, HWND replyTo, const COPYDATASTRUCT* data,
                          const std::function<std::wstring(const std::wstring&)>& answer);

// A posted question: the window posts the same message back to the sender
// (wParam) with the same lParam once it takes it from its queue. Posted
// messages are taken in order, so the answer tells the driver that whatever
// was queued for the window before (a hotkey, a key) has been handled.
UINT TestSyncMessage();
bool HandleTestSync(UINT msg, WPARAM wParam, LPARAM lParam);

// The UI thread's loop counts the timer messages it takes (WM_TIMER, for any
// window or none), so the channel can tell that an idle program is idle.
void CountLoopMessage(const MSG& msg);
std::uint64_t LoopTimerMessages();
