#pragma once
// The small HTML of the update dialog's message: b, p, br, ul, li, a href and
// font with size, color and bgcolor, plus character entities. The label draws
// the runs; its window text is the plain text, so what the user reads and what
// WM_GETTEXT gives agree.
//
// Text follows HTML's rules for blanks (a run of them is one, none at the start
// of a line); a line break in the source text breaks the line too, as the
// program's own messages put "\r\n" where they want one. Unknown tags are left
// out with their content kept; tags left open end with the text.
#include "util/Color.h"

#include <string>
#include <vector>

struct THtmlStyle {
    bool Bold = false;
    int Size = 0;            // points; 0: the label's own size
    TColor Color = clNone;   // clNone: the label's own colour
    TColor BgColor = clNone; // clNone: no background
    friend bool operator==(const THtmlStyle&, const THtmlStyle&) = default;
};

struct THtmlRun {
    std::wstring Text; // line breaks as "\r\n"
    THtmlStyle Style;
    int Link = -1; // index into THtmlText::Links, -1 for plain text
    friend bool operator==(const THtmlRun&, const THtmlRun&) = default;
};

struct THtmlText {
    std::vector<THtmlRun> Runs;
    std::vector<std::wstring> Links; // the addresses a click opens
    std::wstring PlainText;          // the runs' texts in order
};

// Font sizes are clamped to this range, so a message cannot ask for a font
// the label cannot lay out.
inline constexpr int HtmlMinFontSize = 6;
inline constexpr int HtmlMaxFontSize = 72;

THtmlText ParseHtmlText(const std::wstring& html);

// Plain text as HTML: "&", "<", ">" and the double quote as entities, so a
// version or an error text from outside can never add tags to a message.
std::wstring HtmlEscape(const std::wstring& text);

// Only web pages and mail addresses open on a click; "file:", "javascript:"
// and other schemes from a message stay plain text.
bool IsClickableUrl(const std::wstring& href);

// "clRed" and the other colour names of the settings, the same without "cl"
// ("red"), or "#RRGGBB"; clNone for anything else.
TColor HtmlColor(const std::wstring& text);
