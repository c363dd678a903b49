#pragma once
// A bevel: a box, a frame, a line along one edge, or an empty spacer. While
// visual themes are on, the line shapes are one flat line in a shade of the
// parent's colour, as themed dialogs separate their parts; otherwise every
// shape is an ordinary lowered or raised bevel.
#include "util/Color.h"
#include "util/SmallControlRules.h"
#include "util/win/Window.h"

class TMvBevel : public Window {
  public:
    // bounds in the parent's client coordinates.
    void Create(HWND parent, int id, const Rect& bounds, TBevelShape shape = bsBox,
                TBevelStyle style = bsLowered);

    TBevelShape Shape() const { return m_shape; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return m_style; }
    void SetStyle(TBevelStyle style);

    // Draws the bevel on the parent's background, with the system's theme state.
    void Paint(HDC dc);

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    TBevelShape m_shape = bsBox;
    TBevelStyle m_style = bsLowered;
};

// A bevel of the given size at the DC's origin on the background colour:
// themed, the line shapes are one line in MixColor(black 8 %, background).
void PaintBevel(HDC dc, Size size, TBevelShape shape, TBevelStyle style, bool themed,
                TColor background);
