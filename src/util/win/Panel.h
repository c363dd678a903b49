#pragma once
// A plain container window for groups of controls: paints its background and
// bevel, and hands its children's notifications on to its parent, so the form
// handles them all in one place however its controls are grouped.
#include "util/Color.h"
#include "util/win/Window.h"

class TPanel : public Window {
  public:
    enum class TBevel { None, Lowered, Framed };

    // bounds in the parent's client coordinates.
    void Create(HWND parent, int id, const Rect& bounds, TBevel bevel,
                TColor background = clBtnFace);
    void SetBackground(TColor color);
    // Width of the bevel in device pixels (children sit inside it).
    int BevelWidth() const;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    TBevel m_bevel = TBevel::None;
    TColor m_background = clBtnFace;
};
