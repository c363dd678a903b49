#include "online/win/HttpClient.h"

#include "util/win/SystemLibraries.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace {

struct Transfer {
    std::string Body;
    std::size_t MaxBytes = 0;
    bool TooLarge = false;
    const std::atomic<bool>* Cancel = nullptr;
};

// Counted here, not from Content-Length: a server may send none, or lie.
size_t WriteBody(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (transfer->Body.size() + bytes > transfer->MaxBytes) {
        transfer->TooLarge = true;
        return 0; // aborts the transfer
    }
    transfer->Body.append(data, bytes);
    return bytes;
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* transfer = static_cast<Transfer*>(user);
    return transfer->Cancel && *transfer->Cancel ? 1 : 0;
}

void GlobalInitOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_ALL); });
}

// connected: the connection, with its TLS handshake for https, was set up.
THttpFailure FailureOf(CURLcode code, bool connected, const std::string& detail) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
        return THttpFailure::Unreachable;
    case CURLE_OPERATION_TIMEDOUT:
        return connected ? THttpFailure::Timeout : THttpFailure::ConnectTimeout;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_INVALIDCERTSTATUS:
        return TlsFailureOf(true, detail);
    case CURLE_SSL_CONNECT_ERROR:
        // Schannel's own check of the certificate ends here too.
        return TlsFailureOf(false, detail);
    case CURLE_TOO_MANY_REDIRECTS:
        return THttpFailure::TooManyRedirects;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
        return THttpFailure::BadAddress;
    case CURLE_ABORTED_BY_CALLBACK:
        return THttpFailure::Cancelled;
    default:
        return THttpFailure::Other;
    }
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

} // namespace

THttpResult HttpGet(const std::string& url, const std::string& proxy, const THttpLimits& limits,
                    const std::atomic<bool>* cancel) {
    THttpResult result;
    if (!IsHttpUrl(url)) {
        result.Failure = THttpFailure::BadAddress;
        return result;
    }
    // What curl calls in the system, loaded with the first request (see
    // cmake/Dependencies.cmake); without them no request can go out.
    if (!LoadSystemLibraries({L"ws2_32.dll", L"crypt32.dll", L"bcrypt.dll"})) {
        result.Failure = THttpFailure::Other;
        return result;
    }
    GlobalInitOnce();
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy) {
        result.Failure = THttpFailure::Other;
        return result;
    }
    Transfer transfer;
    transfer.MaxBytes = limits.MaxBytes;
    transfer.Cancel = cancel;
    CURL* e = easy.get();
    curl_easy_setopt(e, CURLOPT_URL, url.c_str());
    // Redirects too stay on http and https.
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, limits.MaxRedirects);
    curl_easy_setopt(e, CURLOPT_PROXY, proxy.c_str());
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, limits.ConnectTimeoutMs);
    curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, limits.TotalTimeoutMs);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, Progress);
    curl_easy_setopt(e, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(e, CURLOPT_USERAGENT, "Dravik");
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, error);

    const CURLcode code = curl_easy_perform(e);
    curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &result.Status);
    if (code != CURLE_OK) result.Detail = error[0] ? error : curl_easy_strerror(code);
    if (transfer.TooLarge) {
        result.Failure = THttpFailure::TooLarge;
    } else if (code != CURLE_OK) {
        // The time the connection (and for https its handshake) was set up,
        // 0 when it never was.
        curl_off_t connectedAfter = 0;
        const char* scheme = nullptr;
        curl_easy_getinfo(e, CURLINFO_SCHEME, &scheme); // of the last request, after redirects
        const bool https = scheme && curl_strequal(scheme, "https");
        curl_easy_getinfo(e, https ? CURLINFO_APPCONNECT_TIME_T : CURLINFO_CONNECT_TIME_T,
                          &connectedAfter);
        result.Failure = FailureOf(code, connectedAfter > 0, result.Detail);
    } else if (result.Status != 200) {
        result.Failure = THttpFailure::Status;
    } else {
        result.Body = std::move(transfer.Body);
        RejectBinaryBody(result);
    }
    return result;
}
