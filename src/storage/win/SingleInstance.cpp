#include "storage/win/SingleInstance.h"

#include "util/AssertionFailed.h"

#include <windows.h>

#include <algorithm>

namespace {
UINT g_message = 0;
HANDLE g_mutex = nullptr;
// Long enough for a busy window, short enough that nobody waits for a hung one.
constexpr UINT BroadcastTimeoutMs = 200;
} // namespace

bool SingleInstanceCreate(std::wstring name, bool sendMsg) {
    name.erase(
        std::remove_if(name.begin(), name.end(), [](wchar_t c) { return c == L'\\' || c == L','; }),
        name.end());
    if (name.empty()) throw EAssertionFailed(L"An empty UniqueAppName is not allowed");
    g_message = ::RegisterWindowMessageW(name.c_str());
    SingleInstanceClose();
    ::SetLastError(ERROR_SUCCESS);
    g_mutex = ::CreateMutexW(nullptr, FALSE, name.c_str());
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (sendMsg) {
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(HWND_BROADCAST, g_message, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                                  BroadcastTimeoutMs, &result);
        }
        return false;
    }
    return g_mutex != nullptr;
}

void SingleInstanceClose() {
    if (g_mutex) ::CloseHandle(g_mutex);
    g_mutex = nullptr;
}

unsigned SingleInstanceMessage() {
    return g_message;
}
