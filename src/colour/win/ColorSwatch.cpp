#include "colour/win/ColorSwatch.h"

#include "util/Canvas.h"
#include "util/win/Handles.h"

void TColorSwatch::Create(HWND parent, int id, const std::wstring& name, const Rect& bounds) {
    RegisterClassOnce(L"TColorSwatch", nullptr, nullptr, 0);
    CreateChild(L"TColorSwatch", name, 0, 0, bounds, parent, id);
}

void TColorSwatch::SetBounds(const Rect& bounds) {
    PlaceAt(bounds);
}

void TColorSwatch::SetColor(TColor color) {
    if (color == m_color) return;
    m_color = color;
    if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT TColorSwatch::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        if (OnClick && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_LBUTTONUP:
        if (OnClick) OnClick(*this);
        return 0;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

void TColorSwatch::PaintContent(HDC dc, const Rect&) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    ::DrawEdge(dc, &client, BDR_SUNKENINNER, BF_RECT | BF_ADJUST);
    const UniqueHBrush brush(::CreateSolidBrush(CanvasColor(m_color)));
    ::FillRect(dc, &client, brush.Get());
}
