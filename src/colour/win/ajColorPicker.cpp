#include "colour/win/ajColorPicker.h"

#include <algorithm>

namespace {

constexpr wchar_t kPickerClass[] = L"DravikajColorPicker";

} // namespace

TajColorPicker::TajColorPicker() {
    m_satLumPanel.OnHSLChange = [this] { HSLChanged(ppSatLum); };
    m_huePanel.OnHSLChange = [this] { HSLChanged(ppHue); };
    m_rgbEditPanel.OnHSLChange = [this] { HSLChanged(ppRGBEdit); };
}

void TajColorPicker::Create(HWND parent, const Rect& designBounds, UINT dpi) {
    m_designBounds = designBounds;
    m_scaleDpi = dpi;
    RegisterClassOnce(kPickerClass, nullptr, nullptr, 0);
    CreateWnd(kPickerClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0, 0,
              0, 0, parent);
    // Real sizes come from Layout.
    m_satLumPanel.Create(Handle(), {}, SatLumId);
    m_huePanel.Create(Handle(), {}, HueId);
    m_rgbEditPanel.Create(Handle(), {}, EditRowId, dpi);
    m_rgbEditPanel.SetBackground(m_background);
    Layout();
}

void TajColorPicker::SetDpi(UINT dpi, const Rect& designBounds) {
    m_scaleDpi = dpi;
    m_designBounds = designBounds;
    Layout();
}

void TajColorPicker::Layout() {
    if (!Handle()) return;
    const int dpi = static_cast<int>(m_scaleDpi);
    const int width = std::max(m_designBounds.Width(), TPickerLayout::MinWidth);
    const int height =
        m_autoHeight ? TPickerLayout::AutoHeight(m_editVisible) : m_designBounds.Height();
    const Rect bounds =
        ScaleToDpi(Rect::FromSize(m_designBounds.Left, m_designBounds.Top, width, height), dpi);
    ::SetWindowPos(Handle(), nullptr, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    const int radius = ScaleToDpi(TPickerLayout::MarkerRadius, dpi);
    m_satLumPanel.SetBounds(ScaleToDpi(TPickerLayout::SatLum, dpi), radius);
    m_huePanel.SetBounds(ScaleToDpi(TPickerLayout::Hue, dpi), radius);
    m_rgbEditPanel.SetBounds(ScaleToDpi(TPickerLayout::EditRow, dpi), m_scaleDpi);
    m_rgbEditPanel.SetShown(m_editVisible);
}

TColor TajColorPicker::PickColor() const {
    return m_model.PickColor();
}

void TajColorPicker::SetPickColor(TColor value) {
    m_model.SetPickColor(value);
    m_satLumPanel.Refresh();
    m_huePanel.Refresh();
    m_rgbEditPanel.ShowValues();
}

void TajColorPicker::HSLChanged(TPickerPart sender) {
    const THSL hsl = sender == ppSatLum ? m_model.SatLum.HSL()
                     : sender == ppHue  ? m_model.Hue.HSL()
                                        : m_model.Edit.HSL();
    const TColor color = m_model.HSLChanged(sender, hsl);
    ShowParts(sender);
    if (OnColorChange) OnColorChange(*this, color);
}

void TajColorPicker::ShowParts(TPickerPart sender) {
    m_satLumPanel.Refresh();
    m_huePanel.Refresh();
    // The edits the user is typing in keep their text.
    if (sender != ppRGBEdit) m_rgbEditPanel.ShowValues();
}

bool TajColorPicker::EditVisible() const {
    return m_editVisible;
}

void TajColorPicker::SetEditVisible(bool value) {
    m_editVisible = value;
    Layout();
}

bool TajColorPicker::HexEdit() const {
    return m_model.Edit.HexEdit();
}

void TajColorPicker::SetHexEdit(bool value) {
    m_model.Edit.SetHexEdit(value);
    m_rgbEditPanel.ShowValues();
}

bool TajColorPicker::AutoHeight() const {
    return m_autoHeight;
}

void TajColorPicker::SetAutoHeight(bool value) {
    m_autoHeight = value;
    Layout();
}

void TajColorPicker::SetPickCursor(HCURSOR cursor) {
    m_satLumPanel.SetPickCursor(cursor);
    m_huePanel.SetPickCursor(cursor);
}

void TajColorPicker::SetBackground(TColor color) {
    m_background = color;
    m_rgbEditPanel.SetBackground(color);
    if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TajColorPicker::PaintContent(HDC dc, const Rect& area) {
    FillBackground(dc, area, m_background);
}

LRESULT TajColorPicker::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) return 1; // PaintContent fills
    return Default(msg, wParam, lParam);
}
