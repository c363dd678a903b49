#include "colour/HsvPickerModel.h"

#include "util/Numbers.h"

#include <cwchar>
#include <utility>

int ScaleToDpi(int value, int dpi) {
    return MulDivRound(value, dpi, 96);
}

Rect ScaleToDpi(const Rect& design, int dpi) {
    return Rect::FromSize(ScaleToDpi(design.Left, dpi), ScaleToDpi(design.Top, dpi),
                          ScaleToDpi(design.Width(), dpi), ScaleToDpi(design.Height(), dpi));
}

// Graphic panels.

void TGraphicPanelModel::SetSize(Size size, int markerRadius) {
    if (size == m_size && markerRadius == m_radius) return;
    m_size = size;
    m_radius = markerRadius;
    UpdateGradient(true);
    MoveMarker(MarkerPoint(m_type, m_hsl, m_size));
    m_repaint.Whole = true;
}

void TGraphicPanelModel::SetHSL(const THSL& hsl) {
    m_hsl = hsl;
    UpdateGradient(false);
    MoveMarker(MarkerPoint(m_type, m_hsl, m_size));
}

bool TGraphicPanelModel::PickAt(Point p) {
    if (!UpdateHSL(m_type, p, m_size, m_hsl)) return false;
    MoveMarker(p);
    return true;
}

TRepaint TGraphicPanelModel::TakeRepaint() {
    if (m_repaint.Whole) m_repaint.Boxes.clear();
    return std::exchange(m_repaint, TRepaint{});
}

void TGraphicPanelModel::MoveMarker(Point p) {
    const bool shown = ClampPickPoint(m_type, p, m_size);
    if (shown == m_hasMarker && (!shown || p == m_marker)) return;
    if (m_hasMarker) m_repaint.Boxes.push_back(MarkerBox());
    m_hasMarker = shown;
    m_marker = shown ? p : Point{};
    if (shown) m_repaint.Boxes.push_back(MarkerBox());
}

void TGraphicPanelModel::UpdateGradient(bool force) {
    // 0 and 360, and hues beyond them, give the same picture: the key is the
    // hue the conversion would use, so a hue that only looks new costs nothing.
    const int hue = m_type == tHue ? 0 : Clamp(m_hsl.H, 0, 360) % 360;
    if (!force && hue == m_gradientHue) return;
    m_gradientHue = hue;
    m_gradient = CreateGradient(m_type, hue, m_size);
    ++m_gradientVersion;
    m_repaint.Whole = true;
}

// The edit row.

void TRGBEditModel::SetHSL(const THSL& hsl) {
    m_hsl = hsl;
    m_pickColor = RGBTripleToTColor(HSLToRGBTriple(hsl));
}

void TRGBEditModel::SetColor(TColor color) {
    const TRGBTriple rgb = TColorToRGBTriple(color);
    m_hsl = RGBTripleToHSL(rgb);
    m_pickColor = RGBTripleToTColor(rgb);
}

THSL TRGBEditModel::EditsChanged(const std::array<std::wstring, 3>& texts) {
    const TRGBTriple rgb =
        RGBToRGBTriple(ParseChannel(texts[0]), ParseChannel(texts[1]), ParseChannel(texts[2]));
    m_hsl = RGBTripleToHSL(rgb);
    m_pickColor = RGBTripleToTColor(rgb);
    return m_hsl;
}

std::array<std::wstring, 3> TRGBEditModel::Texts() const {
    return {FormatChannel(RedOf(m_pickColor)), FormatChannel(GreenOf(m_pickColor)),
            FormatChannel(BlueOf(m_pickColor))};
}

bool TRGBEditModel::FilterKey(wchar_t& key) const {
    if (key >= L'a' && key <= L'f') key = static_cast<wchar_t>(key - L'a' + L'A');
    if ((key >= L'0' && key <= L'9') || key == L'\b') return true;
    return m_hexEdit && key >= L'A' && key <= L'F';
}

int TRGBEditModel::ParseChannel(const std::wstring& text) const {
    if (text.empty()) return 0;
    return Clamp(m_hexEdit ? HexStringToInt(text) : StrToIntDef(text, 0), 0, 255);
}

std::wstring TRGBEditModel::FormatChannel(int value) const {
    wchar_t buffer[16] = {};
    std::swprintf(buffer, 16, m_hexEdit ? L"%X" : L"%d", value);
    return buffer;
}

// The picker.

void THsvPickerModel::SetPickColor(TColor value) {
    // The edits keep the colour itself: the way through the integer model and
    // back may be a step off, and the host should read back what it set.
    Edit.SetColor(value);
    Hue.SetHSL(Edit.HSL());
    SatLum.SetHSL(Edit.HSL());
}

TColor THsvPickerModel::HSLChanged(TPickerPart sender, const THSL& hsl) {
    switch (sender) {
    case ppRGBEdit:
        SatLum.SetHSL(hsl);
        Hue.SetHSL(hsl);
        break;
    case ppSatLum:
        Hue.SetHSL(hsl);
        Edit.SetHSL(hsl);
        break;
    case ppHue:
        SatLum.SetHSL(hsl);
        Edit.SetHSL(hsl);
        break;
    }
    return PickColor();
}
