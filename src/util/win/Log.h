#pragma once
// The shell's log of errors: what failed, where, and the error's own text
// (what() and the message the user saw), as one line to the debug output,
// and with the "debug" switch also to "Dravik.log" in the user's temp folder.
// It never throws: a log that cannot be written is no new error.
#include <exception>
#include <string>
#include <string_view>

// The "debug" switch: the parameter "/debug" or "-debug", or a file
// "debug.debug" beside the program.
bool DebugSwitchOn();

// The log file with the switch on ("%TEMP%\Dravik.log").
std::wstring LogFileName();

void LogError(std::wstring_view context, std::wstring_view text);
void LogError(std::wstring_view context, const std::exception& e);
// Inside a catch block: the exception being handled, of whatever type.
void LogCurrentException(std::wstring_view context) noexcept;
