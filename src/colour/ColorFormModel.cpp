#include "colour/ColorFormModel.h"

#include "storage/SettingsTable.h"

#include "util/ColorText.h"
#include "util/HSLUtils.h"
#include "util/Numbers.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

const std::array<TColorPageRow, ColorPageCount>& ColorPages() {
    static const std::array<TColorPageRow, ColorPageCount> pages{{
        {TColorPage::Spectrum, L"16,7 Mio", {L"16,7 Mio. Farben", L"16.7 million colors"}},
        {TColorPage::Pal256, L"256", {L"256 Farben", L"256 colors"}},
        {TColorPage::WinPal, L"WinPal", {L"Windows-Paletten", L"Windows palettes"}},
        {TColorPage::Web, L"Web", {L"216 Webfarben", L"216 web colors"}},
        {TColorPage::AddPal, L"AddPal", {L"Zusätzliche Paletten", L"More palettes"}},
        {TColorPage::Office, L"Office", LocalText::Neutral(L"Office")},
        {TColorPage::UserPal, L"UserPal", {L"Benutzer-Palette", L"User palette"}},
        {TColorPage::UserBild, L"UserBild", {L"Benutzer-Bild", L"User image"}},
        {TColorPage::Harmonic, L"Harmonic", {L"Harmonische Farbwahl", L"Harmonic colors"}},
    }};
    return pages;
}

TColor EditableColor(TColor value) {
    return value == clNone ? clBlack : GetRealColor(value) & 0x00FFFFFF;
}

