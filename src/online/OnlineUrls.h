#pragma once
// The vendor's addresses the online services use: the version file, the
// download and changes pages, the feedback page and the contact data. All sit
// below one base, the product's own server unless "ServerURL" names another.
#include <optional>
#include <string>

// The product's own server, with the closing "/".
inline constexpr const wchar_t* DefaultServerURL = L"https://www.morvane.de/";

struct TOnlineUrls {
    std::wstring VersionFile;  // updates.txt
    std::wstring ProgDownload; // update.php?prog=dvk
    std::wstring ProgChanges;  // dvkchg.htm
    std::wstring Feedback;     // feedback.php?prog=dvk
    std::wstring ContactData;  // contact.ini
    // A page with further programs; none of this product's.
    std::wstring OtherProducts;
};

// The base that a "ServerURL" value gives: an http or https address with a
// host, ending in "/" (added when missing). Anything else, or no value, gives
// DefaultServerURL, so that a mistyped setting never sends the check astray.
std::wstring ServerBase(const std::optional<std::wstring>& serverURL);

// The addresses below that base, "##PROG##" replaced by the program id in
// lower case.
TOnlineUrls OnlineUrls(const std::wstring& programId, const std::optional<std::wstring>& serverURL);
