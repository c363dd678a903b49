#pragma once
// A piece of text in the foreground colour on the background colour, in the
// sizes WCAG tells apart: normal text and large text (18 point).
#include "util/Color.h"
#include "util/win/Window.h"

class TContrastSample : public Window {
  public:
    // name is what screen readers read.
    void Create(HWND parent, int id, const std::wstring& name, const Rect& bounds);
    void SetBounds(const Rect& bounds);
    void SetColors(TColor foreground, TColor background);

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    TColor m_foreground = clBlack;
    TColor m_background = clWhite;
};