namespace {

std::wstring HexDigits(unsigned value) {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring text(6, L'0');
    for (int i = 5; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = digits[value & 0xF];
    return text;
}

bool IsControlChar(wchar_t ch) {
    // Backspace and the clipboard and undo shortcuts the edit control handles itself.
    switch (ch) {
    case 1:  // Ctrl+A
    case 3:  // Ctrl+C
    case 8:  // Backspace
    case 22: // Ctrl+V
    case 24: // Ctrl+X
    case 26: // Ctrl+Z
        return true;
    default:
        return false;
    }
}

bool IsHexChar(wchar_t ch) {
    return IsHex(std::wstring(1, ch), false);
}

// Both hex fields: digits only, at most six of them, padded on the right.
std::optional<std::wstring> PaddedHex(std::wstring text, bool allowHash) {
    if (allowHash && !text.empty() && text.front() == L'#') text.erase(0, 1);
    if (text.empty()) text = L"0";
    if (text.size() > 6 || !IsHex(text, false)) return std::nullopt;
    return StrDefLenFuncL(text, 6, L'0');
}

} // namespace

TColorFieldTexts ColorFieldTexts(TColor value, const TColorEditGuards& guards) {
    const TColor color = EditableColor(value);
    TRGBTriple rgb;
    ColorToRGBTriple(color, rgb);
    TColorFieldTexts texts;
    texts.Red = rgb.rgbtRed;
    texts.Green = rgb.rgbtGreen;
    texts.Blue = rgb.rgbtBlue;
    if (!guards.ChangeByUserRGB) texts.RGB = ColorToShortHexRGB(color);
    if (!guards.ChangeByUserBGR) texts.BGR = HexDigits(static_cast<unsigned>(color));
    if (!guards.ChangeByUserDec) texts.Dec = std::to_wstring(ColorToInt(color));
    if (guards.AllowSetHSL) {
        double h = 0, s = 0, l = 0;
        RGBtoHSL(color, h, s, l);
        texts.HSL = std::array<int, 3>{static_cast<int>(RoundHalfEven(h * 100)),
                                       static_cast<int>(RoundHalfEven(s * 100)),
                                       static_cast<int>(RoundHalfEven(l * 100))};
    }
    if (guards.AllowSetCMYK) texts.CMYK = RGBtoCMYK(rgb);
    return texts;
}

const LocalText InvalidRGBText{
    L"Die angegebene Farbe ist ungültig. Bitte im Format RRGGBB angeben.\r\nR=Rot, G=Grün, "
    L"B=Blau. Werte hexadezimal von 0-9 und A-F.",
    L"The color is not valid. Please enter it as RRGGBB.\r\nR=red, G=green, B=blue, "
    L"hexadecimal values from 0-9 and A-F."};
const LocalText InvalidBGRText{
    L"Die angegebene Farbe ist ungültig. Bitte im Format BBGGRR angeben.\r\nR=Rot, G=Grün, "
    L"B=Blau. Werte hexadezimal von 0-9 und A-F.",
    L"The color is not valid. Please enter it as BBGGRR.\r\nR=red, G=green, B=blue, "
    L"hexadecimal values from 0-9 and A-F."};
const LocalText InvalidDecText{
    L"Die angegebene Farbe ist ungültig. Bitte als Zahl zwischen 0 und 16777215 angeben.",
    L"The color is not valid. Please enter a number from 0 to 16777215."};

TTypedColor ParseRGBField(const std::wstring& text) {
    const auto hex = PaddedHex(text, true);
    if (!hex) return {clBlack, InvalidRGBText()};
    return {ShortHexRGBToColor(*hex, clBlack), std::nullopt};
}

TTypedColor ParseBGRField(const std::wstring& text) {
    const auto hex = PaddedHex(text, false);
    if (!hex) return {clBlack, InvalidBGRText()};
    return {ShortHexBGRToColor(*hex, clBlack), std::nullopt};
}

TTypedColor ParseDecField(const std::wstring& text) {
    const std::int32_t value = StrToIntDef(text.empty() ? L"0" : text, -1);
    if (value < 0 || value > 0xFFFFFF) return {clBlack, InvalidDecText()};
    return {static_cast<TColor>(value), std::nullopt};
}

int ChannelFromText(const std::wstring& text) {
    return std::clamp(StrToIntDef(text, 0), 0, 255);
}

double PercentFromText(const std::wstring& text, double upper) {
    std::wstring probe = text;
    std::replace(probe.begin(), probe.end(), L',', L'.');
    const double value = StrToFloatDef(probe, L'\0', L'.', 0);
    return std::isnan(value) ? 0 : std::clamp(value, 0.0, upper);
}

TColor ColorFromHSLTexts(const std::wstring& h, const std::wstring& s, const std::wstring& l) {
    return HSLtoRGB(PercentFromText(h, HueUpper) / 100, PercentFromText(s, SatLumUpper) / 100,
                    PercentFromText(l, SatLumUpper) / 100);
}

TColor ColorFromCMYKTexts(const std::wstring& c, const std::wstring& m, const std::wstring& y,
                          const std::wstring& k) {
    const auto byte = [](const std::wstring& text) {
        return static_cast<std::uint8_t>(ChannelFromText(text));
    };
    TRGBTriple rgb;
    CMYKtoRGB(TCMYK{byte(c), byte(m), byte(y), byte(k)}, rgb);
    return RGBTripleToColor(rgb);
}

TKeyVerdict HexFieldKey(wchar_t ch, const std::wstring& textWithoutSelection) {
    if (IsControlChar(ch)) return TKeyVerdict::Pass;
    if (!IsHexChar(ch)) return TKeyVerdict::DropWithBeep;
    const auto digits = std::count_if(textWithoutSelection.begin(), textWithoutSelection.end(),
                                      [](wchar_t c) { return IsHexChar(c); });
    return digits < 6 ? TKeyVerdict::Pass : TKeyVerdict::DropWithBeep;
}

TKeyVerdict DecFieldKey(wchar_t ch) {
    return IsControlChar(ch) || (ch >= L'0' && ch <= L'9') ? TKeyVerdict::Pass : TKeyVerdict::Drop;
}

std::wstring CopyTextRGB(const std::wstring& fieldText, bool withNumSign) {
    std::wstring digits = fieldText;
    if (!digits.empty() && digits.front() == L'#') digits.erase(0, 1);
    return (withNumSign ? L"#" : L"") + StrDefLenFuncL(digits, 6, L'0');
}

std::wstring CopyTextBGR(const std::wstring& fieldText) {
    return StrDefLenFuncL(fieldText, 6, L'0');
}

std::wstring CopyTextDec(const std::wstring& fieldText) {
    return fieldText.empty() ? L"0" : fieldText;
}

void GradFill3Colors(TRGBImage& image, TColor top, TColor middle, TColor bottom) {
    const int half = image.Height / 2;
    const auto fillHalf = [&](TColor from, TColor to, int offset) {
        TRGBTriple a, b;
        ColorToRGBTriple(from, a);
        ColorToRGBTriple(to, b);
        const auto step = [](std::uint8_t x, std::uint8_t y, int i) {
            return static_cast<std::uint8_t>(x + MulDivRound(i, y - x, 255));
        };
        for (int i = 0; i < 256; ++i) {
            const TRGBTriple band{step(a.rgbtBlue, b.rgbtBlue, i),
                                  step(a.rgbtGreen, b.rgbtGreen, i), step(a.rgbtRed, b.rgbtRed, i)};
            const int first = MulDivRound(i, half, 256) + offset;
            const int last = std::min(MulDivRound(i + 1, half, 256) + offset, image.Height);
            for (int y = first; y < last; ++y)
                std::fill_n(image.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.Width,
                            image.Width, band);
        }
    };
    fillHalf(top, middle, 0);
    fillHalf(middle, bottom, half);
}

TBarColors SaturationBarColors(TColor current) {
    double h = 0, s = 0, l = 0;
    RGBtoHSL(current, h, s, l);
    return {HSLtoRGB(h, 1, l), current, HSLtoRGB(h, 0, l)};
}

TBarColors BrightnessBarColors(TColor current) {
    return {clWhite, current, clBlack};
}

Point CentredBarMarker(Size image, int markerSize) {
    return {(image.Width - markerSize) / 2, image.Height / 2 - markerSize / 2};
}

Point DraggedBarMarker(Size image, int y, int markerSize) {
    return {(image.Width - markerSize) / 2, BarPickPoint(image, y).Y - markerSize / 2};
}

Point BarPickPoint(Size image, int y) {
    return {image.Width / 2, std::clamp(y, 0, std::max(image.Height - 1, 0))};
}

Point ClampToImage(Point point, Size image) {
    return {std::clamp(point.X, 0, std::max(image.Width - 1, 0)),
            std::clamp(point.Y, 0, std::max(image.Height - 1, 0))};
}

TRGBImage SpectrumImage(int width, int height) {
    TRGBImage image(width, height);
    for (int y = 0; y < height; ++y) {
        const double lightness = height > 1 ? double(height - 1 - y) / (height - 1) : 0.5;
        for (int x = 0; x < width; ++x)
            ColorToRGBTriple(HSLtoRGB(double(x) / width, 1, lightness), image.At(x, y));
    }
    return image;
}

const wchar_t* const UserPaletteSection = L"ColorPalUser";

namespace {

using Row = SettingRow<TColorFormSettings>;
namespace Codec = settings_codec;
constexpr const wchar_t* P = L"ColorPal";

bool PageNumber(double v) {
    return v >= 0 && v < ColorPageCount;
}

#define FIELD(codec, member)                                                                       \
    [](TColorFormSettings& s) -> SettingField { return Codec::codec{&s.member}; }

// clang-format off
const Row Rows[] = {
    {.Section = P, .Key = L"ActivePal", .Field = FIELD(Int, ActivePal), .Default = 0, .Valid = PageNumber},
    {.Section = P, .Key = L"RGBwithNumSign", .Field = FIELD(Bool, RGBwithNumSign), .Default = 1},
    {.Section = P, .Key = L"ContrastBack", .Field = FIELD(Color, ContrastBack), .Default = clWhite},
    {.Section = P, .Key = L"CssHexUpper", .Field = FIELD(Bool, CssHexUpper), .Default = 0},
};
// clang-format on
#undef FIELD

} // namespace

TColorFormSettings LoadColorFormSettings(TCustomIniFile& ini) {
    TColorFormSettings settings;
    LoadSettingsTable<TColorFormSettings>(Rows, ini, settings);
    return settings;
}

void SaveColorFormSettings(TCustomIniFile& ini, const TColorFormSettings& settings) {
    SaveSettingsTable<TColorFormSettings>(Rows, ini, settings);
}
