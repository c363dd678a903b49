#include "online/AboutLayout.h"

#include <algorithm>

namespace {

constexpr Point LogoPlace{70, 16};
constexpr int IconLeft = 22;
constexpr int IconSize = 32;
constexpr int HintenLeft = 68;
constexpr Size OkButton{75, 25};

Rect At(int left, int top, Size size) {
    return {left, top, left + size.Width, top + size.Height};
}

} // namespace

TAboutTextWidths AboutTextWidths(const TAboutMeasures& m, int maxClientWidth) {
    constexpr int MinWidth = 60; // narrower wraps into too many lines
    const int room = std::max(MinWidth, maxClientWidth - HintenLeft - 32);
    const auto bounded = [room](int width) { return width > room ? room : 0; };
    TAboutTextWidths widths;
    widths.Copyright = bounded(m.Copyright.Width);
    widths.Comment = bounded(m.Comment.Width);
    widths.Firma = bounded(m.Firma.Width);
    // The row: the wider of address and home page, 24, the wider of
    // telephone and mail.
    const int share = room - 24;
    if (std::max(m.Anschrift.Width, m.Homepage.Width) + 24 +
            std::max(m.TelFax.Width, m.EMail.Width) <=
        room)
        return widths;
    // The narrower text keeps its width up to half the row; the other takes the rest.
    const int telFax = std::max(MinWidth, std::min(m.TelFax.Width, share / 2));
    const int anschrift =
        std::max(MinWidth, std::min(m.Anschrift.Width, share - std::max(telFax, m.EMail.Width)));
    const int telFaxRest =
        std::max(MinWidth, std::min(m.TelFax.Width, share - std::max(anschrift, m.Homepage.Width)));
    if (anschrift < m.Anschrift.Width) widths.Anschrift = anschrift;
    if (telFaxRest < m.TelFax.Width) widths.TelFax = telFaxRest;
    return widths;
}

TAboutLayout AboutLayout(const TAboutMeasures& m) {
    TAboutLayout l;
    const bool hasLogo = m.Logo.Width > 0 && m.Logo.Height > 0;
    l.Logo = hasLogo ? At(LogoPlace.X, LogoPlace.Y, m.Logo) : Rect{};
    const int iconTop = hasLogo ? l.Logo.Bottom + 12 : 16;
    l.Icon = At(IconLeft, iconTop, {IconSize, IconSize});
    const int topHeight = l.Icon.Bottom + 20;
    const int hintenTop = topHeight + 16;

    // Inside the text panel, from its top-left corner.
    l.Copyright = At(0, 0, m.Copyright);
    const int commentTop = m.HasCopyright ? l.Copyright.Bottom + 16 : l.Copyright.Top;
    l.Comment = At(0, commentTop, m.Comment);
    const int lineTop = (m.HasComment ? l.Comment.Bottom : l.Copyright.Bottom) + 9;
    l.Firma = At(0, lineTop + 2 + 9, m.Firma);
    l.Anschrift = At(0, l.Firma.Bottom + 5, m.Anschrift);
    const int w = std::max(m.Homepage.Width, m.Anschrift.Width);
    l.TelFax = At(l.Anschrift.Left + w + 24, l.Anschrift.Top, m.TelFax);
    const int hintenHeight = std::max(l.Anschrift.Bottom, l.TelFax.Bottom);

    l.Homepage = At(HintenLeft, hintenTop + hintenHeight, m.Homepage);
    l.EMail = At(HintenLeft + w + 24, l.Homepage.Top, m.EMail);
    const int okTop = std::max(l.Homepage.Bottom, l.EMail.Bottom) + 32;

    const int textsRight =
        HintenLeft + std::max({l.TelFax.Right, l.Copyright.Right, l.Comment.Right});
    const int v = std::max({l.EMail.Right, textsRight, l.Logo.Right});
    l.Hinten = {HintenLeft, hintenTop, v, hintenTop + hintenHeight};
    l.Line = {0, lineTop, v - HintenLeft, lineTop + 2};
    l.OK = At(v - OkButton.Width, okTop, OkButton);
    l.Client = {v + 32, l.OK.Bottom + 13};
    l.Top = {0, 0, l.Client.Width, topHeight};
    return l;
}
