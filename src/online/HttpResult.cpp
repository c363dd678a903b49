#include "online/HttpResult.h"

#include <algorithm>
#include <cctype>

std::wstring HttpFailureText(const THttpResult& result) {
    switch (result.Failure) {
    case THttpFailure::None:
        return {};
    case THttpFailure::BadAddress:
        return L"Die Adresse des Servers ist ungültig.";
    case THttpFailure::Unreachable:
        return L"Der Server ist nicht erreichbar. Bitte prüfen Sie die Internetverbindung.";
    case THttpFailure::Timeout:
        return L"Der Server antwortet nicht (Zeitüberschreitung).";
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
