#pragma once
// The application's error handler. An error inside a window procedure is
// recorded and posted to the application window, which shows the boxes one at
// a time; a throwing WM_PAINT therefore never stacks boxes, and no box opens
// inside the procedure that failed.
#include <windows.h>

#include "util/win/Log.h"

#include <exception>
#include <source_location>
#include <string>
#include <utility>

// The user-facing text of an exception: our own errors carry a German text;
// anything else (the standard library's errors among them) gets a German
// description instead of its English what().
std::wstring ExceptionMessage(const std::exception& e);
std::wstring UnknownErrorMessage();

// Shows an error box owned by owner (the active window when null). With an
// application window the box is queued and shown from the message loop; an
// error equal to one already waiting or on screen is not shown twice.
void ShowApplicationError(const std::wstring& message, HWND owner = nullptr);

// The function that called, as the log names it.
std::wstring CallerName(const std::source_location& where);

// Runs f; any exception is logged with what describe() says of the place,
// reported and swallowed. describe runs only for an error.
template <typename F, typename Describe> void GuardedCallWith(F&& f, Describe&& describe) {
    try {
        f();
    } catch (const std::exception& e) {
        LogError(describe(), e);
        ShowApplicationError(ExceptionMessage(e));
    } catch (...) {
        LogCurrentException(describe());
        ShowApplicationError(UnknownErrorMessage());
    }
}

// The same, logged with the caller's name.
template <typename F>
void GuardedCall(F&& f, const std::source_location& where = std::source_location::current()) {
    GuardedCallWith(std::forward<F>(f), [&] { return CallerName(where); });
}

// The message the application window receives when errors wait; it calls
// ShowPendingApplicationErrors, which returns at once while a box is shown.
UINT ApplicationErrorMessage();
void ShowPendingApplicationErrors();

// Tests replace the box by a recorder (no modal loop under automation).
using ErrorSink = void (*)(HWND owner, const std::wstring& message);
void SetApplicationErrorSink(ErrorSink sink);
