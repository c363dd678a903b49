#pragma once
// Text to the clipboard.
#include <windows.h>

#include <string>

// Puts text on the clipboard as CF_UNICODETEXT, owned by owner; false when
// the clipboard is held by another program or memory runs out.
bool CopyTextToClipboard(HWND owner, const std::wstring& text);
