#pragma once
// The product's data and the names derived from it (registry keys, folders).
#include <string>

struct TProgramInfo {
    std::wstring ProductPrefix = L"Morvane";
    std::wstring ProductName = L"Dravik";
    std::wstring Version = L"2.2";
    std::wstring ProgramId = L"DVK";
    std::wstring VendorId = L"Morvane";
    // The rating page, one "%s" for the program id in lower case.
    std::wstring FeedbackURL = L"https://www.morvane.de/feedback.php?prog=%s";

    // "Morvane Dravik"
    std::wstring DisplayName() const { return ProductPrefix + L" " + ProductName; }
    // "Software\Morvane\Dravik"
    std::wstring RegistryKey() const { return L"Software\\" + VendorId + L"\\" + ProductName; }
    // The parent of the program's key, then "Common", then the program id:
    // "Software\Morvane\Common\DVK".
    std::wstring FamilyKey() const { return L"Software\\" + VendorId + L"\\Common\\" + ProgramId; }
    // Sub-folder of the settings below the user's special folders: "Morvane\Dravik".
    std::wstring SubDirDocSettings() const { return ProductPrefix + L"\\" + ProductName; }
};
