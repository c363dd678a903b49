#pragma once
// The palette grid as a child window: it hands the model its size and mouse
// input, paints it double-buffered, and repaints only the two frames when just
// the selection moved.
#include "colour/ColorPal.h"
#include "util/win/OffscreenBitmap.h"
#include "util/win/Window.h"

#include <cstdint>
#include <functional>

class TColorPalControl : public Window {
  public:
    TColorPalControl();
    // bounds in the parent's client coordinates (device pixels); the cells'
    // 96-DPI sizes are scaled by dpi.
    void Create(HWND parent, int id, const std::wstring& name, const Rect& bounds, UINT dpi);
    void SetBounds(const Rect& bounds, UINT dpi);
    TColorPal& Pal() { return m_pal; }
    const TColorPal& Pal() const { return m_pal; }
    std::uint64_t Paints() const { return m_paints; }

    // The button went up: a click or a drag over the cells ended.
    std::function<void(TColorPalControl& sender)> OnMouseUp;
    // Shift was held when the button went down (the click's own key state,
    // not the keyboard's state when it is asked).
    bool ShiftClick() const { return m_shiftClick; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    void Invalidate(bool now);

    TColorPal m_pal;
    OffscreenBitmap m_buffer;
    // What the screen shows, to tell a moved selection from new cells.
    std::vector<TColor> m_shownCells;
    int m_shownActive = -2;
    std::uint64_t m_paints = 0;
    bool m_shiftClick = false;
};
