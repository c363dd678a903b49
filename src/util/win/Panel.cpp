#include "util/win/Panel.h"

#include "util/win/GdiCanvas.h"

void TPanel::Create(HWND parent, int id, const Rect& bounds, TBevel bevel, TColor background) {
    m_bevel = bevel;
    m_background = background;
    RegisterClassOnce(L"DravikPanel", nullptr, nullptr, 0);
    // A control parent: Tab walks into the panel's children.
    CreateChild(L"DravikPanel", L"", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, bounds,
                parent, id);
}

void TPanel::SetBackground(TColor color) {
    if (color == m_background) return;
    m_background = color;
    if (Handle()) ::InvalidateRect(Handle(), nullptr, TRUE);
}

int TPanel::BevelWidth() const {
    return m_bevel == TBevel::None ? 0 : m_bevel == TBevel::Lowered ? 1 : 2;
}

LRESULT TPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // painted whole in PaintContent
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
        return ::SendMessageW(::GetParent(Handle()), msg, wParam, lParam);
    default:
        return Default(msg, wParam, lParam);
    }
}

void TPanel::PaintContent(HDC dc, const Rect& area) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    const UniqueHBrush brush(::CreateSolidBrush(CanvasColor(m_background)));
    const RECT fill{area.Left, area.Top, area.Right, area.Bottom};
    ::FillRect(dc, &fill, brush.Get());
    if (m_bevel == TBevel::Lowered) ::DrawEdge(dc, &client, BDR_SUNKENINNER, BF_RECT);
    if (m_bevel == TBevel::Framed) ::DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);
}
