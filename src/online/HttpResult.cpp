#include "online/HttpResult.h"

#include "util/LocalText.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace {

struct TFailureText {
    THttpFailure Failure;
    LocalText Text;
};

// "%1" stands for the HTTP status.
constexpr TFailureText kFailureTexts[] = {
    {THttpFailure::BadAddress,
     {L"Die Adresse des Servers ist ungültig.", L"The server's address is not valid."}},
    {THttpFailure::Unreachable,
     {L"Der Server ist nicht erreichbar. Bitte prüfen Sie die Internetverbindung.",
      L"The server cannot be reached. Please check the internet connection."}},
    {THttpFailure::ConnectTimeout,
     {L"Die Verbindung zum Server kam nicht rechtzeitig zustande (Zeitüberschreitung).",
      L"The connection to the server was not made in time (timeout)."}},
    {THttpFailure::Timeout,
     {L"Der Server antwortet nicht (Zeitüberschreitung).",
      L"The server does not answer (timeout)."}},
    {THttpFailure::CertificateRejected,
     {L"Das Zertifikat des Servers wurde nicht akzeptiert (nicht vertrauenswürdig, "
      L"abgelaufen oder gesperrt).",
      L"The server's certificate was not accepted (not trusted, expired or revoked)."}},
    {THttpFailure::NameMismatch,
     {L"Das Zertifikat des Servers ist auf einen anderen Namen ausgestellt als die "
      L"Adresse.",
      L"The server's certificate was issued for another name than the address."}},
    {THttpFailure::Tls,
     {L"Die sichere Verbindung (TLS) zum Server kam nicht zustande.",
      L"The secure connection (TLS) to the server could not be made."}},
    {THttpFailure::Status,
     {L"Der Server meldet den HTTP-Status %1.", L"The server reports HTTP status %1."}},
    {THttpFailure::TooManyRedirects,
     {L"Der Server leitet die Anfrage zu oft weiter.",
      L"The server redirects the request too often."}},
    {THttpFailure::TooLarge,
     {L"Die Antwort des Servers ist zu groß.", L"The server's answer is too large."}},
    {THttpFailure::NotText,
     {L"Die Antwort des Servers ist keine Textdatei.", L"The server's answer is not a text file."}},
    {THttpFailure::Cancelled, {L"Die Anfrage wurde abgebrochen.", L"The request was cancelled."}},
};
constexpr LocalText kOtherFailure{L"Die Verbindung zum Server ist fehlgeschlagen.",
                                  L"The connection to the server failed."};

} // namespace

std::wstring HttpFailureText(const THttpResult& result) {
    if (result.Failure == THttpFailure::None) return {};
    for (const TFailureText& row : kFailureTexts)
        if (row.Failure == result.Failure)
            return FormatText(row.Text, {std::to_wstring(result.Status)});
    return kOtherFailure();
}

namespace {

bool Names(const std::string& lowerDetail, std::initializer_list<const char*> words) {
    for (const char* word : words)
        if (lowerDetail.find(word) != std::string::npos) return true;
    return false;
}

} // namespace

THttpFailure TlsFailureOf(bool certificateCheck, const std::string& detail) {
    std::string lower = detail;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    // Schannel's statuses by name and number, and the words of the library's
    // own name check.
    if (Names(lower, {"sec_e_wrong_principal", "0x80090322", "cert_e_cn_no_match", "0x800b010f",
                      "hostname", "host name", "subject name"}))
        return THttpFailure::NameMismatch;
    if (certificateCheck ||
        Names(lower, {"sec_e_untrusted_root", "0x80090325", "sec_e_cert_expired", "0x80090328",
                      "sec_e_cert_unknown", "0x80090327", "cert_e_", "crypt_e_revoked",
                      "certificate", "trust"}))
        return THttpFailure::CertificateRejected;
    return THttpFailure::Tls;
}

bool IsHttpUrl(const std::string& url) {
    std::string scheme = url.substr(0, url.find("://"));
    if (scheme.size() == url.size()) return false;
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::size_t hostStart = scheme.size() + 3;
    return (scheme == "http" || scheme == "https") && hostStart < url.size() &&
           url[hostStart] != '/';
}

void RejectBinaryBody(THttpResult& result) {
    if (result.Ok() && result.Body.find('\0') != std::string::npos) {
        result.Failure = THttpFailure::NotText;
        result.Body.clear();
    }
}
