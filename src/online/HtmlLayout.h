#pragma once
// Word-wrapped lines of the update message's runs in a given width. The text
// breaks at blanks and at "\r\n"; a word wider than the whole width breaks
// between its letters. A word that runs across runs ("<b>Neu</b>e") stays in
// one piece. Blanks where a line wraps are not shown, so no line starts with
// one; the pieces of a line stand on one baseline.
//
// The label measures with its fonts; tests hand in a measure of their own.
#include "online/HtmlText.h"
#include "util/Geometry.h"

#include <functional>
#include <string>
#include <vector>

struct THtmlExtent {
    int Width = 0;
    int Height = 0; // of a line in the style's font
    int Ascent = 0; // from the top of the line to the baseline
};

// The extent of a text in a run's style; an empty text gives the font's
// line height with width 0.
using THtmlMeasure = std::function<THtmlExtent(const std::wstring& text, const THtmlStyle& style)>;

// The text of one run on one line.
struct THtmlPiece {
    int Run = 0; // index into THtmlText::Runs
    int Line = 0;
    std::wstring Text;
    Rect Bounds; // the text's box, with the layout's top-left corner at (0, 0)
};

struct THtmlLayout {
    std::vector<THtmlPiece> Pieces;
    int Height = 0; // of all lines
};

THtmlLayout LayoutHtml(const THtmlText& text, int width, const THtmlMeasure& measure);

// The link index (into THtmlText::Links) painted at a point of the layout,
// -1 where there is none.
int HtmlLinkAt(const THtmlText& text, const THtmlLayout& layout, Point at);
