#pragma once
// Puts the Windows parts of the settings store in place: the file system with
// its atomic save, the system's ANSI code page, the registry back-end, and the
// message box for a failed save. Called once at start-up, before any store.
#include "storage/TextCodec.h"

#include <string>

void InstallWin32Storage();

// The system ANSI code page (CP_ACP); unmappable characters become "?".
std::wstring DecodeSystemAnsi(const std::uint8_t* data, std::size_t size);
TBytes EncodeSystemAnsi(const std::wstring& text);
