#include "colour/win/ScrollBox.h"

#include <algorithm>

void TScrollBox::Create(HWND parent, int id, const Rect& bounds) {
    RegisterClassOnce(L"TScrollBox", nullptr, nullptr, 0);
    CreateChild(L"TScrollBox", L"", WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL, WS_EX_CONTROLPARENT,
                bounds, parent, id);
    UpdateBars();
}

void TScrollBox::SetBounds(const Rect& bounds) {
    PlaceAt(bounds);
    UpdateBars();
}

void TScrollBox::SetContent(HWND child, Size size) {
    m_child = child;
    m_content = size;
    m_offset = {};
    UpdateBars();
    PlaceContent();
}

void TScrollBox::UpdateBars() {
    RECT client;
    ::GetClientRect(Handle(), &client);
    for (const int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info{sizeof(info), SIF_ALL | SIF_DISABLENOSCROLL};
        info.nMax = (bar == SB_HORZ ? m_content.Width : m_content.Height) - 1;
        info.nPage = static_cast<UINT>(bar == SB_HORZ ? client.right : client.bottom);
        info.nPos = bar == SB_HORZ ? m_offset.X : m_offset.Y;
        ::SetScrollInfo(Handle(), bar, &info, TRUE);
    }
}

void TScrollBox::Scroll(int bar, int code) {
    SCROLLINFO info{sizeof(info), SIF_ALL};
    ::GetScrollInfo(Handle(), bar, &info);
    const int page = static_cast<int>(info.nPage);
    int pos = info.nPos;
    switch (code) {
    case SB_LINEUP:
        pos -= 16;
        break;
    case SB_LINEDOWN:
        pos += 16;
        break;
    case SB_PAGEUP:
        pos -= page;
        break;
    case SB_PAGEDOWN:
        pos += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = info.nTrackPos;
        break;
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = info.nMax;
        break;
    default:
        return;
    }
    pos = std::clamp(pos, 0, std::max(0, info.nMax + 1 - page));
    (bar == SB_HORZ ? m_offset.X : m_offset.Y) = pos;
    info.fMask = SIF_POS;
    info.nPos = pos;
    ::SetScrollInfo(Handle(), bar, &info, TRUE);
    PlaceContent();
}

void TScrollBox::PlaceContent() {
    if (!m_child) return;
    ::SetWindowPos(m_child, nullptr, -m_offset.X, -m_offset.Y, m_content.Width, m_content.Height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TScrollBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_HSCROLL:
        Scroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        Scroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_SIZE:
        UpdateBars();
        return 0;
    default:
        return Default(msg, wParam, lParam);
    }
}

void TScrollBox::PaintContent(HDC dc, const Rect& area) {
    const RECT fill{area.Left, area.Top, area.Right, area.Bottom};
    ::FillRect(dc, &fill, ::GetSysColorBrush(COLOR_BTNSHADOW));
}
