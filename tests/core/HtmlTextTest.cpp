#include "online/HtmlText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(HtmlText, PlainTextAsTheLabelGivesIt) {
    const struct {
        std::wstring html;
        std::wstring plain;
    } cases[] = {
        {L"Ihre Version ist <b>aktuell</b>.", L"Ihre Version ist aktuell."},
        {L"<p><font size=\"12\">Die <b>neue Version 2.3</b> ist verfügbar!</font></p><br>"
         L"Download auf der <a href=\"https://h/u\">Update-Seite</a>.<br>Was ist <a "
         L"href=\"https://h/c\">neu</a>?",
         L"Die neue Version 2.3 ist verfügbar!\r\n\r\nDownload auf der Update-Seite.\r\nWas ist "
         L"neu?"},
        {L"x<br><br><b><font size=\"11\">Weitere Neuigkeiten</font></b><br><ul><li><b>29.11.2026"
         L"</b><br>Neu<br><br><li><b>09.12.2026</b><br>Null</ul>",
         L"x\r\n\r\nWeitere Neuigkeiten\r\n\x2022 29.11.2026\r\nNeu\r\n\r\n\x2022 "
         L"09.12.2026\r\nNull"},
        {L"<FONT color=\"clWhite\" bgcolor=\"clRed\"><b> Fehler </b></font> 404\r\nhttps://h/x",
         L"Fehler 404\r\nhttps://h/x"},
        {L"  viele   Blanks \t\n hier  ", L"viele Blanks\r\nhier"},
        {L"a&amp;b &lt;c&gt; &auml;&#252;&#xDF;&#X20AC; &nbsp;x", L"a&b <c> äüß€ \xA0x"},
        {L"&#x110000;|&#0;|&#xD800;|&#99999999999999999999;|&#;|&#x;",
         L"\xFFFD|\xFFFD|\xFFFD|\xFFFD|&#;|&#x;"},
        {L"&unknown; & ; &amp &AMP; &verylongname;", L"&unknown; & ; &amp &AMP; &verylongname;"},
        {L"&lt;b&gt;kein Tag&lt;/b&gt;", L"<b>kein Tag</b>"},
        {L"<b>fett <font color=red>rot", L"fett rot"}, // left open
        {L"a <b", L"a <b"},
        {L"x < y > z", L"x < y > z"},
        {L"<a href=\"http://h\">kaputt", L"kaputt"},
        {L"<!-- Kommentar -->d<!-- offen", L"d"},
        {L"a<span title=\"x\">b</span>c</zz>", L"abc"}, // unknown tags keep their text
        {L"<ul><li>eins</li><li>zwei</li></ul>danach", L"\x2022 eins\r\n\x2022 zwei\r\ndanach"},
        {std::wstring(L"1\x01"
                      L"2\0"
                      L"3\x7F",
                      6),
         L"1 2 3"}, // controls would cut WM_GETTEXT
        {L"", L""},
    };
    for (const auto& c : cases) {
        const THtmlText text = ParseHtmlText(c.html);
        EXPECT_EQ(text.PlainText, c.plain) << c.html.c_str();
        std::wstring joined;
        for (const auto& run : text.Runs)
            joined += run.Text;
        EXPECT_EQ(joined, text.PlainText);
    }
}

TEST(HtmlText, RunsAndLinks) {
    const THtmlStyle plain;
    const THtmlStyle bold{true, 0, clNone, clNone};
    const struct {
        std::wstring html;
        std::vector<THtmlRun> runs;
        std::vector<std::wstring> links;
    } cases[] = {
        {L"<FONT color=\"clWhite\" bgcolor=\"clRed\"><b> Fehler </b></font> 404",
         {{L"Fehler ", {true, 0, clWhite, clRed}, -1}, {L"404", plain, -1}},
         {}},
        {L"<font size=\"99999999999\">a</font><font size=2>b</font><font size=\"x\">c</font>",
         {{L"a", {false, HtmlMaxFontSize, clNone, clNone}, -1},
          {L"b", {false, HtmlMinFontSize, clNone, clNone}, -1},
          {L"c", plain, -1}},
         {}},
        {L"<font color=\"#FF8000\">o</font><font color='navy'>n</font><font color=clNichts "
         L"bgcolor=#12345>x</font>",
         {{L"o", {false, 0, 0x0080FF, clNone}, -1},
          {L"n", {false, 0, 0x800000, clNone}, -1},
          {L"x", plain, -1}},
         {}},
        {L"<b>a<font size=20>b</b>c</font>d", // closing b closes what it holds
         {{L"a", bold, -1}, {L"b", {true, 20, clNone, clNone}, -1}, {L"cd", plain, -1}},
         {}},
        {L"<a href=\"https://h/?a=1&amp;b=2\">A</a> <a href=\"file:///c:/x\">B</a> <a "
         L"href=\"mailto:i@h\">C</a> <a href=\"javascript:x\">D</a> <A "
         L"HREF='HTTP://H'><b>E</b></A> "
         L"<a href=\"http://\">F</a><a>G</a>",
         {{L"A", plain, 0},
          {L" B ", plain, -1},
          {L"C", plain, 1},
          {L" D ", plain, -1},
          {L"E", bold, 2},
          {L" FG", plain, -1}},
         {L"https://h/?a=1&b=2", L"mailto:i@h", L"HTTP://H"}},
    };
    for (const auto& c : cases) {
        const THtmlText text = ParseHtmlText(c.html);
        EXPECT_EQ(text.Runs, c.runs) << c.html.c_str();
        EXPECT_EQ(text.Links, c.links) << c.html.c_str();
    }
}
