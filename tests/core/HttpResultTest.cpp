// What the user reads about a failed fetch: each kind of failure in its own
// words in each language, the secure connection's failures told apart by the words of
// the HTTP library, and its technical detail only with the "debug" switch.
#include "online/HttpResult.h"
#include "../common/UiLanguageScope.h"
#include "online/UpdateFile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

// The texts libcurl's Schannel backend gives (the Windows status by name and
// number), and those of its own checks.
TEST(HttpResult, TlsFailuresAreToldApartByTheLibrarysWords) {
    const struct {
        bool CertificateCheck;
        const char* Detail;
        THttpFailure Expected;
    } rows[] = {
        {false,
         "schannel: SNI or certificate check failed: SEC_E_WRONG_PRINCIPAL (0x80090322) - The "
         "target principal name is incorrect.",
         THttpFailure::NameMismatch},
        {true,
         "schannel: CertGetNameString() failed to match connection hostname (localhost) against "
         "server certificate names",
         THttpFailure::NameMismatch},
        {false,
         "schannel: next InitializeSecurityContext failed: SEC_E_UNTRUSTED_ROOT (0x80090325) - "
         "The certificate chain was issued by an authority that is not trusted.",
         THttpFailure::CertificateRejected},
        {false, "schannel: next InitializeSecurityContext failed: Unknown error (0x80090328)",
         THttpFailure::CertificateRejected},
        {true, "schannel: CertGetCertificateChain trust error CERT_TRUST_IS_UNTRUSTED_ROOT",
         THttpFailure::CertificateRejected},
        {true, "", THttpFailure::CertificateRejected},
        {false,
         "schannel: next InitializeSecurityContext failed: SEC_E_ILLEGAL_MESSAGE (0x80090326) - "
         "This error usually occurs when a fatal SSL/TLS alert is received (e.g. handshake "
         "failed).",
         THttpFailure::Tls},
        {false, "schannel: failed to receive handshake, SSL/TLS connection failed",
         THttpFailure::Tls},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TlsFailureOf(row.CertificateCheck, row.Detail), row.Expected) << row.Detail;
}

TEST(HttpResult, EveryFailureHasItsOwnSentenceInEachLanguage) {
    std::set<std::wstring> texts; // across both languages: no sentence left untranslated
    for (const Language language : {Language::German, Language::English}) {
        const UiLanguageScope scope(language);
        for (int kind = static_cast<int>(THttpFailure::None);
             kind <= static_cast<int>(THttpFailure::Other); ++kind) {
            THttpResult result;
            result.Failure = static_cast<THttpFailure>(kind);
            result.Status = 404;
            const std::wstring text = HttpFailureText(result);
            EXPECT_EQ(text.empty(), result.Ok()) << kind;
            if (result.Ok()) continue;
            EXPECT_TRUE(texts.insert(text).second) << "the same words twice: " << kind;
            if (result.Failure == THttpFailure::Status) {
                EXPECT_NE(text.find(L"404"), std::wstring::npos) << text.size();
            }
        }
    }
}

TEST(HttpResult, TheLibrarysDetailShowsOnlyWithDebug) {
    const std::wstring head = L"<FONT color=\"clWhite\" bgcolor=\"clRed\"><b> Fehler </b></font> ";
    const std::wstring url = L"https://www.morvane.de/updates.txt";
    EXPECT_EQ(FetchErrorMsg(L"Zertifikat", false, url, L"SEC_E_UNTRUSTED_ROOT"),
              head + L"Zertifikat");
    EXPECT_EQ(FetchErrorMsg(L"Zertifikat", true, url, L"SEC_E_UNTRUSTED_ROOT <x>"),
              head + L"Zertifikat\r\n" + url + L"\r\nSEC_E_UNTRUSTED_ROOT &lt;x&gt;");
    EXPECT_EQ(FetchErrorMsg(L"Zertifikat", true, url), head + L"Zertifikat\r\n" + url);
}
