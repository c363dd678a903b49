#include "online/UpdateFile.h"
#include "../common/UiLanguageScope.h"
#include "util/Numbers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class UpdateFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = FormatSettings();
        SetLocalFormat(L',', L'.');
    }
    void TearDown() override { FormatSettings() = saved_; }
    TFormatSettings saved_;
};

std::vector<std::wstring> Decode(const std::string& bytes) {
    return DecodeFetchedText(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

const std::wstring Current = L"Ihre Version ist <b>aktuell</b>.";
const std::wstring Unsupported =
    L"Das Online-Update unterstützt dieses Programm zur Zeit noch nicht.";
std::wstring NewVersion(const std::wstring& version) {
    return L"<p><font size=\"12\">Die <b>neue Version " + version +
           L"</b> ist verfügbar!</font></p><br>Download der neuen Version und Hinweise auf der "
           L"<a href=\"https://www.morvane.de/update.php?prog=dvk\">Update-Seite</a>.<br>Was ist "
           L"<a href=\"https://www.morvane.de/dvkchg.htm\">neu</a>?";
}
const std::wstring NewsHead =
    L"<br><br><b><font size=\"11\">Weitere Neuigkeiten</font></b><br><ul>";

} // namespace

TEST(FetchedText, DecodesUtf8OrWindows1252AndEveryLineEnd) {
    const struct {
        std::string bytes;
        std::vector<std::wstring> lines;
    } cases[] = {
        {"\xEF\xBB\xBF"
         "DVK=2.3|2.0\r\nMSG\r\n",
         {L"DVK=2.3|2.0", L"MSG"}},
        {"a\nb\rc\r\n\r\nd", {L"a", L"b", L"c", L"", L"d"}},
        {"Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC", {L"Grüß €"}}, // UTF-8 without mark
        {"Gr\xFC\xDF \x80", {L"Grüß €"}},                 // not UTF-8: Windows-1252
        {"\xEF\xBB\xBF"
         "\xFC",
         {L"\xFFFD"}}, // marked UTF-8 stays UTF-8
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decode(c.bytes), c.lines) << c.bytes;
}

TEST_F(UpdateFileTest, VerdictOfTheLines) {
    const TDateTime now = EncodeDate(2026, 12, 9) + EncodeTime(15, 30, 0, 0);
    const TOnlineUrls urls = OnlineUrls(L"DVK", std::nullopt);
    const std::wstring news10Days = L"5=2026-11-29|<i>Neu</i>";
    const struct {
        std::vector<std::wstring> lines;
        int lastMsgID;
        bool open;
        std::wstring msg;
        int newLastMsgID;
    } cases[] = {
        {{L"DVK=2.3|2.0"}, 0, true, NewVersion(L"2.3"), 0},
        {{L"DVK=2.2|2.0"}, 0, false, Current, 0},
        {{L"dvk 999999999999.1|x"}, 0, true, NewVersion(L"999999999999.1"), 0},
        {{L"DVK=2.x"}, 0, false, Current, 0},
        // A version from the server is text, never markup.
        {{L"DVK=9<b onclick=x>&"}, 0, true, NewVersion(L"9&lt;b onclick=x&gt;&amp;"), 0},
        {{L"DVK"}, 0, false, Current, 0},                               // no version at all
        {{L"DVK=2.3", L"DVK=2.1"}, 0, true, NewVersion(L"2.3"), 0},     // the first line counts
        {{L"XYZ=9.9|1", L"MSG", L"DVK=9.9"}, 0, false, Unsupported, 0}, // news, not a program
        {{}, 0, false, Unsupported, 0},
        // News: 10 days old and above the last shown opens the dialog; 180 days
        // old and a bad date are left out; a bad number counts as 0.
        {{L"DVK=2.2", L"Msg!", news10Days, L"7=2026-06-12|Alt", L"8=2026-13-01|Kaputt",
          L"x=2026-12-09|Null"},
         4,
         true,
         Current + NewsHead +
             L"<li><b>29.11.2026</b><br><i>Neu</i><br><br><li><b>09.12.2026</b><br>Null</ul>",
         5},
        {{L"DVK=2.2", L"MSG", news10Days},
         5,
         false,
         Current + NewsHead + L"<li><b>29.11.2026</b><br><i>Neu</i></ul>",
         5},
        {{L"DVK=2.2", L"MSG", L"3=2026-06-13|179 Tage"},
         9,
         false,
         Current + NewsHead + L"<li><b>13.06.2026</b><br>179 Tage</ul>",
         9},
        {{L"MSG", news10Days},
         0,
         true,
         Unsupported + NewsHead + L"<li><b>29.11.2026</b><br><i>Neu</i></ul>",
         5},
    };
    for (const auto& c : cases) {
        const auto v =
            UpdateFileVerdict(ParseUpdateFile(c.lines, L"DVK"), L"2.2", urls, now, c.lastMsgID);
        const std::wstring first = c.lines.empty() ? L"" : c.lines.front();
        EXPECT_EQ(v.OpenDialog, c.open) << first;
        EXPECT_EQ(v.Msg, c.msg) << first;
        EXPECT_EQ(v.NewLastMsgID, c.newLastMsgID) << first;
    }
}

// In English the same verdicts read as whole English sentences, the links
// inside them, and a news item's date with the month's name.
TEST_F(UpdateFileTest, VerdictInEnglish) {
    const UiLanguageScope english(Language::English);
    const TDateTime now = EncodeDate(2026, 12, 9);
    const TOnlineUrls urls = OnlineUrls(L"DVK", std::nullopt);
    const auto msg = [&](std::vector<std::wstring> lines) {
        return UpdateFileVerdict(ParseUpdateFile(lines, L"DVK"), L"2.2", urls, now, 0).Msg;
    };
    EXPECT_EQ(msg({L"DVK=2.3|2.0", L"MSG", L"5=2026-11-29|<i>New</i>"}),
              L"<p><font size=\"12\"><b>Version 2.3</b> is available!</font></p><br>Download "
              L"the new version and read about it on the <a "
              L"href=\"https://www.morvane.de/update.php?prog=dvk\">update page</a>.<br>See <a "
              L"href=\"https://www.morvane.de/dvkchg.htm\">what is new</a>.<br><br><b><font "
              L"size=\"11\">More news</font></b><br><ul><li><b>November 29, 2026</b><br><i>New</i>"
              L"</ul>");
    EXPECT_EQ(msg({L"DVK=2.2"}), L"Your version is <b>up to date</b>.");
    EXPECT_EQ(msg({}), L"The online update does not support this program yet.");
}
