#include "util/win/Clipboard.h"

#include <algorithm>

namespace {

// Another program (a clipboard manager, a reader of what we copied) may hold
// the clipboard open for a moment: the copy waits for it a little.
bool OpenClipboardSoon(HWND owner) {
    constexpr int kTries = 20;
    constexpr DWORD kPauseMs = 10;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (::OpenClipboard(owner)) return true;
        ::Sleep(kPauseMs);
    }
    return false;
}

} // namespace

bool CopyTextToClipboard(HWND owner, const std::wstring& text) {
    if (!OpenClipboardSoon(owner)) return false;
    ::EmptyClipboard();
    bool done = false;
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (auto* target = static_cast<wchar_t*>(::GlobalLock(memory))) {
            std::copy_n(text.c_str(), text.size() + 1, target);
            ::GlobalUnlock(memory);
            done = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        }
        if (!done) ::GlobalFree(memory);
    }
    ::CloseClipboard();
    return done;
}
