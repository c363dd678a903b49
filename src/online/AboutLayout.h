#pragma once
// Where the About window's parts stand once their texts are known: the
// window grows with the address and telephone lines, and parts that have no
// text give their room to the next ones. All values at 96 DPI.
#include "util/Geometry.h"

struct TAboutMeasures {
    Size Logo;      // {0, 0}: no logo picture
    Size Copyright; // each text label as it measures (automatic size)
    Size Comment;
    Size Firma;
    Size Anschrift;
    Size TelFax;
    Size Homepage;
    Size EMail;
    bool HasCopyright = true;
    bool HasComment = false;
};

struct TAboutLayout {
    Rect Top; // the white panel with logo, icon, name and version
    Rect Logo;
    Rect Icon;
    Rect Hinten; // the panel of texts; the rectangles below lie inside it
    Rect Copyright, Comment, Line, Firma, Anschrift, TelFax;
    Rect Homepage, EMail; // in the window again
    Rect OK;
    Size Client;
};

TAboutLayout AboutLayout(const TAboutMeasures& m);

// The widths the texts may take so that the window's client area is no wider
// than maxClientWidth (all at 96 DPI); 0: as wide as the text measures. A text
// given a width wraps into it. The two links never wrap; address and
// telephone share the row beside them.
struct TAboutTextWidths {
    int Copyright = 0, Comment = 0, Firma = 0, Anschrift = 0, TelFax = 0;
};
TAboutTextWidths AboutTextWidths(const TAboutMeasures& natural, int maxClientWidth);

// The product name's font is made smaller, one point at a time, while the
// name is wider than this.
constexpr int ProductNameMaxWidth = 251;
