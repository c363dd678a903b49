#pragma once
// The colour window's rules without its controls: every form of the current
// colour as the fields show it, what typed and pasted text means, the key
// filters, the copy texts, the bars' gradients and markers, the spectrum
// picture, the pages and the window's own settings.
#include "storage/CustomIniFile.h"
#include "util/Color.h"
#include "util/ColorMath.h"
#include "util/Geometry.h"
#include "util/ImageOps.h"
#include "util/LocalText.h"

#include <array>
#include <optional>
#include <string>

// The pages of the palette area, in the order of the list above it.
enum class TColorPage {
    Spectrum,
    Pal256,
    WinPal,
    Web,
    AddPal,
    Office,
    UserPal,
    UserBild,
    Harmonic
};
constexpr int ColorPageCount = 9;
struct TColorPageRow {
    TColorPage Page;
    const wchar_t* Name; // the page's own name
    LocalText ListEntry; // what the list shows
};
const std::array<TColorPageRow, ColorPageCount>& ColorPages();

// The colour the window works with: system colours resolved, and black for
// "no colour", which has no RGB form to show.
TColor EditableColor(TColor value);

// Which fields the user is typing in: those are not rewritten under the cursor.
struct TColorEditGuards {
    bool ChangeByUserRGB = false;
    bool ChangeByUserBGR = false;
    bool ChangeByUserDec = false;
    bool AllowSetHSL = true;
    bool AllowSetCMYK = true;
};

// What a colour update writes; an empty optional leaves that field alone.
struct TColorFieldTexts {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
    std::optional<std::wstring> RGB;       // RRGGBB
    std::optional<std::wstring> BGR;       // BBGGRR
    std::optional<std::wstring> Dec;       // B * 65536 + G * 256 + R
    std::optional<std::array<int, 3>> HSL; // each times 100, halves to even
    std::optional<TCMYK> CMYK;
};
TColorFieldTexts ColorFieldTexts(TColor value, const TColorEditGuards& guards);

// A typed colour text: the colour, or the message that rejects it.
struct TTypedColor {
    TColor Color = clBlack;
    std::optional<std::wstring> Error;
};
extern const LocalText InvalidRGBText;
extern const LocalText InvalidBGRText;
extern const LocalText InvalidDecText;
// Hex fields: empty counts as "0", a partial value is padded on the right with
// "0" (typing F gives F00000). The RGB field also takes the "#RRGGBB" its copy
// button writes.
TTypedColor ParseRGBField(const std::wstring& text);
TTypedColor ParseBGRField(const std::wstring& text);
TTypedColor ParseDecField(const std::wstring& text);

// R/G/B and C/M/Y/K: an integer (anything else 0) clamped to 0..255.
int ChannelFromText(const std::wstring& text);
// H/S/L: a number with "." or "," (anything else 0) clamped to 0..upper.
double PercentFromText(const std::wstring& text, double upper);
constexpr double HueUpper = 99;
constexpr double SatLumUpper = 100;
TColor ColorFromHSLTexts(const std::wstring& h, const std::wstring& s, const std::wstring& l);
TColor ColorFromCMYKTexts(const std::wstring& c, const std::wstring& m, const std::wstring& y,
                          const std::wstring& k);

// Typed characters. Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z always pass.
enum class TKeyVerdict { Pass, Drop, DropWithBeep };
// Hex fields take hex digits and Backspace; a digit beyond six (counted in the
// text as it would be without the selection) is refused too.
TKeyVerdict HexFieldKey(wchar_t ch, const std::wstring& textWithoutSelection);
TKeyVerdict DecFieldKey(wchar_t ch);

// What the copy buttons put on the clipboard.
std::wstring CopyTextRGB(const std::wstring& fieldText, bool withNumSign);
std::wstring CopyTextBGR(const std::wstring& fieldText);
std::wstring CopyTextDec(const std::wstring& fieldText);

// The two bars: a three-colour gradient in 256 bands per half.
void GradFill3Colors(TRGBImage& image, TColor top, TColor middle, TColor bottom);
struct TBarColors {
    TColor Top;
    TColor Middle;
    TColor Bottom;
};
TBarColors SaturationBarColors(TColor current); // fully saturated - current - grey
TBarColors BrightnessBarColors(TColor current); // white - current - black
// The marker's size at 96 DPI.
constexpr int BarMarkerSize = 5;
// The marker's top-left corner: centred after a colour change, on the pointer's
// row while dragging; the pick point of a drag at row y.
Point CentredBarMarker(Size image, int markerSize = BarMarkerSize);
Point DraggedBarMarker(Size image, int y, int markerSize = BarMarkerSize);
Point BarPickPoint(Size image, int y);
// The spectrum and the user picture pick inside the picture only.
Point ClampToImage(Point point, Size image);

// The spectrum: hue along x over the whole circle, white at the top, the pure
// hues in the middle rows, black at the bottom.
TRGBImage SpectrumImage(int width = 256, int height = 256);

// The window's own keys in [ColorPal]; the user palette is [ColorPalUser].
struct TColorFormSettings {
    int ActivePal = 0;
    bool RGBwithNumSign = true;
    TColor ContrastBack = clWhite; // "Hintergrund" of the contrast
    bool CssHexUpper = false;      // the CSS hex notation in upper case
};
extern const wchar_t* const UserPaletteSection;
// A page number outside the list selects the first page.
TColorFormSettings LoadColorFormSettings(TCustomIniFile& ini);
void SaveColorFormSettings(TCustomIniFile& ini, const TColorFormSettings& settings);
