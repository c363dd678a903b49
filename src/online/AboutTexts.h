#pragma once
// The texts of the About window that do not need a window: the vendor's
// address from the fetched "contact.ini", the e-mail link's command, and the
// program report for the clipboard.
#include "util/LocalText.h"
#include "util/WindowsVersion.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TContactLines {
    std::vector<std::wstring> Address; // the lines under the company name
    std::vector<std::wstring> TelFax;
    bool Done = false; // fetched: the next opening in this run does not fetch again
};

inline constexpr std::size_t MaxContactLineLength = 120;

inline constexpr LocalText ContactFallbackText{
    L"Unsere Anschrift finden Sie auf unserer Internetseite:",
    L"You can find our address on our website:"};

// After a successful fetch of "contact.ini" (lines "key=value", keys ignoring
// case): the address is Street, City and Country, an absent key an empty line;
// the telephone and fax lines come from Phone and Fax unless telFax already
// holds lines. isGerman says "Tel", any other language "Phone". A value longer
// than MaxContactLineLength is cut there and ends in "…": the server's file
// cannot make the window larger than the screen.
TContactLines ContactLinesFromFile(const std::vector<std::wstring>& lines,
                                   const std::vector<std::wstring>& telFax, bool isGerman);
// After a failed fetch: the one line that points to the home page; the next
// opening tries again.
TContactLines ContactLinesAfterFailure(const std::vector<std::wstring>& telFax);

// "mailto:" + address + "?subject=" + the product name, blanks as "%20".
std::wstring AboutMailCommand(const std::wstring& eMail, const std::wstring& productName);

inline constexpr LocalText ProgramReportQuestion{
    L"Kopiert Informationen über das Programm und System in die Zwischenablage. Über die Tasten "
    L"Strg+C oder das Menü \"Bearbeiten | Einfügen\" können diese Infos in andere Programme, wie "
    L"z.B. Ihr E-Mail Programm, kopiert werden.\r\n\r\nInfos jetzt kopieren?",
    L"Copies information about the program and the system to the clipboard. With Ctrl+V or "
    L"the menu \"Edit | Paste\" you can paste it into other programs, such as your e-mail "
    L"program.\r\n\r\nCopy the information now?"};

// The About window's caption unless the program gives its own.
inline constexpr LocalText AboutCaption{L"Info über...", L"About"};

// Four lines, each ending in CR LF: "App=", "Ver=", "Dir=" (the executable's
// full path) and "Win=" (the system's version name).
std::wstring ProgramReport(const std::wstring& displayName, const std::wstring& version,
                           const std::wstring& exePath, TWindowsVersion windows);
