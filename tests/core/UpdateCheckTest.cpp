#include "online/UpdateCheck.h"
#include "online/UpdateDlgTexts.h"
#include "storage/MvMemIni.h"
#include "util/Numbers.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace {

using Values = std::map<std::wstring, std::wstring>;

enum class Start { Auto, Menu, Button }; // showing the ruler, the menu item, the dialog's button

Values StoreValues(TMvMemIniFile& store) {
    TStrings lines;
    store.ReadSectionValues(UpdateCheckSection, lines);
    Values values;
    for (const auto& line : lines)
        values[line.substr(0, line.find(L'='))] = line.substr(line.find(L'=') + 1);
    return values;
}

TFetchResult Served(const std::string& text) {
    return {true, TBytes(text.begin(), text.end()), L""};
}
TFetchResult Failed(const std::wstring& error, const std::wstring& detail = L"") {
    return {false, {}, error, detail};
}

const std::wstring ErrorHead = L"<FONT color=\"clWhite\" bgcolor=\"clRed\"><b> Fehler </b></font> ";

} // namespace

// One row a situation: what the store holds, how the check starts, what the
// server answers (none: it must not be asked), and what the user picks when
// the update dialog opens; then the verdict, a part of the message ("": it is
// empty) and every value written (a value not named keeps what was stored).
TEST(UpdateCheck, VerdictMessageAndBookkeeping) {
    const TFormatSettings savedFormats = FormatSettings();
    SetLocalFormat(L',', L'.');
    const std::wstring now = L"2026-12-09 15:30:00";
    const std::wstring today = L"2026-12-09";
    const Values begun = {{L"FirstCheck", L"2026-09-01"}}; // 99 days ago
    const auto with = [](Values values, const Values& more) {
        for (const auto& [key, value] : more)
            values[key] = value;
        return values;
    };
    const Values dueIn4Weeks = with(begun, {{L"LastCheck", L"2026-11-10 15:00:00"}});
    const Values closed = {{L"Interval", L"aai4Weeks"}, {L"LastMsgID", L"0"}};
    const Values checked = {{L"LastCheck", now}};
    const Values checkedAndClosed = with(closed, checked);
    const Values wishDue = {{L"FirstCheck", L"2026-08-18"}, {L"LastCheck", L"2026-12-01 09:00:00"}};
    const struct {
        const char* name;
        Values stored;
        Start start;
        std::optional<TFetchResult> served;
        std::optional<TAutoUpdateInterval> picked;
        bool debug;
        TShowDlg verdict;
        std::wstring msg;
        Values writes;
    } rows[] = {
        // clang-format off
        {"first automatic run: the dialog offline", {}, Start::Auto, {}, {}, false, sdUpdate, L"",
         with(closed, {{L"FirstCheck", today}, {L"LastCheck", now}})},
        {"28 days after 15:00 is not yet due",
         with(begun, {{L"LastCheck", L"2026-11-11 15:00:00"}}), Start::Auto, {}, {}, false, sdNone,
         L"", {}},
        {"a day later it is, and a newer version opens the dialog", dueIn4Weeks, Start::Auto,
         Served("DVK=2.3|2.0\r\n"), {}, false, sdUpdate, L"neue Version 2.3</b> ist verfügbar!",
         checkedAndClosed},
        {"the current version shows nothing", dueIn4Weeks, Start::Auto, Served("DVK=2.2|2.0"), {},
         false, sdNone, L"Ihre Version ist <b>aktuell</b>.", checked},
        {"a failed fetch opens the dialog with the error alone", dueIn4Weeks, Start::Auto,
         Failed(L"Keine Verbindung"), {}, false, sdUpdate, ErrorHead + L"Keine Verbindung",
         checkedAndClosed},
        {"with debug the error names the address and the library's detail", dueIn4Weeks,
         Start::Auto, Failed(L"404", L"HTTP/1.1 404"), {}, true, sdUpdate,
         ErrorHead + L"404\r\nhttps://www.morvane.de/updates.txt\r\nHTTP/1.1 404",
         checkedAndClosed},
        {"news above the last shown opens the dialog; the largest number is kept",
         with(begun, {{L"LastCheck", L"2026-10-01 08:00:00"}, {L"Interval", L"AAI8WEEKS"},
                      {L"LastMsgID", L"4"}}),
         Start::Auto, Served("DVK=2.2\nMSG\n5=2026-11-29|Neu\n3=2026-11-30|Alt"), {}, false,
         sdUpdate, L"<li><b>29.11.2026</b><br>Neu<br><br><li><b>30.11.2026</b><br>Alt</ul>",
         {{L"LastCheck", now}, {L"Interval", L"aai8Weeks"}, {L"LastMsgID", L"5"}}},
        {"a disabled check never runs by itself", {{L"Interval", L"aaiDisabled"}}, Start::Auto,
         {}, {}, false, sdNone, L"", {{L"FirstCheck", today}}},
        {"the menu opens the dialog; closing it keeps a disabled check",
         {{L"Interval", L"aaiDisabled"}, {L"LastMsgID", L"7"}}, Start::Menu, {}, {}, false,
         sdUpdate, L"", {}},
        {"an entry the user picks is stored", {{L"Interval", L"aaiDisabled"}}, Start::Menu, {},
         aai1Year, false, sdUpdate, L"", {{L"Interval", L"aai1Year"}, {L"LastMsgID", L"0"}}},
        {"the dialog's button goes online whatever the interval",
         with(begun, {{L"LastCheck", L"2026-12-08 10:00:00"}, {L"Interval", L"aaiDisabled"}}),
         Start::Button, Served("XYZ=1.0"), {}, false, sdNone,
         L"Das Online-Update unterstützt dieses Programm zur Zeit noch nicht.", checked},
        {"113 days after the first check the feedback dialog",
         with(wishDue, {{L"Interval", L"x"}}), Start::Auto, {}, {}, false, sdWish, L"",
         {{L"WishShown", L"1"}}},
        {"but only once", with(wishDue, {{L"WishShown", L"1"}}), Start::Auto, {}, {}, false,
         sdNone, L"", {}},
        {"112 days are not enough", with(wishDue, {{L"FirstCheck", L"2026-08-19"}}), Start::Auto,
         {}, {}, false, sdNone, L"", {}},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TMvMemIniFile store(L"", TIniTextEncoding::Utf16LE);
        for (const auto& [key, value] : row.stored)
            store.WriteString(UpdateCheckSection, key, value);
        TUpdateCheckContext context{L"DVK", L"2.2", OnlineUrls(L"DVK", std::nullopt),
                                    EncodeDate(2026, 12, 9) + EncodeTime(15, 30, 0, 0), row.debug};
        // The program runs the automatic check in the background exactly
        // when it goes online.
        if (row.start == Start::Auto) {
            EXPECT_EQ(AutomaticCheckGoesOnline(store, context.Now), row.served.has_value());
        }
        int fetches = 0;
        const TFetchVersionFile fetch = [&](const std::wstring& url) {
            ++fetches;
            EXPECT_EQ(url, L"https://www.morvane.de/updates.txt");
            return row.served.value_or(Failed(L"not to be asked"));
        };
        const TUpdateCheckResult result =
            row.start == Start::Button
                ? CheckForUpdates(store, context, true, fetch)
                : ExecuteVerdict(store, context, row.start == Start::Menu, fetch);
        if (result.Verdict == sdUpdate) FinishUpdateDialog(store, row.picked, result.NewLastMsgID);

        EXPECT_EQ(fetches, row.served ? 1 : 0);
        EXPECT_EQ(result.Verdict, row.verdict);
        if (row.msg.empty())
            EXPECT_EQ(result.Msg, L"");
        else
            EXPECT_NE(result.Msg.find(row.msg), std::wstring::npos) << result.Msg.c_str();
        EXPECT_EQ(result.Msg.find(L"unterstützt") != std::wstring::npos,
                  row.msg.find(L"unterstützt") != std::wstring::npos);
        EXPECT_EQ(StoreValues(store), with(row.stored, row.writes));
    }
    FormatSettings() = savedFormats;
}

