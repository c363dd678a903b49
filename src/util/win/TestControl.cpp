#include "util/win/TestControl.h"

#include "util/CommandLine.h"

namespace {
std::uint64_t g_timerMessages = 0;
} // namespace

void CountLoopMessage(const MSG& msg) {
    if (msg.message == WM_TIMER) ++g_timerMessages;
}

std::uint64_t LoopTimerMessages() {
    return g_timerMessages;
}

bool TestControlEnabled() {
    static const bool enabled = HasParam(L"testcontrol");
    return enabled;
}

LRESULT HandleTestControl(HWND self, HWND replyTo, const COPYDATASTRUCT* data,
                          const std::function<std::wstring(const std::wstring&)>& answer) {
    // Questions are short; anything larger is not ours to answer.
    constexpr DWORD MaxQueryBytes = 4096;
    if (!TestControlEnabled() || !data || data->dwData != kTestControlQuery || !replyTo ||
        !data->lpData || data->cbData > MaxQueryBytes)
        return FALSE;
    const std::wstring question(static_cast<const wchar_t*>(data->lpData),
                                data->cbData / sizeof(wchar_t));
    const std::wstring reply = answer(question);
    COPYDATASTRUCT out{kTestControlReply, static_cast<DWORD>((reply.size() + 1) * sizeof(wchar_t)),
                       const_cast<wchar_t*>(reply.c_str())};
    ::SendMessageW(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(self),
                   reinterpret_cast<LPARAM>(&out));
    return TRUE;
}

UINT TestSyncMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"Morvane.Dravik.TestSync");
    return message;
}

bool HandleTestSync(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != TestSyncMessage() || !TestControlEnabled()) return false;
    ::PostMessageW(reinterpret_cast<HWND>(wParam), TestSyncMessage(), 0, lParam);
    return true;
}
