#include "online/HttpResult.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

std::wstring HttpFailureText(const THttpResult& result) {
    switch (result.Failure) {
    case THttpFailure::None:
        return {};
    case THttpFailure::BadAddress:
        return L"Die Adresse des Servers ist ungültig.";
    case THttpFailure::Unreachable:
        return L"Der Server ist nicht erreichbar. Bitte prüfen Sie die Internetverbindung.";
    case THttpFailure::ConnectTimeout:
        return L"Die Verbindung zum Server kam nicht rechtzeitig zustande (Zeitüberschreitung).";
    case THttpFailure::Timeout:
        return L"Der Server antwortet nicht (Zeitüberschreitung).";
    case THttpFailure::CertificateRejected:
        return L"Das Zertifikat des Servers wurde nicht akzeptiert (nicht vertrauenswürdig, "
               L"abgelaufen oder gesperrt).";
    case THttpFailure::NameMismatch:
        return L"Das Zertifikat des Servers ist auf einen anderen Namen ausgestellt als die "
               L"Adresse.";
    case THttpFailure::Tls:
        return L"Die sichere Verbindung (TLS) zum Server kam nicht zustande.";
    case THttpFailure::Status:
        return L"Der Server meldet den HTTP-Status " + std::to_wstring(result.Status) + L".";
    case THttpFailure::TooManyRedirects:
        return L"Der Server leitet die Anfrage zu oft weiter.";
    case THttpFailure::TooLarge:
        return L"Die Antwort des Servers ist zu groß.";
    case THttpFailure::NotText:
        return L"Die Antwort des Servers ist keine Textdatei.";
    case THttpFailure::Cancelled:
        return L"Die Anfrage wurde abgebrochen.";
    case THttpFailure::Other:
        break;
    }
    return L"Die Verbindung zum Server ist fehlgeschlagen.";
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
