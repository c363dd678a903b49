#pragma once
// The HSV colour picker panel: a saturation/value square for the current hue,
// a hue bar below it and an optional row of red, green and blue edits. Every
// change the user makes is reported through OnColorChange.
#include "colour/HsvPickerModel.h"
#include "colour/win/ajColorPickerPanels.h"
#include "util/win/Window.h"

#include <windows.h>

#include <functional>

class TajColorPicker : public Window {
  public:
    TajColorPicker();

    // Creates the panel as a child of parent at the design bounds (96-DPI pixels), scaled by dpi.
    void Create(HWND parent, const Rect& designBounds, UINT dpi);
    void SetDpi(UINT dpi, const Rect& designBounds); // re-lay out after WM_DPICHANGED
    TColor PickColor() const;
    void SetPickColor(TColor value); // does NOT raise OnColorChange
    bool EditVisible() const;
    void SetEditVisible(bool value);
    bool HexEdit() const;
    void SetHexEdit(bool value);
    bool AutoHeight() const;
    void SetAutoHeight(bool value);
    void SetPickCursor(HCURSOR cursor);
    void SetBackground(TColor color); // the panel's own background (the colour window uses black)
    std::function<void(TajColorPicker& sender, TColor color)> OnColorChange;

    // Child ids of the parts.
    static constexpr int SatLumId = 1;
    static constexpr int HueId = 2;
    static constexpr int EditRowId = 3;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    void Layout();
    void HSLChanged(TPickerPart sender);
    void ShowParts(TPickerPart sender);

    // Declared first: the part windows refer to it until they are gone.
    THsvPickerModel m_model;
    TajGraphicPanel m_satLumPanel{m_model.SatLum};
    TajGraphicPanel m_huePanel{m_model.Hue};
    TajRGBEditPanel m_rgbEditPanel{m_model.Edit};
    Rect m_designBounds;
    UINT m_scaleDpi = 96;
    bool m_autoHeight = true;
    bool m_editVisible = true;
    TColor m_background = clBtnFace;
};
