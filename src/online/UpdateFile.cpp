#include "online/UpdateFile.h"

#include "online/HtmlText.h"
#include "util/DatePattern.h"
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

std::wstring Link(const std::wstring& url, const std::wstring& caption) {
    return L"<a href=\"" + url + L"\">" + caption + L"</a>";
}

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
        verdict.Msg = L"Das Online-Update unterstützt dieses Programm zur Zeit noch nicht.";
    } else if (Ver2GreaterVer1(currentVersion, file.NewestVersion)) {
        verdict.OpenDialog = true;
        verdict.Msg = L"<p><font size=\"12\">Die <b>neue Version " +
                      HtmlEscape(file.NewestVersion) + L"</b> ist verfügbar!</font></p>";
        if (!urls.ProgDownload.empty())
            verdict.Msg += L"<br>Download der neuen Version und Hinweise auf der " +
                           Link(urls.ProgDownload, L"Update-Seite") + L".";
        if (!urls.ProgChanges.empty())
            verdict.Msg += L"<br>Was ist " + Link(urls.ProgChanges, L"neu") + L"?";
    } else {
        verdict.Msg = L"Ihre Version ist <b>aktuell</b>.";
        if (!urls.OtherProducts.empty())
            verdict.Msg += L"<br>Weitere nützliche Programme finden Sie " +
                           Link(urls.OtherProducts, L"hier") + L".";
    }

    const TDateTime oldest = std::floor(now) - kNewsDays;
    std::wstring news;
    for (const auto& item : file.News) {
        if (!(item.Date > oldest)) continue;
        if (item.Number > lastMsgID) verdict.OpenDialog = true;
        news += L"<li><b>" + DateToStr(item.Date) + L"</b><br>" + item.Html + L"<br><br>";
        verdict.NewLastMsgID = std::max(verdict.NewLastMsgID, item.Number);
    }
    if (!news.empty()) {
        news.resize(news.size() - 8); // the last item's "<br><br>"
        verdict.Msg += L"<br><br><b><font size=\"11\">Weitere Neuigkeiten</font></b><br><ul>" +
                       news + L"</ul>";
    }
    return verdict;
}

std::wstring FetchErrorMsg(const std::wstring& error, bool debug, const std::wstring& url,
                           const std::wstring& detail) {
    std::wstring msg =
        L"<FONT color=\"clWhite\" bgcolor=\"clRed\"><b> Fehler </b></font> " + HtmlEscape(error);
    if (debug) msg += L"\r\n" + HtmlEscape(url);
    if (debug && !detail.empty()) msg += L"\r\n" + HtmlEscape(detail);
    return msg;
}
