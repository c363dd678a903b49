#include "colour/CssNamedColors.h"

#include "colour/CssColorSpaces.h"
#include "util/StringUtils.h"

#include <array>

namespace {

constexpr TColor Hex(unsigned rrggbb) {
    return RGBColor(static_cast<int>(rrggbb >> 16), static_cast<int>((rrggbb >> 8) & 0xFF),
                    static_cast<int>(rrggbb & 0xFF));
}

constexpr std::array<TCssNamedColor, 148> Names{{
    {L"aliceblue", Hex(0xf0f8ff)},
    {L"antiquewhite", Hex(0xfaebd7)},
    {L"aqua", Hex(0x00ffff)},
    {L"aquamarine", Hex(0x7fffd4)},
    {L"azure", Hex(0xf0ffff)},
    {L"beige", Hex(0xf5f5dc)},
    {L"bisque", Hex(0xffe4c4)},
    {L"black", Hex(0x000000)},
    {L"blanchedalmond", Hex(0xffebcd)},
    {L"blue", Hex(0x0000ff)},
    {L"blueviolet", Hex(0x8a2be2)},
    {L"brown", Hex(0xa52a2a)},
    {L"burlywood", Hex(0xdeb887)},
    {L"cadetblue", Hex(0x5f9ea0)},
    {L"chartreuse", Hex(0x7fff00)},
    {L"chocolate", Hex(0xd2691e)},
    {L"coral", Hex(0xff7f50)},
    {L"cornflowerblue", Hex(0x6495ed)},
    {L"cornsilk", Hex(0xfff8dc)},
    {L"crimson", Hex(0xdc143c)},
    {L"cyan", Hex(0x00ffff)},
    {L"darkblue", Hex(0x00008b)},
    {L"darkcyan", Hex(0x008b8b)},
    {L"darkgoldenrod", Hex(0xb8860b)},
    {L"darkgray", Hex(0xa9a9a9)},
    {L"darkgreen", Hex(0x006400)},
    {L"darkgrey", Hex(0xa9a9a9)},
    {L"darkkhaki", Hex(0xbdb76b)},
    {L"darkmagenta", Hex(0x8b008b)},
    {L"darkolivegreen", Hex(0x556b2f)},
    {L"darkorange", Hex(0xff8c00)},
    {L"darkorchid", Hex(0x9932cc)},
    {L"darkred", Hex(0x8b0000)},
    {L"darksalmon", Hex(0xe9967a)},
    {L"darkseagreen", Hex(0x8fbc8f)},
    {L"darkslateblue", Hex(0x483d8b)},
    {L"darkslategray", Hex(0x2f4f4f)},
    {L"darkslategrey", Hex(0x2f4f4f)},
    {L"darkturquoise", Hex(0x00ced1)},
    {L"darkviolet", Hex(0x9400d3)},
    {L"deeppink", Hex(0xff1493)},
    {L"deepskyblue", Hex(0x00bfff)},
    {L"dimgray", Hex(0x696969)},
    {L"dimgrey", Hex(0x696969)},
    {L"dodgerblue", Hex(0x1e90ff)},
    {L"firebrick", Hex(0xb22222)},
    {L"floralwhite", Hex(0xfffaf0)},
    {L"forestgreen", Hex(0x228b22)},
    {L"fuchsia", Hex(0xff00ff)},
    {L"gainsboro", Hex(0xdcdcdc)},
    {L"ghostwhite", Hex(0xf8f8ff)},
    {L"gold", Hex(0xffd700)},
    {L"goldenrod", Hex(0xdaa520)},
    {L"gray", Hex(0x808080)},
    {L"green", Hex(0x008000)},
    {L"greenyellow", Hex(0xadff2f)},
    {L"grey", Hex(0x808080)},
    {L"honeydew", Hex(0xf0fff0)},
    {L"hotpink", Hex(0xff69b4)},
    {L"indianred", Hex(0xcd5c5c)},
    {L"indigo", Hex(0x4b0082)},
    {L"ivory", Hex(0xfffff0)},
    {L"khaki", Hex(0xf0e68c)},
    {L"lavender", Hex(0xe6e6fa)},
    {L"lavenderblush", Hex(0xfff0f5)},
    {L"lawngreen", Hex(0x7cfc00)},
    {L"lemonchiffon", Hex(0xfffacd)},
    {L"lightblue", Hex(0xadd8e6)},
    {L"lightcoral", Hex(0xf08080)},
    {L"lightcyan", Hex(0xe0ffff)},
    {L"lightgoldenrodyellow", Hex(0xfafad2)},
    {L"lightgray", Hex(0xd3d3d3)},
    {L"lightgreen", Hex(0x90ee90)},
    {L"lightgrey", Hex(0xd3d3d3)},
    {L"lightpink", Hex(0xffb6c1)},
    {L"lightsalmon", Hex(0xffa07a)},
    {L"lightseagreen", Hex(0x20b2aa)},
    {L"lightskyblue", Hex(0x87cefa)},
    {L"lightslategray", Hex(0x778899)},
    {L"lightslategrey", Hex(0x778899)},
    {L"lightsteelblue", Hex(0xb0c4de)},
    {L"lightyellow", Hex(0xffffe0)},
    {L"lime", Hex(0x00ff00)},
    {L"limegreen", Hex(0x32cd32)},
    {L"linen", Hex(0xfaf0e6)},
    {L"magenta", Hex(0xff00ff)},
    {L"maroon", Hex(0x800000)},
    {L"mediumaquamarine", Hex(0x66cdaa)},
    {L"mediumblue", Hex(0x0000cd)},
    {L"mediumorchid", Hex(0xba55d3)},
    {L"mediumpurple", Hex(0x9370db)},
    {L"mediumseagreen", Hex(0x3cb371)},
    {L"mediumslateblue", Hex(0x7b68ee)},
    {L"mediumspringgreen", Hex(0x00fa9a)},
    {L"mediumturquoise", Hex(0x48d1cc)},
    {L"mediumvioletred", Hex(0xc71585)},
    {L"midnightblue", Hex(0x191970)},
    {L"mintcream", Hex(0xf5fffa)},
    {L"mistyrose", Hex(0xffe4e1)},
    {L"moccasin", Hex(0xffe4b5)},
    {L"navajowhite", Hex(0xffdead)},
    {L"navy", Hex(0x000080)},
    {L"oldlace", Hex(0xfdf5e6)},
    {L"olive", Hex(0x808000)},
    {L"olivedrab", Hex(0x6b8e23)},
    {L"orange", Hex(0xffa500)},
    {L"orangered", Hex(0xff4500)},
    {L"orchid", Hex(0xda70d6)},
    {L"palegoldenrod", Hex(0xeee8aa)},
    {L"palegreen", Hex(0x98fb98)},
    {L"paleturquoise", Hex(0xafeeee)},
    {L"palevioletred", Hex(0xdb7093)},
    {L"papayawhip", Hex(0xffefd5)},
    {L"peachpuff", Hex(0xffdab9)},
    {L"peru", Hex(0xcd853f)},
    {L"pink", Hex(0xffc0cb)},
    {L"plum", Hex(0xdda0dd)},
    {L"powderblue", Hex(0xb0e0e6)},
    {L"purple", Hex(0x800080)},
    {L"rebeccapurple", Hex(0x663399)},
    {L"red", Hex(0xff0000)},
    {L"rosybrown", Hex(0xbc8f8f)},
    {L"royalblue", Hex(0x4169e1)},
    {L"saddlebrown", Hex(0x8b4513)},
    {L"salmon", Hex(0xfa8072)},
    {L"sandybrown", Hex(0xf4a460)},
    {L"seagreen", Hex(0x2e8b57)},
    {L"seashell", Hex(0xfff5ee)},
    {L"sienna", Hex(0xa0522d)},
    {L"silver", Hex(0xc0c0c0)},
    {L"skyblue", Hex(0x87ceeb)},
    {L"slateblue", Hex(0x6a5acd)},
    {L"slategray", Hex(0x708090)},
    {L"slategrey", Hex(0x708090)},
    {L"snow", Hex(0xfffafa)},
    {L"springgreen", Hex(0x00ff7f)},
    {L"steelblue", Hex(0x4682b4)},
    {L"tan", Hex(0xd2b48c)},
    {L"teal", Hex(0x008080)},
    {L"thistle", Hex(0xd8bfd8)},
    {L"tomato", Hex(0xff6347)},
    {L"turquoise", Hex(0x40e0d0)},
    {L"violet", Hex(0xee82ee)},
    {L"wheat", Hex(0xf5deb3)},
    {L"white", Hex(0xffffff)},
    {L"whitesmoke", Hex(0xf5f5f5)},
    {L"yellow", Hex(0xffff00)},
    {L"yellowgreen", Hex(0x9acd32)},
}};

// Each name's Oklab coordinates, worked out once.
const std::array<TTriple, Names.size()>& NamesInOklab() {
    static const auto table = [] {
        std::array<TTriple, Names.size()> oklab{};
        for (std::size_t i = 0; i < Names.size(); ++i)
            oklab[i] = OklabOf(Names[i].Color);
        return oklab;
    }();
    return table;
}

} // namespace

std::span<const TCssNamedColor> CssNamedColors() {
    return Names;
}

std::optional<TColor> CssColorByName(const std::wstring& name) {
    const std::wstring lower = LowerCaseText(name);
    for (const TCssNamedColor& named : Names)
        if (lower == named.Name) return named.Color;
    return std::nullopt;
}

TNearestCssName NearestCssName(TColor color) {
    const TColor rgb = GetRealColor(color) & 0xFFFFFF;
    for (const TCssNamedColor& named : Names)
        if (named.Color == rgb) return {named.Name, 0, true};
    const TTriple oklab = OklabOf(rgb);
    const auto& table = NamesInOklab();
    std::size_t best = 0;
    double bestDistance = DeltaEOK(oklab, table[0]);
    for (std::size_t i = 1; i < table.size(); ++i) {
        const double distance = DeltaEOK(oklab, table[i]);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return {Names[best].Name, bestDistance, false};
}
