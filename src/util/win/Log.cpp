#include "util/win/Log.h"

#include "util/CommandLine.h"
#include "util/UserMessage.h"
#include "util/win/Handles.h"
#include "util/win/MVUtilWin.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

namespace {

std::wstring Widened(const char* text) {
    // what() texts are ASCII or UTF-8.
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (n <= 1) return {};
    std::wstring wide(static_cast<std::size_t>(n - 1), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), n);
    return wide;
}

std::string Utf8(std::wstring_view text) {
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(std::max(n, 0)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n,
                          nullptr, nullptr);
    return utf8;
}

void AppendToFile(const std::wstring& line) {
    const UniqueKernelHandle file(::CreateFileW(LogFileName().c_str(), FILE_APPEND_DATA,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    const std::string bytes = Utf8(line + L"\r\n");
    DWORD written = 0;
    ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace

bool DebugSwitchOn() {
    // Asked anew each time: only an error asks, and a user may add the
    // marker file while the program runs.
    if (HasParam(L"debug")) return true;
    const DWORD attributes = ::GetFileAttributesW(AppDirAnd(L"debug.debug").c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring LogFileName() {
    return GetTempDir() + L"Dravik.log";
}

void LogError(std::wstring_view context, std::wstring_view text) {
    try {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        wchar_t stamp[32];
        std::swprintf(stamp, 32, L"%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay,
                      now.wHour, now.wMinute, now.wSecond);
        const std::wstring line = stamp + std::wstring(context) + L": " + std::wstring(text);
        ::OutputDebugStringW((L"Dravik: " + line + L"\n").c_str());
        if (DebugSwitchOn()) AppendToFile(line);
    } catch (...) {
        // No memory for a line: nothing more to be done here.
    }
}

void LogError(std::wstring_view context, const std::exception& e) {
    try {
        std::wstring text = Widened(e.what());
        if (const auto* user = dynamic_cast<const UserMessage*>(&e))
            text += (text.empty() ? L"" : L" / ") + user->Message;
        LogError(context, text);
    } catch (...) {
    }
}

void LogCurrentException(std::wstring_view context) noexcept {
    try {
        throw;
    } catch (const std::exception& e) {
        LogError(context, e);
    } catch (...) {
        LogError(context, L"(an exception of unknown type)");
    }
}
