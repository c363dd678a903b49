#include "online/UpdateFile.h"

#include "online/HtmlText.h"
#include "util/DatePattern.h"
#include "util/DateTime.h"
#include "util/LocalText.h"
#include "util/Numbers.h"
#include "util/StringUtils.h"
#include "util/VersionCompare.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kNewsDays = 180;

bool IsProgramLine(const std::wstring& line, const std::wstring& programId) {
    return line.size() >= 3 && SameTextIgnoreCase(line.substr(0, 3), programId);
}

TUpdateNews ParseNews(const std::wstring& line) {
    std::wstring number, rest, date, html;
    SplitKeyValue(line, number, rest, L"=");
    SplitKeyValue(rest, date, html, L"|");
    return {StrToIntDef(number, 0), StrToDateFormat(L"YYYY-MM-DD", date, 0.0), html};
}

std::wstring Link(const std::wstring& url, const LocalText& caption) {
    return L"<a href=\"" + url + L"\">" + caption() + L"</a>";
}

// A news item's date as the reader writes dates: German "10.12.2026",
// English "December 10, 2026" (a day and month in digits would read
// differently in the US and in Britain).
std::wstring NewsDate(TDateTime date) {
    if (UiLanguage() != Language::English) return DateToStr(date);
    static constexpr const wchar_t* months[] = {
        L"January", L"February", L"March",     L"April",   L"May",      L"June",
        L"July",    L"August",   L"September", L"October", L"November", L"December"};
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return std::wstring(months[month - 1]) + L" " + std::to_wstring(day) + L", " +
           std::to_wstring(year);
}

constexpr LocalText kNotSupported{
    L"Das Online-Update unterstützt dieses Programm zur Zeit noch nicht.",
    L"The online update does not support this program yet."};
constexpr LocalText kNewVersion{
    L"<p><font size=\"12\">Die <b>neue Version %1</b> ist verfügbar!</font></p>",
    L"<p><font size=\"12\"><b>Version %1</b> is available!</font></p>"};
constexpr LocalText kDownloadAt{L"<br>Download der neuen Version und Hinweise auf der %1.",
                                L"<br>Download the new version and read about it on the %1."};
constexpr LocalText kUpdatePage{L"Update-Seite", L"update page"};
constexpr LocalText kWhatIsNew{L"<br>Was ist %1?", L"<br>See %1."};
constexpr LocalText kNew{L"neu", L"what is new"};
constexpr LocalText kUpToDate{L"Ihre Version ist <b>aktuell</b>.",
                              L"Your version is <b>up to date</b>."};
constexpr LocalText kOtherProducts{L"<br>Weitere nützliche Programme finden Sie %1.",
                                   L"<br>You can find more useful programs %1."};
constexpr LocalText kHere{L"hier", L"here"};
constexpr LocalText kMoreNews{L"Weitere Neuigkeiten", L"More news"};
constexpr LocalText kError{L"Fehler", L"Error"};

} // namespace

TUpdateFile ParseUpdateFile(const std::vector<std::wstring>& lines, const std::wstring& programId) {
    TUpdateFile file;
    bool inNews = false;
    for (const auto& line : lines) {
        if (inNews) {
            file.News.push_back(ParseNews(line));
        } else if (line.size() >= 3 && SameTextIgnoreCase(line.substr(0, 3), L"MSG")) {
            inNews = true;
        } else if (!file.HasProgramLine && IsProgramLine(line, programId)) {
            file.HasProgramLine = true;
            const std::wstring version = line.size() > 4 ? line.substr(4) : std::wstring();
            file.NewestVersion = version.substr(0, version.find(L'|'));
        }
    }
    return file;
}

TUpdateFileVerdict UpdateFileVerdict(const TUpdateFile& file, const std::wstring& currentVersion,
                                     const TOnlineUrls& urls, TDateTime now, int lastMsgID) {
    TUpdateFileVerdict verdict;
    verdict.NewLastMsgID = lastMsgID;
    if (!file.HasProgramLine) {
        verdict.Msg = kNotSupported();
    } else if (Ver2GreaterVer1(currentVersion, file.NewestVersion)) {
        verdict.OpenDialog = true;
        verdict.Msg = FormatText(kNewVersion, {HtmlEscape(file.NewestVersion)});
        if (!urls.ProgDownload.empty())
            verdict.Msg += FormatText(kDownloadAt, {Link(urls.ProgDownload, kUpdatePage)});
        if (!urls.ProgChanges.empty())
            verdict.Msg += FormatText(kWhatIsNew, {Link(urls.ProgChanges, kNew)});
    } else {
        verdict.Msg = kUpToDate();
        if (!urls.OtherProducts.empty())
            verdict.Msg += FormatText(kOtherProducts, {Link(urls.OtherProducts, kHere)});
    }

    const TDateTime oldest = std::floor(now) - kNewsDays;
    std::wstring news;
    for (const auto& item : file.News) {
        if (!(item.Date > oldest)) continue;
        if (item.Number > lastMsgID) verdict.OpenDialog = true;
        news += L"<li><b>" + NewsDate(item.Date) + L"</b><br>" + item.Html + L"<br><br>";
        verdict.NewLastMsgID = std::max(verdict.NewLastMsgID, item.Number);
    }
    if (!news.empty()) {
        news.resize(news.size() - 8); // the last item's "<br><br>"
        verdict.Msg += L"<br><br><b><font size=\"11\">" + std::wstring(kMoreNews()) +
                       L"</font></b><br><ul>" + news + L"</ul>";
    }
    return verdict;
}

std::wstring FetchErrorMsg(const std::wstring& error, bool debug, const std::wstring& url,
                           const std::wstring& detail) {
    std::wstring msg = L"<FONT color=\"clWhite\" bgcolor=\"clRed\"><b> " + std::wstring(kError()) +
                       L" </b></font> " + HtmlEscape(error);
    if (debug) msg += L"\r\n" + HtmlEscape(url);
    if (debug && !detail.empty()) msg += L"\r\n" + HtmlEscape(detail);
    return msg;
}
