#include "util/win/Clipboard.h"

#include <algorithm>

bool CopyTextToClipboard(HWND owner, const std::wstring& text) {
    if (!::OpenClipboard(owner)) return false;
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
