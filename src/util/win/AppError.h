#pragma once
// The application's error handler. An error inside a window procedure is
// recorded and posted to the application window, which shows the boxes one at
// a time; a throwing WM_PAINT therefore never stacks boxes, and no box opens
// inside the procedure that failed.
#include <windows.h>

#include <exception>
#include <string>

// The user-facing text of an exception: our own errors carry a German text;
// anything else (the standard library's errors among them) gets a German
// description instead of its English what().
std::wstring ExceptionMessage(const std::exception& e);
std::wstring UnknownErrorMessage();

// Shows an error box owned by owner (the active window when null). With an
// application window the box is queued and shown from the message loop; an
// error equal to one already waiting or on screen is not shown twice.
void ShowApplicationError(const std::wstring& message, HWND owner = nullptr);

// Runs f; any exception is reported and swallowed.
template <typename F> void GuardedCall(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        ShowApplicationError(ExceptionMessage(e));
    } catch (...) {
        ShowApplicationError(UnknownErrorMessage());
    }
}

// The message the application window receives when errors wait; it calls
// ShowPendingApplicationErrors, which returns at once while a box is shown.
UINT ApplicationErrorMessage();
void ShowPendingApplicationErrors();

// Tests replace the box by a recorder (no modal loop under automation).
using ErrorSink = void (*)(HWND owner, const std::wstring& message);
void SetApplicationErrorSink(ErrorSink sink);
