#include "util/win/AppError.h"

#include "util/AssertionFailed.h"
#include "util/ConvertError.h"
#include "util/UserError.h"

#include <windows.h>

namespace {

std::wstring Widen(const char* text) {
    std::wstring out;
    for (const char* p = text; *p; ++p) out += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return out;
}

ErrorSink g_sink = nullptr;

} // namespace

std::wstring ExceptionMessage(const std::exception& e) {
    if (auto* conv = dynamic_cast<const EConvertError*>(&e)) return conv->Message;
    if (auto* user = dynamic_cast<const EUserError*>(&e)) return user->Message;
    if (auto* failed = dynamic_cast<const EAssertionFailed*>(&e)) return failed->Message;
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

void SetApplicationErrorSink(ErrorSink sink) { g_sink = sink; }
