#pragma once
// What a fetch from the vendor's server gives: the body, or the kind of
// failure, told to the user in German (never the HTTP library's English).
#include <cstddef>
#include <string>

enum class THttpFailure {
    None,
    BadAddress,       // no http or https address
    Unreachable,      // no connection (no server, name unknown, refused)
    Timeout,          // no answer in time
    Status,           // an answer other than 200
    TooManyRedirects, // more redirects than the limit
    TooLarge,         // a body beyond the limit
    NotText,          // a body holding NUL bytes
    Cancelled,        // the user closed the window that waited for it
    Other,
};

struct THttpResult {
    THttpFailure Failure = THttpFailure::None;
    long Status = 0; // the HTTP status of the last answer, 0 without one
    std::string Body;
    bool Ok() const { return Failure == THttpFailure::None; }
};

// The bounds of one fetch: a stalled or hostile server never hangs a window
// or fills the memory.
struct THttpLimits {
    long ConnectTimeoutMs = 10000;
    long TotalTimeoutMs = 30000;
    long MaxRedirects = 5;
    std::size_t MaxBytes = 1024 * 1024;
};

// The German sentence for a failure (empty for success).
std::wstring HttpFailureText(const THttpResult& result);

// True for an absolute http or https address: the only ones fetched.
bool IsHttpUrl(const std::string& url);

// A successful answer whose body holds a NUL byte is no text file.
void RejectBinaryBody(THttpResult& result);
