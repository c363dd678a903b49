#pragma once
// The parts of the HSV picker as child windows: the saturation/value square
// and the hue bar (TajGraphicPanel), and the row of RGB edits
// (TajRGBEditPanel). Each draws from its part of the picker's model and says
// when the user changed it; the picker routes the change.
#include "colour/HsvPickerModel.h"
#include "util/win/Handles.h"
#include "util/win/Window.h"

#include <windows.h>

#include <array>
#include <functional>

// The pipette cursor of the graphic panels, loaded once (a cross where the
// program carries no such cursor, as in the test programs).
HCURSOR PickerCursor();

// Fills area with a colour (a system colour resolved), for the panels' backgrounds.
void FillBackground(HDC dc, const Rect& area, TColor color);

class TajGraphicPanel : public Window {
  public:
    explicit TajGraphicPanel(TGraphicPanelModel& model) : m_model(model) {}

    void Create(HWND parent, const Rect& bounds, int id);
    // Bounds in the parent; the picture is made at this real size.
    void SetBounds(const Rect& bounds, int markerRadius);
    // Invalidates what the model changed since the last call.
    void Refresh();
    void SetPickCursor(HCURSOR cursor) { m_cursor = cursor; }

    // The user picked: the model holds the new colour.
    std::function<void()> OnHSLChange;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    void Pick(LPARAM lParam);

    TGraphicPanelModel& m_model;
    // The gradient as a bitmap, remade when the model's picture is.
    UniqueHBitmap m_bitmap;
    int m_bitmapVersion = -1;
    HCURSOR m_cursor = PickerCursor();
    bool m_dragging = false;
};

class TajRGBEditPanel : public Window {
  public:
    explicit TajRGBEditPanel(TRGBEditModel& model) : m_model(model) {}

    void Create(HWND parent, const Rect& bounds, int id, UINT dpi);
    void SetBounds(const Rect& bounds, UINT dpi);
    void SetBackground(TColor color);
    // Shows or hides the row; a shown row takes the current values.
    void SetShown(bool value);
    // Writes the model's values in its format into the edits; that raises no
    // change. A hidden row waits until it is shown: a drag stays cheap.
    void ShowValues();
    HWND Edit(int index) const { return m_edits[static_cast<std::size_t>(index)]; }

    // The user changed an edit: the model holds the new colour.
    std::function<void()> OnHSLChange;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    static LRESULT CALLBACK EditProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR refData);
    void LayoutEdits(UINT dpi);
    void EditLeft(HWND edit);
    void EditChanged();

    TRGBEditModel& m_model;
    std::array<HWND, 3> m_edits{};
    std::array<UniqueHBrush, 3> m_brushes;
    TColor m_background = clBtnFace;
    bool m_ignoreChange = false;
    bool m_shown = true;
};
