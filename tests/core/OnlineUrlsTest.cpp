#include "online/OnlineUrls.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

TEST(OnlineUrls, FiveAddressesBelowTheConfiguredBase) {
    const struct {
        std::optional<std::wstring> serverURL;
        std::wstring base;
    } cases[] = {
        {std::nullopt, L"https://www.morvane.de/"},
        {L"", L"https://www.morvane.de/"},
        {L"http://test.local", L"http://test.local/"},
        {L"HTTPS://test.local:8443/dravik/", L"HTTPS://test.local:8443/dravik/"},
        {L"http://[::1]:8080", L"http://[::1]:8080/"},
        {L"ftp://test.local/", L"https://www.morvane.de/"}, // only http and https
        {L"test.local", L"https://www.morvane.de/"},
        {L"https://", L"https://www.morvane.de/"},
        {L"https:///pfad", L"https://www.morvane.de/"},
        {L"https://:80/", L"https://www.morvane.de/"},
        {L"https://h/a b", L"https://www.morvane.de/"}, // would break the links of the message
        {L"https://h/\"><script>", L"https://www.morvane.de/"},
        {L"https://h/?x=1", L"https://www.morvane.de/"},
        {L"https://h\u00E4/", L"https://www.morvane.de/"},
    };
    for (const auto& c : cases) {
        const TOnlineUrls urls = OnlineUrls(L"DVK", c.serverURL);
        const std::wstring shown = c.serverURL.value_or(L"(none)");
        EXPECT_EQ(urls.VersionFile, c.base + L"updates.txt") << shown;
        EXPECT_EQ(urls.ProgDownload, c.base + L"update.php?prog=dvk") << shown;
        EXPECT_EQ(urls.ProgChanges, c.base + L"dvkchg.htm") << shown;
        EXPECT_EQ(urls.Feedback, c.base + L"feedback.php?prog=dvk") << shown;
        EXPECT_EQ(urls.ContactData, c.base + L"contact.ini") << shown;
        EXPECT_EQ(urls.OtherProducts, L"");
    }
}
