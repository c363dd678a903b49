#pragma once
// An edit-like control showing a colour swatch, with a "..." side button;
// a click on either, Space or Enter on the side button, or Alt+Down opens
// the colour popup below (or above) it.
#include "settings/ColorPickerButtonRules.h"
#include "settings/win/ColorPopupWnd.h"
#include "util/Color.h"
#include "util/win/Window.h"

#include <functional>
#include <string>

class TColorPickerButton : public Window {
  public:
    using TNotifyEvent = std::function<void(TColorPickerButton& sender)>;
    // Words the hint of the popup's default entry (CellDefault), its
    // more-colours entry (CellCustom) or an empty place (CellNone); hint
    // comes in as the button's own Hint.
    using THintEvent =
        std::function<void(TColorPickerButton& sender, int cell, std::wstring& hint)>;

    // bounds in the parent's client pixels (a new button is 55 x 21 at 96 DPI).
    void Create(HWND parent, int id, const Rect& bounds);

    TColor SelectionColor() const { return m_selectionColor; }
    // Repaints; while open the popup selects the colour too.
    void SetSelectionColor(TColor color);
    void SelectDefaultColor() { SetSelectionColor(DefaultColor); }
    bool DroppedDown() const { return m_droppedDown; }
    // Opening runs the popup until it closes; closing cancels an open popup.
    void SetDroppedDown(bool value);

    TColor DefaultColor = clBlack;
    bool PopUpPicker = true; // false: a click raises OnClick instead
    bool ShowCombs = true;
    TCpbColorPal ColorPal = TCpbColorPal::cpOffice;
    int ButtonWidth = 23;       // at 96 DPI
    std::wstring ButtonCaption; // empty: "..."
    // Texts of the popup's entries (empty hides one) and its system colours.
    std::wstring DefaultText;
    std::wstring CustomText = L"Weitere Farben...";
    bool ShowSystemColors = false;

    TNotifyEvent OnChange;        // a selection was made (not on cancel)
    TNotifyEvent OnClick;         // PopUpPicker off, or the more-colours entry
    TNotifyEvent OnDefaultSelect; // the default entry was chosen
    THintEvent OnHint;
    std::wstring Hint;
    bool ShowHint = true; // the popup shows hints

    HWND BtnShowPal() const { return m_btnShowPal; }
    // The popup, for its window and layout.
    TColorPopupWnd& Popup() { return m_popup; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    static LRESULT CALLBACK SideButtonProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR self);
    TColorPickerButtonLayout FaceLayout() const;
    void PlaceSideButton();
    void RaiseClick();

    TColor m_selectionColor = clBlack;
    bool m_droppedDown = false;
    HWND m_btnShowPal = nullptr;
    TColorPopupWnd m_popup;
};
