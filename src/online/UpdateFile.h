#pragma once
// The version and news file "updates.txt": its bytes as lines, the lines as
// the program's newest version and news items, and what they say to the user.
//
// Program lines come first: characters 1-3 a program id, character 4 any
// separator, then the newest version up to the first "|". A line starting with
// "MSG" (any case) ends them; each later line is a news item
// "number=YYYY-MM-DD|HTML".
#include "online/FetchedText.h"
#include "online/OnlineUrls.h"
#include "util/DateTime.h"
#include "util/LocalText.h"

#include <cstdint>
#include <string>
#include <vector>

// The verdict of a check.
enum TShowDlg : std::uint8_t {
    sdNone = 0,   // show nothing
    sdUpdate = 1, // open the update dialog
    sdWish = 2,   // open the feedback dialog
};

struct TUpdateNews {
    int Number = 0;     // an unreadable number counts as 0
    TDateTime Date = 0; // an unreadable date gives 0, which is too old to show
    std::wstring Html;
};

struct TUpdateFile {
    bool HasProgramLine = false; // a program line with this program's id
    std::wstring NewestVersion;  // of the first such line
    std::vector<TUpdateNews> News;
};

// The id compares ignoring case.
TUpdateFile ParseUpdateFile(const std::vector<std::wstring>& lines, const std::wstring& programId);

struct TUpdateFileVerdict {
    bool OpenDialog = false; // a newer version, or news above the last one shown
    std::wstring Msg;        // the HTML text of the update dialog, news included
    int NewLastMsgID = 0;    // the largest news number shown, at least lastMsgID
};

// News older than 180 days before today is left out; lastMsgID is the highest
// number already shown. The links come from urls; empty ones are left out.
TUpdateFileVerdict UpdateFileVerdict(const TUpdateFile& file, const std::wstring& currentVersion,
                                     const TOnlineUrls& urls, TDateTime now, int lastMsgID);

// The dialog's text after a failed fetch: only the error (with debug on, also
// the address that failed and the HTTP library's detail, when there is one).
std::wstring FetchErrorMsg(const std::wstring& error, bool debug, const std::wstring& url,
                           const std::wstring& detail = {});

// Raised as the fetch's error when there is no address to fetch.
inline constexpr LocalText NoVersionFileUrlText{
    L"Versionsdatei-URL nicht angegeben. Wenden Sie sich an den Hersteller.",
    L"No address of the version file is set. Please contact the vendor."};
