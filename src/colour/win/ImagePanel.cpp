#include "colour/win/ImagePanel.h"

#include "util/win/Bitmaps.h"

#include <windowsx.h>

void TImagePanel::Create(HWND parent, int id, const std::wstring& name, const Rect& bounds) {
    RegisterClassOnce(L"TImagePanel", nullptr, nullptr, 0);
    CreateChild(L"TImagePanel", name, 0, 0, bounds, parent, id);
}

void TImagePanel::SetBounds(const Rect& bounds) {
    PlaceAt(bounds);
}

void TImagePanel::SetImage(TRGBImage image) {
    // A picture of the same size is written into the bitmap that is there.
    const bool sameSize =
        m_bitmap && image.Width == m_image.Width && image.Height == m_image.Height;
    m_image = std::move(image);
    if (!sameSize || !ImageToBitmap(m_image, m_bitmap.Get()))
        m_bitmap = HasImage() ? CreateBitmapFromImage(m_image) : UniqueHBitmap();
    if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TImagePanel::InvalidateMarker() {
    if (!Handle() || !m_marker) return;
    const RECT box{m_marker->X, m_marker->Y, m_marker->X + m_markerSize,
                   m_marker->Y + m_markerSize};
    ::InvalidateRect(Handle(), &box, FALSE);
}

void TImagePanel::SetMarker(std::optional<Point> topLeft, int size) {
    if (topLeft == m_marker && size == m_markerSize) return;
    InvalidateMarker();
    m_marker = topLeft;
    m_markerSize = size;
    InvalidateMarker();
}

LRESULT TImagePanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const Point point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        if (m_cursor && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(m_cursor);
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        ::SetCapture(Handle());
        m_down = true;
        if (OnMouse) OnMouse(*this, TMouse::Down, point);
        return 0;
    case WM_MOUSEMOVE:
        if (m_down && OnMouse) OnMouse(*this, TMouse::Move, point);
        return 0;
    case WM_LBUTTONUP:
        if (::GetCapture() == Handle()) ::ReleaseCapture();
        if (m_down && OnMouse) OnMouse(*this, TMouse::Up, point);
        m_down = false;
        return 0;
    case WM_CAPTURECHANGED:
        if (m_down && OnMouse) OnMouse(*this, TMouse::Up, point);
        m_down = false;
        return 0;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

void TImagePanel::PaintContent(HDC dc, const Rect& area) {
    const RECT fill{area.Left, area.Top, area.Right, area.Bottom};
    ::FillRect(dc, &fill, ::GetSysColorBrush(COLOR_BTNFACE));
    if (m_bitmap) {
        const UniqueHdc memory(::CreateCompatibleDC(dc));
        const SelectGuard select(memory.Get(), m_bitmap.Get());
        ::BitBlt(dc, 0, 0, m_image.Width, m_image.Height, memory.Get(), 0, 0, SRCCOPY);
    }
    if (m_marker) {
        // Inverted, so it shows on every colour.
        const int oldRop = ::SetROP2(dc, R2_NOT);
        const SelectGuard pen(dc, ::GetStockObject(BLACK_PEN));
        const SelectGuard brush(dc, ::GetStockObject(NULL_BRUSH));
        ::Ellipse(dc, m_marker->X, m_marker->Y, m_marker->X + m_markerSize,
                  m_marker->Y + m_markerSize);
        ::SetROP2(dc, oldRop);
    }
}
