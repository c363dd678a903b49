#include "util/win/AppError.h"

#include "util/LocalText.h"
#include "util/UserMessage.h"
#include "util/win/MVUtilWin.h"

#include <algorithm>
#include <deque>
#include <new>
#include <stdexcept>
#include <system_error>

namespace {

struct PendingError {
    HWND Owner;
    std::wstring Message;
};

ErrorSink g_sink = nullptr;
std::deque<PendingError> g_pending;
std::wstring g_onScreen;
bool g_showing = false;

void Present(const PendingError& error) {
    if (g_sink) {
        g_sink(error.Owner, error.Message);
        return;
    }
    HWND owner = error.Owner ? error.Owner : ::GetActiveWindow();
    ::MessageBoxW(owner, error.Message.c_str(), ApplicationTitle().c_str(),
                  MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

bool AlreadyReported(const std::wstring& message) {
    if (g_showing && message == g_onScreen) return true;
    return std::any_of(g_pending.begin(), g_pending.end(),
                       [&](const PendingError& e) { return e.Message == message; });
}

constexpr LocalText kOutOfMemory{L"Für diesen Vorgang reicht der Arbeitsspeicher nicht aus.",
                                 L"There is not enough memory for this operation."};
constexpr LocalText kBadValue{L"Ein Wert ist ungültig oder liegt außerhalb des erlaubten Bereichs.",
                              L"A value is not valid or outside the allowed range."};
constexpr LocalText kSystemCallFailed{L"Ein Systemaufruf ist fehlgeschlagen.",
                                      L"A system call failed."};
constexpr LocalText kUnexpected{L"Ein unerwarteter Fehler ist aufgetreten.",
                                L"An unexpected error occurred."};

} // namespace

std::wstring ExceptionMessage(const std::exception& e) {
    if (auto* user = dynamic_cast<const UserMessage*>(&e)) return user->Message;
    if (dynamic_cast<const std::bad_alloc*>(&e)) return kOutOfMemory();
    if (dynamic_cast<const std::invalid_argument*>(&e) ||
        dynamic_cast<const std::out_of_range*>(&e))
        return kBadValue();
    if (dynamic_cast<const std::system_error*>(&e)) return kSystemCallFailed();
    return UnknownErrorMessage();
}

std::wstring CallerName(const std::source_location& where) {
    std::wstring name;
    for (const char* c = where.function_name(); *c; ++c)
        name += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return name + L" (line " + std::to_wstring(where.line()) + L")";
}

std::wstring UnknownErrorMessage() {
    return kUnexpected();
}

UINT ApplicationErrorMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"Morvane.Dravik.ApplicationError");
    return message;
}

void ShowApplicationError(const std::wstring& message, HWND owner) {
    HWND app = ApplicationWindow();
    if (!app) {
        // Nothing runs a message loop for us yet (or tests call directly).
        Present({owner, message});
        return;
    }
    if (AlreadyReported(message)) return;
    g_pending.push_back({owner, message});
    ::PostMessageW(app, ApplicationErrorMessage(), 0, 0);
}

void ShowPendingApplicationErrors() {
    // The box on screen runs a message loop of its own; the next error waits
    // until it is closed and this loop below takes it.
    if (g_showing) return;
    g_showing = true;
    while (!g_pending.empty()) {
        PendingError next = std::move(g_pending.front());
        g_pending.pop_front();
        g_onScreen = next.Message;
        Present(next);
    }
    g_onScreen.clear();
    g_showing = false;
}

void SetApplicationErrorSink(ErrorSink sink) {
    g_sink = sink;
}
