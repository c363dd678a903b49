#pragma once
// The update check's bookkeeping and verdict: when the automatic check is due,
// what it opens, and what the update dialog writes back on closing. The clock,
// the store and the download are handed in, so the whole decision runs without
// a network or a registry.
//
// The store is the program family's key "...\Common\DVK\UpdateCheck", opened by
// the shell as a TCustomIniFile (the registry store in the program, a memory
// store in tests); the values sit directly in that key, the empty section.
#include "online/OnlineUrls.h"
#include "online/UpdateFile.h"
#include "storage/CustomIniFile.h"
#include "storage/TextCodec.h"
#include "util/DateTime.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

enum TAutoUpdateInterval : std::uint8_t {
    aaiDisabled = 0, // no automatic check
    aai4Weeks = 1,
    aai8Weeks = 2,
    aai1Year = 3,
};

// The stored names: "aaiDisabled", "aai4Weeks", ...
std::wstring AutoUpdateIntervalToStr(TAutoUpdateInterval value);
// Ignoring case; a text that names none of the four gives defaultValue.
TAutoUpdateInterval StrToAutoUpdateInterval(const std::wstring& text,
                                            TAutoUpdateInterval defaultValue);
// 28, 56 or 365; 0 for aaiDisabled.
int AutoUpdateIntervalDays(TAutoUpdateInterval value);

inline constexpr const wchar_t* UpdateCheckSection = L"";
inline constexpr const wchar_t* UpdateCheckKey = L"UpdateCheck"; // below the family key

// "Interval"; missing or unknown reads as aai4Weeks.
TAutoUpdateInterval ReadAutoUpdateInterval(TCustomIniFile& store);

// One GET of the version file.
struct TFetchResult {
    bool Ok = false;
    TBytes Body;
    std::wstring Error;  // the German text of the failure
    std::wstring Detail; // the HTTP library's own words, for the "debug" switch
};
// May also raise; the check treats that as a failed fetch.
using TFetchVersionFile = std::function<TFetchResult(const std::wstring& url)>;

struct TUpdateCheckContext {
    std::wstring ProgramId; // "DVK"
    std::wstring Version;   // "2.2"
    TOnlineUrls Urls;
    TDateTime Now = 0;
    bool Debug = false; // the "debug" switch: errors name the address and the detail
};

struct TUpdateCheckResult {
    TShowDlg Verdict = sdNone;
    std::wstring Msg;     // HTML for the update dialog
    int NewLastMsgID = 0; // for the dialog, written back when it closes
};

// The check itself. checkAlways (the dialog's button) goes online whatever the
// interval; otherwise only when due. A failed fetch opens the dialog with the
// error. Not due, more than 112 days after the first check, the feedback
// dialog is asked for once in the program's life.
TUpdateCheckResult CheckForUpdates(TCustomIniFile& store, const TUpdateCheckContext& context,
                                   bool checkAlways, const TFetchVersionFile& fetch);

// Whether the automatic check (CheckForUpdates without checkAlways) would
// ask the server now; otherwise its verdict comes from the store alone.
bool AutomaticCheckGoesOnline(TCustomIniFile& store, TDateTime now);
// What showing the ruler (showAlways false) or the menu command (true) opens:
// the menu opens the dialog at once with an empty message.
TUpdateCheckResult ExecuteVerdict(TCustomIniFile& store, const TUpdateCheckContext& context,
                                  bool showAlways, const TFetchVersionFile& fetch);

// After the dialog closed: picked is the entry the user chose, none when the
// list was left as it was shown. Without a choice the stored interval stays,
// so a disabled check is not switched on by merely looking at the dialog.
void FinishUpdateDialog(TCustomIniFile& store, std::optional<TAutoUpdateInterval> picked,
                        int newLastMsgID);
