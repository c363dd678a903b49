#pragma once
// A picture to pick colours from (the spectrum, the two bars, a loaded
// picture): it keeps the pixels for reading, paints them with an optional
// inverted circle marker, and reports the mouse while a button is held.
#include "util/ImageOps.h"
#include "util/win/Handles.h"
#include "util/win/Window.h"

#include <functional>
#include <optional>

class TImagePanel : public Window {
  public:
    enum class TMouse { Down, Move, Up };
    using TMouseEvent = std::function<void(TImagePanel& sender, TMouse what, Point point)>;

    void Create(HWND parent, int id, const std::wstring& name, const Rect& bounds);
    void SetBounds(const Rect& bounds);
    // The panel shows the picture at its own size from the top-left corner.
    void SetImage(TRGBImage image);
    const TRGBImage& Image() const { return m_image; }
    bool HasImage() const { return m_image.Width > 0 && m_image.Height > 0; }
    // The marker's top-left corner; none hides it.
    void SetMarker(std::optional<Point> topLeft, int size);
    std::optional<Point> Marker() const { return m_marker; }
    void SetCursor(HCURSOR cursor) { m_cursor = cursor; }

    TMouseEvent OnMouse;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc, const Rect& area) override;

  private:
    void InvalidateMarker();

    TRGBImage m_image;
    UniqueHBitmap m_bitmap;
    std::optional<Point> m_marker;
    int m_markerSize = 5;
    HCURSOR m_cursor = nullptr;
    bool m_down = false;
};
