#include "util/win/AppError.h"

#include "util/UserMessage.h"

#include <windows.h>

namespace {

std::wstring Widen(const char* text) {
    std::wstring out;
    for (const char* p = text; *p; ++p)
        out += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return out;
}

ErrorSink g_sink = nullptr;

} // namespace

std::wstring ExceptionMessage(const std::exception& e) {
    if (auto* user = dynamic_cast<const UserMessage*>(&e)) return user->Message;
    return Widen(e.what());
}

void ShowApplicationError(const std::wstring& message) {
    if (g_sink) {
        g_sink(message);
        return;
    }
    HWND owner = ::GetActiveWindow();
    ::MessageBoxW(owner, message.c_str(), L"Dravik", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void SetApplicationErrorSink(ErrorSink sink) {
    g_sink = sink;
}
