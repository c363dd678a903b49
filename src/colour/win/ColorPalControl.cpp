#include "colour/win/ColorPalControl.h"

#include "util/win/GdiCanvas.h"

#include <windowsx.h>

namespace {
int Scaled(int value, UINT dpi) {
    return ::MulDiv(value, static_cast<int>(dpi), 96);
}
} // namespace

TColorPalControl::TColorPalControl() {
    m_pal.OnRepaint = [this](bool now) { Invalidate(now); };
}

void TColorPalControl::Create(HWND parent, int id, const std::wstring& name, const Rect& bounds,
                              UINT dpi) {
    RegisterClassOnce(L"TColorPal", nullptr, nullptr, 0);
    CreateChild(L"TColorPal", name, 0, 0, bounds, parent, id);
    SetBounds(bounds, dpi);
}

void TColorPalControl::SetBounds(const Rect& bounds, UINT dpi) {
    m_pal.SetColorWidth(Scaled(10, dpi));
    m_pal.SetColorHeight(Scaled(12, dpi));
    m_pal.SetFrameWidth(Scaled(2, dpi));
    m_pal.SetSize({bounds.Right - bounds.Left, bounds.Bottom - bounds.Top});
    PlaceAt(bounds);
    m_shownActive = -2;
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TColorPalControl::Invalidate(bool now) {
    if (!Handle()) return;
    const int active = m_pal.ActiveCell;
    if (m_pal.Pal == m_shownCells && active != m_shownActive && m_shownActive != -2) {
        for (int cell : {m_shownActive, active}) {
            if (cell < 0 || cell >= m_pal.MaxCells) continue;
            const Rect r = m_pal.FrameRect(cell);
            const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
            ::InvalidateRect(Handle(), &rect, FALSE);
        }
    } else {
        ::InvalidateRect(Handle(), nullptr, FALSE);
    }
    m_shownCells = m_pal.Pal;
    m_shownActive = active;
    if (now) ::UpdateWindow(Handle());
}

LRESULT TColorPalControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        m_shiftClick = (wParam & MK_SHIFT) != 0;
        ::SetCapture(Handle());
        m_pal.HookMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        m_pal.MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        m_pal.MouseUp();
        if (::GetCapture() == Handle()) ::ReleaseCapture();
        if (OnMouseUp) OnMouseUp(*this);
        m_shiftClick = false;
        return 0;
    case WM_CAPTURECHANGED:
        m_pal.MouseUp();
        m_shiftClick = false;
        return 0;
    default:
        return Default(msg, wParam, lParam);
    }
}

void TColorPalControl::PaintContent(HDC dc, const Rect& area) {
    ++m_paints;
    const Size size = m_pal.GetSize();
    m_buffer.SetSize(size.Width, size.Height);
    // Only the invalid part is drawn; the rest of the buffer is clipped away.
    const int saved = ::SaveDC(m_buffer.Dc());
    ::IntersectClipRect(m_buffer.Dc(), area.Left, area.Top, area.Right, area.Bottom);
    {
        GdiCanvas canvas(m_buffer.Dc(), nullptr, nullptr);
        m_pal.Paint(canvas);
    }
    ::RestoreDC(m_buffer.Dc(), saved);
    ::BitBlt(dc, area.Left, area.Top, area.Right - area.Left, area.Bottom - area.Top, m_buffer.Dc(),
             area.Left, area.Top, SRCCOPY);
    m_shownCells = m_pal.Pal;
    m_shownActive = m_pal.ActiveCell;
}
