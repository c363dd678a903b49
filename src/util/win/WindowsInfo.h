#pragma once
// What the running system reports about itself: language and version.
#include "util/WindowsVersion.h"

#include <windows.h>

#include <string>

// GetLocaleInfoW of the user's default locale for one locale item; type 1
// (LOCALE_ILANGUAGE) gives the language id as four hex digits, "0407" for German.
// Empty when the system has no answer.
std::wstring GetWindowsLanguage(LCTYPE type);

// The running system, classified. The real version numbers come from ntdll
// (GetVersionEx reports the version the program's manifest names, not the system's).
TWindowsVersion GetWindowsVersion();
// The same, and the system's full name, such as "Windows 10 Pro (10.0, Build 19045)".
TWindowsVersion GetWindowsVersion(std::wstring& fullName);
