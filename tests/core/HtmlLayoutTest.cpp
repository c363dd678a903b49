#include "online/HtmlLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Every letter as wide as its font size (10 by default, bold two more), so
// a width in the tests reads as a number of letters.
THtmlExtent Measure(const std::wstring& text, const THtmlStyle& style) {
    const int unit = style.Size ? style.Size : 10;
    const int letter = unit + (style.Bold ? 2 : 0);
    return {letter * static_cast<int>(text.size()), unit + unit / 5, unit - unit / 10};
}

// The lines joined with "|".
std::wstring Lines(const THtmlLayout& layout) {
    std::map<int, std::wstring> lines;
    int last = -1;
    for (const THtmlPiece& piece : layout.Pieces) {
        lines[piece.Line] += piece.Text;
        last = std::max(last, piece.Line);
    }
    std::wstring joined;
    for (int i = 0; i <= last; ++i)
        joined += (i ? L"|" : L"") + lines[i];
    return joined;
}

} // namespace

TEST(HtmlLayout, WrapsAtBlanksAndBreaks) {
    const struct {
        std::wstring html;
        int width;
        std::wstring lines;
    } cases[] = {
        {L"eins zwei drei", 90, L"eins zwei|drei"}, // exactly full
        {L"eins zwei drei", 89, L"eins|zwei|drei"},
        {L"eins zwei drei", 1000, L"eins zwei drei"},
        {L"a<br>b", 1000, L"a|b"},
        {L"a<br><br>b", 1000, L"a||b"},
        {L"abcdefghij", 35, L"abc|def|ghi|j"}, // too long for any line
        {L"ab abcdefghij", 35, L"ab|abc|def|ghi|j"},
        {L"abc", 0, L"a|b|c"},               // always advances
        {L"xx ab<b>cd</b>", 70, L"xx|abcd"}, // one word across runs
        {L"<b> Fehler </b> 404", 80, L"Fehler|404"},
        {L"<b> Fehler </b> 404", 1000, L"Fehler 404"},
        {L"ab \xD83D\xDE00\xD83D\xDE00", 25, L"ab|\xD83D\xDE00|\xD83D\xDE00"}, // pairs whole
        {L"", 100, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width);
        const THtmlText text = ParseHtmlText(c.html);
        const THtmlLayout layout = LayoutHtml(text, c.width, Measure);
        EXPECT_EQ(Lines(layout), c.lines) << c.html.c_str();
        for (const THtmlPiece& piece : layout.Pieces) {
            EXPECT_LE(piece.Bounds.Right, std::max(c.width, 20)) << piece.Text.c_str();
            EXPECT_TRUE(piece.Text.empty() || piece.Text[0] != L' ' || piece.Bounds.Left > 0)
                << "no line starts with a blank";
        }
    }
}

TEST(HtmlLayout, PiecesStandOnOneBaselineAndEmptyLinesKeepTheirHeight) {
    // 10 points: height 12, ascent 9; 20 points: height 24, ascent 18.
    const THtmlText text = ParseHtmlText(L"ab<font size=20>CD</font> e<br><br>f");
    const THtmlLayout layout = LayoutHtml(text, 1000, Measure);
    ASSERT_EQ(layout.Pieces.size(), 4u); // ab, CD, " e", f
    EXPECT_EQ(layout.Pieces[0].Bounds, (Rect{0, 9, 20, 21}));
    EXPECT_EQ(layout.Pieces[1].Bounds, (Rect{20, 0, 60, 24}));
    EXPECT_EQ(layout.Pieces[2].Bounds, (Rect{60, 9, 80, 21}));
    // First line 18 + 6 (the larger descent), then an empty line of 12.
    EXPECT_EQ(layout.Pieces[3].Bounds, (Rect{0, 36, 10, 48}));
    EXPECT_EQ(layout.Height, 48);
}

TEST(HtmlLayout, BlankBeforeABreakKeepsItsBackground) {
    THtmlText text;
    text.Runs = {{L"Fehler ", {true, 0, clWhite, clRed}, -1}, {L"\r\nText", {}, -1}};
    const THtmlLayout layout = LayoutHtml(text, 1000, Measure);
    ASSERT_EQ(layout.Pieces.size(), 2u);
    EXPECT_EQ(layout.Pieces[0].Text, L"Fehler ");
    EXPECT_EQ(layout.Pieces[0].Bounds.Right, 7 * 12);
}

TEST(HtmlLayout, LinkIsFoundWhereItStands) {
    const THtmlText text =
        ParseHtmlText(L"Seite <a href=\"https://h/u\">hier</a><br><a href=\"mailto:x@h\">mail</a> "
                      L"<a href=\"file:///c:/x\">datei</a>");
    const THtmlLayout layout = LayoutHtml(text, 1000, Measure);
    const struct {
        Point at;
        int link;
    } cases[] = {
        {{65, 5}, 0},  {{99, 11}, 0}, {{100, 5}, -1}, {{55, 5}, -1},
        {{5, 17}, 1},  {{5, 12}, 1},  {{5, 24}, -1},  {{55, 17}, -1}, // "file:" is plain text
        {{-1, 5}, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HtmlLinkAt(text, layout, c.at), c.link) << c.at.X << "," << c.at.Y;
    EXPECT_EQ(text.Links, (std::vector<std::wstring>{L"https://h/u", L"mailto:x@h"}));
}
