#include "online/AboutLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TAboutMeasures Typical() {
    TAboutMeasures m;
    m.Copyright = {180, 13};
    m.Firma = {60, 13};
    m.Anschrift = {150, 39}; // three lines
    m.TelFax = {110, 26};
    m.Homepage = {120, 13};
    m.EMail = {130, 13}; // the widest: it decides the right edge
    return m;
}

} // namespace

TEST(AboutLayoutTest, PartsFollowEachOtherAndTheWindowGrowsWithTheTexts) {
    const TAboutLayout l = AboutLayout(Typical());
    // No logo: the icon row starts 16 pixels down, the texts 16 below the top panel.
    EXPECT_EQ(l.Icon.Top, 16);
    EXPECT_EQ(l.Top.Height(), 16 + 32 + 20);
    EXPECT_EQ(l.Hinten.Top, l.Top.Height() + 16);
    // No comment: the line sits 9 below the copyright, the company 9 below it.
    EXPECT_EQ(l.Line.Top, 13 + 9);
    EXPECT_EQ(l.Firma.Top, l.Line.Bottom + 9);
    EXPECT_EQ(l.Anschrift.Top, l.Firma.Bottom + 5);
    // Telephone beside the wider of address and home page; mail beside it too.
    EXPECT_EQ(l.TelFax.Left, 150 + 24);
    EXPECT_EQ(l.TelFax.Top, l.Anschrift.Top);
    EXPECT_EQ(l.EMail.Left - l.Homepage.Left, 150 + 24);
    EXPECT_EQ(l.Homepage.Top, l.Hinten.Bottom);
    EXPECT_EQ(l.OK.Top, l.Homepage.Bottom + 32);
    EXPECT_EQ(l.Client.Height, l.OK.Bottom + 13);
    // The right edge: the mail link, 32 pixels of margin, the button under it.
    EXPECT_EQ(l.Client.Width, l.EMail.Right + 32);
    EXPECT_EQ(l.OK.Right, l.EMail.Right);
    EXPECT_EQ(l.Line.Width(), l.Hinten.Width());

    // A logo moves the icon under it; a comment stands between copyright and line.
    TAboutMeasures withLogo = Typical();
    withLogo.Logo = {300, 40};
    withLogo.HasComment = true;
    withLogo.Comment = {200, 26};
    const TAboutLayout logo = AboutLayout(withLogo);
    EXPECT_EQ(logo.Icon.Top, 16 + 40 + 12);
    EXPECT_EQ(logo.Comment.Top, 13 + 16);
    EXPECT_EQ(logo.Line.Top, logo.Comment.Bottom + 9);
    EXPECT_GE(logo.Client.Width, 70 + 300);

    // No copyright: the comment takes its place.
    TAboutMeasures noCopyright = withLogo;
    noCopyright.HasCopyright = false;
    EXPECT_EQ(AboutLayout(noCopyright).Comment.Top, 0);

    // Telephone lines longer than the address stay inside the panel, above the links.
    TAboutMeasures tall = Typical();
    tall.Anschrift = {150, 13}; // the one fallback line
    const TAboutLayout t = AboutLayout(tall);
    EXPECT_GE(t.Hinten.Height(), t.TelFax.Bottom);
    EXPECT_GE(t.Homepage.Top - t.Hinten.Top, t.TelFax.Bottom);
}

// The server's contact lines can be of any length: wrapped into the widths
// given, the texts keep the window within the width of the screen's work
// area; texts that fit keep their own widths.
TEST(AboutLayoutTest, TextsWiderThanTheScreenWrapSoTheWindowFitsIt) {
    const int maxWidth = 500;
    const struct {
        const char* Name;
        int Anschrift, TelFax, Copyright;
        bool Wraps;
    } rows[] = {
        {"typical texts fit", 150, 110, 180, false},
        {"a very long street", 60000, 110, 180, true},
        {"a very long telephone line", 150, 60000, 180, true},
        {"both", 60000, 60000, 180, true},
        {"a long copyright", 150, 110, 5000, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TAboutMeasures m = Typical();
        m.Anschrift.Width = row.Anschrift;
        m.TelFax.Width = row.TelFax;
        m.Copyright.Width = row.Copyright;
        const TAboutTextWidths widths = AboutTextWidths(m, maxWidth);
        const bool wraps = widths.Anschrift || widths.TelFax || widths.Copyright;
        EXPECT_EQ(wraps, row.Wraps);
        // Wrapped: as wide as the width given (taller, which the layout does not limit).
        const auto wrapped = [](Size& text, int width) {
            if (width) text.Width = std::min(text.Width, width);
        };
        wrapped(m.Anschrift, widths.Anschrift);
        wrapped(m.TelFax, widths.TelFax);
        wrapped(m.Copyright, widths.Copyright);
        const TAboutLayout l = AboutLayout(m);
        EXPECT_LE(l.Client.Width, maxWidth);
        if (!row.Wraps) {
            EXPECT_EQ(l.Client.Width, AboutLayout(Typical()).Client.Width);
        }
    }
}
