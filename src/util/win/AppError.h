#pragma once
// The application's error handler: shows an error's message to the user and
// lets the program run on.
#include <exception>
#include <string>

// The user-facing text of an exception (German where the program wrote it).
std::wstring ExceptionMessage(const std::exception& e);

// Shows the message in an error box owned by the active window.
void ShowApplicationError(const std::wstring& message);

// Runs f; any exception is shown and swallowed.
template <typename F> void GuardedCall(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        ShowApplicationError(ExceptionMessage(e));
    } catch (...) {
        ShowApplicationError(L"Unbekannter Fehler.");
    }
}

// Tests replace the box by a recorder (no modal loop under automation).
using ErrorSink = void (*)(const std::wstring& message);
void SetApplicationErrorSink(ErrorSink sink);
