#pragma once
// The product's data and the names derived from it (registry keys, folders).
#include "util/Version.h"
#include <string>
#include <vector>

struct TProgramInfo {
    std::wstring ProductPrefix = L"Morvane";
    std::wstring ProductName = L"Dravik";
    std::wstring Version = DRAVIK_VERSION_WSTRING;
    std::wstring ProgramId = L"DVK";
    std::wstring VendorId = L"Morvane";
    // The rating page (a "%s" stands for the program id in lower case) and
    // the contact data; set from the server's addresses before use.
    std::wstring FeedbackURL;
    std::wstring ContactDataURL;

    // The About window's data.
    std::wstring CopyrightYear = L"2009-2026";
    std::wstring CopyrightBy = L"Morvane";
    std::wstring Firma = L"Morvane Software";
    std::wstring Firma2;
    std::vector<std::wstring> Adresse; // filled from the contact data
    std::vector<std::wstring> TelFax;  // likewise, unless given here
    std::vector<std::wstring> Comments;
    std::wstring Homepage = L"https://www.morvane.de";
    std::wstring EMail = L"info@morvane.de";
    std::wstring Caption; // replaces "Info über..." when set
    bool IsGerman = true; // the program's language: German, or English
    bool LoadContactOnlineDone = false;

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