TEST(UpdateCheck, IntervalNames) {
    for (const auto value : {aaiDisabled, aai4Weeks, aai8Weeks, aai1Year})
        EXPECT_EQ(StrToAutoUpdateInterval(AutoUpdateIntervalToStr(value), aai8Weeks), value);
    EXPECT_EQ(StrToAutoUpdateInterval(L"AAI1YEAR", aaiDisabled), aai1Year);
    EXPECT_EQ(StrToAutoUpdateInterval(L"aai2Weeks", aai8Weeks), aai8Weeks);
}

// The dialog's list shows each stored interval as its own entry (a check
// switched off is not shown as another interval the user did not pick).
TEST(UpdateCheck, EveryIntervalHasItsOwnEntry) {
    for (const auto value : {aaiDisabled, aai4Weeks, aai8Weeks, aai1Year})
        EXPECT_EQ(UpdateDlgIntervals[UpdateDlgIntervalIndex(value)].Value, value)
            << AutoUpdateIntervalToStr(value).c_str();
}

TEST(UpdateCheck, DialogTexts) {
    EXPECT_EQ(UpdateDlgDescription(L"Morvane Dravik", L"2.2"),
              L"Dieser Assistent prüft mit einer Internet-Anfrage, ob es eine neue Version von "
              L"Morvane Dravik gibt. Sie verwenden Version 2.2");
    EXPECT_EQ(UpdateDlgShownMsg(L""), L"Bitte klicken Sie auf \"Neue Version suchen\".");
    EXPECT_EQ(UpdateDlgShownMsg(L"x"), L"x");
}
