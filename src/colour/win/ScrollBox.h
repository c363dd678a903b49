#pragma once
// A grey box with scroll bars round one child larger than itself; the scroll
// bars track the thumb smoothly.
#include "util/win/Window.h"

class TScrollBox : public Window {
  public:
    void Create(HWND parent, int id, const Rect& bounds);
    void SetBounds(const Rect& bounds);
    // The child to scroll (placed at the origin) and its size.
    void SetContent(HWND child, Size size);

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    void UpdateBars();
    void Scroll(int bar, int code);
    void PlaceContent();

    HWND m_child = nullptr;
    Size m_content;
    Point m_offset;
};
