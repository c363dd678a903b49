#pragma once
// A lowered square showing one colour; clickable ones show the hand cursor.
#include "util/Color.h"
#include "util/win/Window.h"

#include <functional>

class TColorSwatch : public Window {
  public:
    // name is what screen readers read (the label beside it).
    void Create(HWND parent, int id, const std::wstring& name, const Rect& bounds);
    void SetBounds(const Rect& bounds);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);

    std::function<void(TColorSwatch& sender)> OnClick; // none: not clickable

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    TColor m_color = clBlack;
};
