#include "online/OnlineUrls.h"

#include "util/StringUtils.h"

namespace {

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    return text.size() >= prefix.size() &&
           SameTextIgnoreCase(text.substr(0, prefix.size()), prefix);
}

// The addresses go into the update message's HTML and are joined with paths:
// quotes, angle brackets, blanks, a query or a fragment in the base would break
// either.
bool IsPlainUrlChar(wchar_t ch) {
    if (ch <= L' ' || ch >= 0x7F) return false;
    return std::wstring(L"\"<>\\^`{|}?#'").find(ch) == std::wstring::npos;
}

bool IsUsableBase(const std::wstring& url) {
    std::size_t hostStart = 0;
    if (StartsWithNoCase(url, L"https://"))
        hostStart = 8;
    else if (StartsWithNoCase(url, L"http://"))
        hostStart = 7;
    else
        return false;
    const std::size_t hostEnd = url.find(L'/', hostStart);
    const std::wstring host = url.substr(hostStart, hostEnd - hostStart);
    if (host.empty() || host.front() == L':' || host.front() == L'.') return false;
    for (const wchar_t ch : url)
        if (!IsPlainUrlChar(ch)) return false;
    return true;
}

} // namespace

std::wstring ServerBase(const std::optional<std::wstring>& serverURL) {
    if (!serverURL || !IsUsableBase(*serverURL)) return DefaultServerURL;
    return MustEndsWith(L'/', *serverURL);
}

TOnlineUrls OnlineUrls(const std::wstring& programId,
                       const std::optional<std::wstring>& serverURL) {
    const std::wstring base = ServerBase(serverURL);
    const std::wstring prog = LowerCaseText(programId);
    const auto below = [&](const std::wstring& path) {
        return base + MyReplace(path, L"##PROG##", prog, false, 0);
    };
    TOnlineUrls urls;
    urls.VersionFile = below(L"updates.txt");
    urls.ProgDownload = below(L"update.php?prog=##PROG##");
    urls.ProgChanges = below(L"##PROG##chg.htm");
    urls.Feedback = below(L"feedback.php?prog=##PROG##");
    urls.ContactData = below(L"contact.ini");
    return urls;
}
