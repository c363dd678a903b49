#pragma once
// What a fetch from the vendor's server gives: the body, or the kind of
// failure, told to the user in German (never the HTTP library's English).
#include <cstddef>
#include <string>

enum class THttpFailure {
    None,
    BadAddress,          // no http or https address
    Unreachable,         // no connection (no server, name unknown, refused)
    ConnectTimeout,      // the connection (with its TLS handshake) not set up in time
    Timeout,             // connected, but no answer in time
    CertificateRejected, // the server's certificate is not trusted (issuer, expired, revoked)
    NameMismatch,        // the server's certificate is made out to another name
    Tls,                 // the secure connection failed otherwise
    Status,              // an answer other than 200
    TooManyRedirects,    // more redirects than the limit
    TooLarge,            // a body beyond the limit
    NotText,             // a body holding NUL bytes
    Cancelled,           // the user closed the window that waited for it
    Other,
};

struct THttpResult {
    THttpFailure Failure = THttpFailure::None;
    long Status = 0; // the HTTP status of the last answer, 0 without one
    std::string Body;
    // The HTTP library's own words on a failure (English, technical): shown
    // only with the "debug" switch.
    std::string Detail;
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

// A failure of the secure connection, told apart by the library's own words
// (they name the Windows status, "SEC_E_WRONG_PRINCIPAL" and the like):
// a certificate for another name, one that is not trusted, or another
// failure of the handshake. certificateCheck: the library reports that its
// check of the server's certificate failed.
THttpFailure TlsFailureOf(bool certificateCheck, const std::string& detail);

// True for an absolute http or https address: the only ones fetched.
bool IsHttpUrl(const std::string& url);

// A successful answer whose body holds a NUL byte is no text file.
void RejectBinaryBody(THttpResult& result);
