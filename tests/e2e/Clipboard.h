#pragma once
// The clipboard as a test reads and fills it.
#include "Checks.h"

#include <windows.h>

#include <cstring>
#include <string>

inline bool OpenClipboardSoon() {
    for (int i = 0; i < 100; ++i) {
        if (::OpenClipboard(nullptr)) return true;
        ::Sleep(10); // another process holds it for a moment
    }
    return false;
}

inline bool PutOnClipboard(const std::wstring& text) {
    if (!OpenClipboardSoon()) return false;
    ::EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory) {
        std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
        ::GlobalUnlock(memory);
        if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
    }
    ::CloseClipboard();
    return memory != nullptr;
}

inline std::wstring ClipboardText() {
    if (!OpenClipboardSoon()) return L"(clipboard busy)";
    std::wstring text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

inline ::testing::AssertionResult ClipboardBecomes(DravikProcess& dravik,
                                                   const std::wstring& expected) {
    if (dravik.WaitUntil([&] { return ClipboardText() == expected; }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the clipboard holds \"" << Narrow(ClipboardText())
                                         << "\", expected \"" << Narrow(expected) << "\"";
}
