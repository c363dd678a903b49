#include "online/AboutTexts.h"

#include "util/StringUtils.h"

namespace {

// The value of the first line "key=value" with this key, cut to the longest
// line shown.
std::wstring ValueOf(const std::vector<std::wstring>& lines, const std::wstring& key) {
    for (const auto& line : lines) {
        std::wstring name, value;
        SplitKeyValue(line, name, value, L"=");
        if (line.find(L'=') == std::wstring::npos || !SameTextIgnoreCase(name, key)) continue;
        if (value.size() > MaxContactLineLength)
            value = value.substr(0, MaxContactLineLength - 1) + L"\u2026";
        return value;
    }
    return L"";
}

} // namespace

TContactLines ContactLinesFromFile(const std::vector<std::wstring>& lines,
                                   const std::vector<std::wstring>& telFax, bool isGerman) {
    TContactLines contact;
    contact.Address = {ValueOf(lines, L"Street"), ValueOf(lines, L"City"),
                       ValueOf(lines, L"Country")};
    contact.TelFax = telFax;
    if (contact.TelFax.empty())
        contact.TelFax =
            SplitLines(std::wstring(isGerman ? L"Tel" : L"Phone") + L": " +
                       ValueOf(lines, L"Phone") + L"\r\nFax: " + ValueOf(lines, L"Fax"));
    contact.Done = true;
    return contact;
}

TContactLines ContactLinesAfterFailure(const std::vector<std::wstring>& telFax) {
    return {{ContactFallbackText()}, telFax, false};
}

std::wstring AboutMailCommand(const std::wstring& eMail, const std::wstring& productName) {
    return L"mailto:" + eMail + L"?subject=" + MyReplace(productName, L" ", L"%20", false, 0);
}

std::wstring ProgramReport(const std::wstring& displayName, const std::wstring& version,
                           const std::wstring& exePath, TWindowsVersion windows) {
    return L"App=" + displayName + L"\r\nVer=" + version + L"\r\nDir=" + exePath + L"\r\nWin=" +
           WindowsVersionToStr(windows) + L"\r\n";
}
